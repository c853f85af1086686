#include "widgets/CLampKeyButton.h"

#include "res/resource.h"

CLampKeyButton::CLampKeyButton() { m_lamp.LoadSkin(IDB_KEY_LAMP); }

void CLampKeyButton::PreSubclassWindow() {
    // A key that paints over its own lamp would hide a lit lamp every time it
    // is pushed or released; template buttons do not carry this style.
    const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) ::SetWindowLongW(m_hWnd, GWL_STYLE, style | WS_CLIPCHILDREN);
    if (m_lamp.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kLampRect, this, kLampControlId))
        m_lamp.ShowWindow(m_lampState == 1 ? SW_SHOW : SW_HIDE);
    CShapedButton::PreSubclassWindow();
}

void CLampKeyButton::SetLamp(BYTE state) {
    const bool wasShown = m_lampState == 1;
    m_lampState = state;
    // Showing or hiding a window is a trip to the window server: only for a change.
    if (m_lamp.GetSafeHwnd() && (state == 1) != wasShown) m_lamp.ShowWindow(state == 1 ? SW_SHOW : SW_HIDE);
}
