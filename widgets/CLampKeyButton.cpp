#include "CLampKeyButton.h"

CLampKeyButton::CLampKeyButton() { m_lamp.LoadSkin(kLampBitmapId); }

void CLampKeyButton::PreSubclassWindow() {
    if (m_lamp.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kLampRect, this, kLampControlId))
        m_lamp.ShowWindow(SW_HIDE);
    CShapedButton::PreSubclassWindow();
}

void CLampKeyButton::SetLamp(BYTE bOn) {
    m_bLamp = bOn;
    if (m_lamp.GetSafeHwnd()) m_lamp.ShowWindow(bOn == 1 ? SW_SHOW : SW_HIDE);
}
