#pragma once

#include "tools/artgen/Color.h"

#include <functional>

// What a filled shape is coloured with: a colour as a function of the
// position (pixel centre, in canvas coordinates).
class Paint {
public:
    using Function = std::function<Color(double x, double y)>;

    Paint(const Color& solid);  // NOLINT: a colour is a paint
    explicit Paint(Function function);

    static Paint Linear(double x0, double y0, const Color& c0, double x1, double y1, const Color& c1);
    // c0 at the centre, c1 at radius and beyond.
    static Paint Radial(double cx, double cy, double radius, const Color& c0, const Color& c1);

    Color At(double x, double y) const { return m_function(x, y); }

private:
    Function m_function;
};
