#include "framework/CDC.h"

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(HDC reference) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(reference);
    m_owned = m_hDC != nullptr;
    return m_owned;
}

void CDC::DeleteDC() {
    if (m_owned && m_hDC) ::DeleteDC(m_hDC);
    if (m_owned) m_hDC = nullptr;
    m_owned = false;
}

void CDC::FillSolidRect(const RECT& r, COLORREF color) {
    const COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}
