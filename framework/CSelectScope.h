#pragma once

#include <windows.h>

// Selects an object into a DC for the scope's lifetime and selects the previous one back.
class CSelectScope {
public:
    CSelectScope(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectScope() {
        if (m_old) ::SelectObject(m_dc, m_old);
    }
    CSelectScope(const CSelectScope&) = delete;
    CSelectScope& operator=(const CSelectScope&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
