#include "tools/artgen/Color.h"

#include <algorithm>

namespace {
double Clamp255(double v) { return std::min(255.0, std::max(0.0, v)); }
}  // namespace

Color Color::Rgb(int red, int green, int blue) { return Color{double(red), double(green), double(blue), 1.0}; }

Color Color::Transparent() { return Color{0, 0, 0, 0}; }

Color Color::WithAlpha(double alpha) const { return Color{r, g, b, alpha}; }

Color Color::Scaled(double factor) const {
    return Color{Clamp255(r * factor), Clamp255(g * factor), Clamp255(b * factor), a};
}

Color Color::Mix(const Color& other, double t) const {
    return Color{r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t, a + (other.a - a) * t};
}
