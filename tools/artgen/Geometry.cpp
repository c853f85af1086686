#include "tools/artgen/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geometry {

bool PolygonContains(const std::vector<Point>& polygon, double x, double y) {
    int winding = 0;
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % n];
        const double cross = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
        if (a.y <= y) {
            if (b.y > y && cross > 0) ++winding;
        } else if (b.y <= y && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

double DistanceToSegment(const Point& a, const Point& b, double x, double y) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0.0;
    t = std::min(1.0, std::max(0.0, t));
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

double DistanceToOutline(const std::vector<Point>& polygon, double x, double y) {
    double best = std::numeric_limits<double>::max();
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) best = std::min(best, DistanceToSegment(polygon[i], polygon[(i + 1) % n], x, y));
    return best;
}

std::vector<Point> Translated(const std::vector<Point>& polygon, double dx, double dy) {
    std::vector<Point> out;
    out.reserve(polygon.size());
    for (const Point& p : polygon) out.push_back(Point{p.x + dx, p.y + dy});
    return out;
}

}  // namespace geometry
