// Draws into an off-screen bitmap and puts the picture on the destination in
// one copy when it goes, so that a control painted in several layers never
// flickers. A printer context is drawn into directly: a bitmap compatible with
// it would be the size of a page at the printer's resolution.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDC.h"

class COffscreenDC : public CDC {
public:
    // Takes over drawing into destination (a paint context, typically) until
    // the object is destroyed; drawing uses the destination's coordinates.
    explicit COffscreenDC(CDC* destination);
    ~COffscreenDC() override;

    bool IsOffscreen() const { return m_offscreen; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_destination;
    RECT m_rect{};
    bool m_offscreen = false;
};
