#pragma once

#include "tools/artgen/Color.h"
#include "tools/artgen/Geometry.h"
#include "tools/artgen/Paint.h"

#include <cstdint>
#include <functional>
#include <vector>

// An RGBA image with a small antialiasing rasteriser. Coordinates are
// continuous: pixel (i, j) covers [i, i+1) x [j, j+1), so the centre of pixel
// (17, 17) is (17.5, 17.5). Shapes are sampled 4 x 4 times per pixel unless
// antialiasing is switched off (one sample at the pixel centre), which the
// palettised animation needs for clean transparent edges.
class Canvas {
public:
    using Inside = std::function<bool(double x, double y)>;

    Canvas(int width, int height, const Color& fill = Color::Transparent());

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, const Color& c);
    // Source-over compositing of one pixel, `coverage` scaling the alpha.
    void Blend(int x, int y, const Color& c, double coverage = 1.0);

    void SetAntialias(bool on) { m_antialias = on; }

    // Fills every pixel of the box [x0, x1) x [y0, y1) by the share of its
    // samples for which `inside` holds.
    void FillRegion(double x0, double y0, double x1, double y1, const Inside& inside, const Paint& paint,
                    double opacity = 1.0);

    void FillRect(double x0, double y0, double x1, double y1, const Paint& paint, double opacity = 1.0);
    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Paint& paint,
                       double opacity = 1.0);
    void FillEllipse(double cx, double cy, double rx, double ry, const Paint& paint, double opacity = 1.0);
    void FillCircle(double cx, double cy, double r, const Paint& paint, double opacity = 1.0) {
        FillEllipse(cx, cy, r, r, paint, opacity);
    }
    void FillRing(double cx, double cy, double rOuter, double rInner, const Paint& paint, double opacity = 1.0);
    void FillPolygon(const std::vector<Point>& polygon, const Paint& paint, double opacity = 1.0);
    // The polygon shrunk by `inset` pixels on every side (sharp corners kept).
    void FillPolygonInset(const std::vector<Point>& polygon, double inset, const Paint& paint, double opacity = 1.0);
    // A straight stroke with round caps.
    void DrawLine(double x0, double y0, double x1, double y1, double width, const Paint& paint, double opacity = 1.0);
    // A one-pixel-aligned rectangle outline, no antialiasing.
    void FrameRect(int x0, int y0, int x1, int y1, const Color& c);

    // Copies `src` with its top-left corner at (dx, dy), compositing by alpha.
    void Draw(const Canvas& src, int dx, int dy);
    // A width x height piece from (x, y); pixels outside this canvas are `outside`.
    Canvas Crop(int x, int y, int width, int height, const Color& outside = Color::Transparent()) const;

private:
    int m_width;
    int m_height;
    bool m_antialias = true;
    std::vector<Color> m_pixels;
};
