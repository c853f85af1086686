#include "framework/COffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* destination) : m_destination(destination) {
    const HDC target = destination->GetSafeHdc();
    if (::GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER) {
        ::GetClipBox(target, &m_rect);
        const int width = m_rect.right - m_rect.left;
        const int height = m_rect.bottom - m_rect.top;
        // Nothing to show, or no memory for the bitmap: the destination is drawn
        // into directly, like a printer, rather than into a stand-in bitmap.
        if (width > 0 && height > 0 && CreateCompatibleDC(target)) {
            m_bitmap.Attach(::CreateCompatibleBitmap(target, width, height));
            if (m_bitmap.GetSafeHandle()) {
                m_oldBitmap = SelectObject(m_bitmap);
                ::SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, nullptr);
                m_offscreen = true;
                return;
            }
            DeleteDC();
        }
    }
    m_hDC = target;
}

COffscreenDC::~COffscreenDC() {
    if (m_offscreen) {
        ::BitBlt(m_destination->GetSafeHdc(), m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                 m_rect.bottom - m_rect.top, m_hDC, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
        DeleteDC();
    } else {
        m_hDC = nullptr;  // the destination's, given back as it was
    }
}
