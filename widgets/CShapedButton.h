// A key or LED of a panel picture: an owner-drawn bitmap button showing its
// normal or pressed bitmap by the pushed state (BM_SETSTATE), optionally cut to
// the key's outline, and deaf to the mouse apart from a beep. The pushed state
// is the key's own: BM_SETSTATE stores it and the key shows it at its next
// paint, so a burst of reports repaints a key once, not once per change.
#pragma once

#include "framework/CBitmapButton.h"

class CShapedButton : public CBitmapButton {
public:
    CShapedButton() = default;

    // Window region operations; the window owns the region afterwards.
    // Ellipse inscribed in rc (client pixels).
    BOOL SetEllipticRegion(const RECT& rc);
    // The seven-point wing outlines of the 52 x 72 wing-key bitmaps.
    BOOL SetLeftWingRegion();
    BOOL SetRightWingRegion();

    static const POINT kLeftWingOutline[7];
    static const POINT kRightWingOutline[7];

    // The tone of a click goes through this procedure (::Beep by default), so
    // that tests can count clicks without sound. Returns the previous one; null
    // restores ::Beep.
    using BeepProc = BOOL(WINAPI*)(DWORD frequency, DWORD duration);
    static BeepProc SetBeepProc(BeepProc proc);

    static constexpr DWORD kBeepFrequency = 500;
    static constexpr DWORD kBeepDuration = 100;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

private:
    bool m_pushed = false;
};
