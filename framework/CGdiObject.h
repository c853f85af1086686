// Owners of GDI handles, and a scope that keeps an object selected into a DC.
#pragma once

#include <windows.h>

#include <utility>

template <typename H>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            DeleteObject();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    H GetSafeHandle() const { return m_handle; }
    operator H() const { return m_handle; }
    void Attach(H handle) {
        DeleteObject();
        m_handle = handle;
    }
    H Detach() { return std::exchange(m_handle, nullptr); }
    void DeleteObject() {
        if (m_handle) ::DeleteObject(m_handle);
        m_handle = nullptr;
    }

protected:
    H m_handle = nullptr;
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    // Loads a bitmap resource from the module that holds it.
    BOOL LoadBitmap(UINT id);
    SIZE GetSize() const;
};

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) : CGdiObject(::CreatePen(style, width, color)) {}
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) : CGdiObject(::CreateSolidBrush(color)) {}
};

class CRgn : public CGdiObject<HRGN> {
public:
    BOOL CreateEllipticRgn(int l, int t, int r, int b) {
        Attach(::CreateEllipticRgn(l, t, r, b));
        return m_handle != nullptr;
    }
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode) {
        Attach(::CreatePolygonRgn(points, count, fillMode));
        return m_handle != nullptr;
    }
};

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
