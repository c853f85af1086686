#pragma once

#include "framework/CGdiObject.h"

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
