#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kSamples = 4;

bool InRoundRect(double x, double y, double x0, double y0, double x1, double y1, double r) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double cx = std::min(std::max(x, x0 + r), x1 - r);
    const double cy = std::min(std::max(y, y0 + r), y1 - r);
    const double dx = x - cx;
    const double dy = y - cy;
    return dx * dx + dy * dy <= r * r;
}
}  // namespace

Canvas::Canvas(int width, int height, const Color& fill)
    : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height), fill) {}

Color Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return Color::Transparent();
    return m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
}

void Canvas::SetPixel(int x, int y, const Color& c) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = c;
}

void Canvas::Blend(int x, int y, const Color& c, double coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    const double sa = std::min(1.0, std::max(0.0, c.a * coverage));
    if (sa <= 0) return;
    Color& d = m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
    const double outA = sa + d.a * (1 - sa);
    if (outA <= 0) {
        d = Color::Transparent();
        return;
    }
    const double keep = d.a * (1 - sa);
    d.r = (c.r * sa + d.r * keep) / outA;
    d.g = (c.g * sa + d.g * keep) / outA;
    d.b = (c.b * sa + d.b * keep) / outA;
    d.a = outA;
}

void Canvas::FillRegion(double x0, double y0, double x1, double y1, const Inside& inside, const Paint& paint,
                        double opacity) {
    const int ix0 = std::max(0, int(std::floor(x0)));
    const int iy0 = std::max(0, int(std::floor(y0)));
    const int ix1 = std::min(m_width, int(std::ceil(x1)));
    const int iy1 = std::min(m_height, int(std::ceil(y1)));
    const int n = m_antialias ? kSamples : 1;
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx)
                    if (inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n)) ++hits;
            if (hits == 0) continue;
            Blend(x, y, paint.At(x + 0.5, y + 0.5), opacity * hits / double(n * n));
        }
    }
}

void Canvas::FillRect(double x0, double y0, double x1, double y1, const Paint& paint, double opacity) {
    FillRegion(
        x0, y0, x1, y1, [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, paint, opacity);
}

void Canvas::FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Paint& paint,
                           double opacity) {
    const double r = std::min(radius, std::min(x1 - x0, y1 - y0) / 2);
    FillRegion(
        x0, y0, x1, y1, [=](double x, double y) { return InRoundRect(x, y, x0, y0, x1, y1, r); }, paint, opacity);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, const Paint& paint, double opacity) {
    if (rx <= 0 || ry <= 0) return;
    FillRegion(
        cx - rx, cy - ry, cx + rx, cy + ry,
        [=](double x, double y) {
            const double dx = (x - cx) / rx;
            const double dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0;
        },
        paint, opacity);
}

void Canvas::FillRing(double cx, double cy, double rOuter, double rInner, const Paint& paint, double opacity) {
    FillRegion(
        cx - rOuter, cy - rOuter, cx + rOuter, cy + rOuter,
        [=](double x, double y) {
            const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d2 <= rOuter * rOuter && d2 >= rInner * rInner;
        },
        paint, opacity);
}

void Canvas::FillPolygon(const std::vector<Point>& polygon, const Paint& paint, double opacity) {
    FillPolygonInset(polygon, 0.0, paint, opacity);
}

void Canvas::FillPolygonInset(const std::vector<Point>& polygon, double inset, const Paint& paint, double opacity) {
    if (polygon.size() < 3) return;
    double x0 = polygon[0].x, x1 = polygon[0].x, y0 = polygon[0].y, y1 = polygon[0].y;
    for (const Point& p : polygon) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    FillRegion(
        x0, y0, x1, y1,
        [&polygon, inset](double x, double y) {
            if (!geometry::PolygonContains(polygon, x, y)) return false;
            return inset <= 0 || geometry::DistanceToOutline(polygon, x, y) >= inset;
        },
        paint, opacity);
}

void Canvas::DrawLine(double x0, double y0, double x1, double y1, double width, const Paint& paint, double opacity) {
    const double h = width / 2;
    const Point a{x0, y0};
    const Point b{x1, y1};
    FillRegion(
        std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h,
        [=](double x, double y) { return geometry::DistanceToSegment(a, b, x, y) <= h; }, paint, opacity);
}

void Canvas::FrameRect(int x0, int y0, int x1, int y1, const Color& c) {
    for (int x = x0; x < x1; ++x) {
        Blend(x, y0, c);
        Blend(x, y1 - 1, c);
    }
    for (int y = y0 + 1; y < y1 - 1; ++y) {
        Blend(x0, y, c);
        Blend(x1 - 1, y, c);
    }
}

void Canvas::Draw(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.m_height; ++y)
        for (int x = 0; x < src.m_width; ++x) Blend(dx + x, dy + y, src.Pixel(x, y));
}

Canvas Canvas::Crop(int x, int y, int width, int height, const Color& outside) const {
    Canvas out(width, height, outside);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const int sx = x + i;
            const int sy = y + j;
            if (sx >= 0 && sy >= 0 && sx < m_width && sy < m_height) out.SetPixel(i, j, Pixel(sx, sy));
        }
    return out;
}
