// A key of a panel picture with a small green lamp inside it that the panel
// window switches on and off. The lamp is a hidden 4 x 4 child at (9, 9).
#pragma once

#include "widgets/CShapedButton.h"
#include "widgets/CSkinCtrl.h"

class CLampKeyButton : public CShapedButton {
public:
    static constexpr UINT kLampControlId = 55556;
    static constexpr RECT kLampRect = {9, 9, 13, 13};

    CLampKeyButton();

    // 1 shows the lamp, any other value hides it; the value is kept.
    void SetLamp(BYTE state);
    BYTE GetLamp() const { return m_lampState; }
    // The lamp window, for the owner's and tests' inspection.
    CSkinCtrl& Lamp() { return m_lamp; }

protected:
    // Creates the lamp window as soon as a key window is attached, whether the
    // object created it or subclassed a dialog item.
    void PreSubclassWindow() override;

private:
    CSkinCtrl m_lamp;  // the lamp window
    BYTE m_lampState = 0;
};
