// A progress bar that paints itself in two colours with the percentage, or a
// text of the caller's choosing, centred on it: the text shows in one colour
// over the filled part and in another over the rest. It keeps its range and
// position itself; the common control underneath never sees them.
#pragma once

#include <optional>
#include <string>

#include "framework/CProgressCtrl.h"

class CPercentProgressCtrl : public CProgressCtrl {
public:
    CPercentProgressCtrl();

    // Nothing is redrawn: the next SetPos shows the new range.
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int GetPos() const { return m_pos; }
    // These return the previous position, or -1 without a window (and change nothing).
    // The bar is redrawn at once, but only when its filled width changes.
    int SetPos(int pos);
    int OffsetPos(int delta) { return SetPos(m_pos + delta); }
    int StepIt() { return SetPos(m_pos + m_step); }
    int SetStep(int step);

    void SetTextVisible(bool visible);
    bool IsTextVisible() const { return m_showText; }

    // Setting a colour does not redraw.
    void SetBarColor(COLORREF color) { m_barColor = color; }
    COLORREF GetBarColor() const { return m_barColor; }
    void SetBackgroundColor(COLORREF color) { m_backgroundColor = color; }
    COLORREF GetBackgroundColor() const { return m_backgroundColor; }
    void SetTextColor(COLORREF color) { m_textColor = color; }
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTextOverBarColor(COLORREF color) { m_textOverBarColor = color; }
    COLORREF GetTextOverBarColor() const { return m_textOverBarColor; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int ClientWidth() const;
    void OnPaint();
    LRESULT OnSetText(LPCWSTR text);

    int m_pos = 0;
    int m_step = 1;
    int m_upper = 100;
    int m_lower = 0;
    std::wstring m_text;
    bool m_showText = true;
    // The filled width SetPos last drew; none before the first SetPos and after
    // a resize. Not -1 for none: that is the width of a position just below the range.
    std::optional<int> m_lastBarWidth;
    COLORREF m_barColor;
    COLORREF m_backgroundColor;
    COLORREF m_textColor;
    COLORREF m_textOverBarColor;
};
