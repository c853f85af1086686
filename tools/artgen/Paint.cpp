#include "tools/artgen/Paint.h"

#include <algorithm>
#include <cmath>
#include <utility>

Paint::Paint(const Color& solid) : m_function([solid](double, double) { return solid; }) {}

Paint::Paint(Function function) : m_function(std::move(function)) {}

Paint Paint::Linear(double x0, double y0, const Color& c0, double x1, double y1, const Color& c1) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    return Paint([=](double x, double y) {
        double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
        t = std::min(1.0, std::max(0.0, t));
        return c0.Mix(c1, t);
    });
}

Paint Paint::Radial(double cx, double cy, double radius, const Color& c0, const Color& c1) {
    return Paint([=](double x, double y) {
        double t = radius > 0 ? std::hypot(x - cx, y - cy) / radius : 1.0;
        t = std::min(1.0, t);
        return c0.Mix(c1, t);
    });
}
