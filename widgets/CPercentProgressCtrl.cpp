#include "widgets/CPercentProgressCtrl.h"

#include "framework/COffscreenDC.h"
#include "framework/CPaintDC.h"
#include "widgets/ProgressBarMath.h"

CPercentProgressCtrl::CPercentProgressCtrl()
    : m_barColor(::GetSysColor(COLOR_HIGHLIGHT)),
      m_backgroundColor(::GetSysColor(COLOR_WINDOW)),
      m_textColor(::GetSysColor(COLOR_HIGHLIGHT)),
      m_textOverBarColor(::GetSysColor(COLOR_WINDOW)) {}

void CPercentProgressCtrl::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

void CPercentProgressCtrl::GetRange(int& lower, int& upper) const {
    lower = m_lower;
    upper = m_upper;
}

int CPercentProgressCtrl::ClientWidth() const {
    RECT rc{};
    GetClientRect(&rc);
    return rc.right - rc.left;
}

int CPercentProgressCtrl::SetPos(int pos) {
    if (!m_hWnd) return -1;
    const int previous = m_pos;
    m_pos = pos;
    const int width = progressbar::BarWidth(ClientWidth(), progressbar::Fraction(m_pos, m_lower, m_upper));
    // Most positions of a long download fill no new pixel: they cost no paint.
    if (width != m_lastBarWidth) {
        m_lastBarWidth = width;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

int CPercentProgressCtrl::SetStep(int step) {
    const int previous = m_step;
    m_step = step;
    return previous;
}

void CPercentProgressCtrl::SetTextVisible(bool visible) {
    if (m_hWnd && visible != m_showText) Invalidate(TRUE);
    m_showText = visible;
}

LRESULT CPercentProgressCtrl::OnSetText(LPCWSTR text) {
    const LRESULT result = Default();
    const std::wstring newText = text ? text : L"";
    if (newText != m_text) {
        m_text = newText;
        Invalidate(TRUE);
    }
    return result;
}

void CPercentProgressCtrl::OnPaint() {
    // Begun and ended even when nothing is drawn, or the window would be asked
    // to paint again and again.
    CPaintDC paint(this);
    if (progressbar::IsEmptyRange(m_lower, m_upper)) return;

    RECT client{};
    GetClientRect(&client);
    const double fraction = progressbar::Fraction(m_pos, m_lower, m_upper);
    const int split =
        progressbar::SplitX(client.left, client.right, progressbar::BarWidth(client.right - client.left, fraction));

    COffscreenDC dc(&paint);
    RECT bar = client;
    bar.right = split;
    RECT rest = client;
    rest.left = split;
    dc.FillSolidRect(bar, m_barColor);
    dc.FillSolidRect(rest, m_backgroundColor);
    if (!m_showText) return;

    const std::wstring text = progressbar::BarText(m_text, fraction);
    const int length = static_cast<int>(text.size());
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    dc.SetBkMode(TRANSPARENT);
    // The same text twice, each time clipped to one part, in that part's colour.
    const struct {
        const RECT& clip;
        COLORREF color;
    } layers[] = {{bar, m_textOverBarColor}, {rest, m_textColor}};
    for (const auto& layer : layers) {
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(layer.clip);
        dc.SetTextColor(layer.color);
        RECT box = client;
        dc.DrawText(text.c_str(), length, &box, format);
        dc.RestoreDC(saved);
    }
}

LRESULT CPercentProgressCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting covers every pixel, off-screen
    case WM_SIZE: {
        const LRESULT result = Default();
        m_lastBarWidth.reset();
        return result;
    }
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<LPCWSTR>(lp));
    case WM_GETTEXT:
        return static_cast<LRESULT>(progressbar::CopyText(m_text, reinterpret_cast<wchar_t*>(lp), wp));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    default:
        return CProgressCtrl::WindowProc(msg, wp, lp);
    }
}
