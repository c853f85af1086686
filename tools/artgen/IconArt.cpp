#include "tools/artgen/IconArt.h"

namespace {
const Color kBlack = Color::Rgb(0, 0, 0);
const Color kWhite = Color::Rgb(255, 255, 255);

void Body(Canvas& c, double x0, double y0, double x1, double y1, double r) {
    c.FillRoundRect(x0 + 0.5, y0 + 1.0, x1 + 0.5, y1 + 1.0, r, kBlack, 0.45);
    c.FillRoundRect(x0, y0, x1, y1, r, Color::Rgb(16, 17, 20));
    c.FillRoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 0.5,
                    Paint::Linear(0, y0, Color::Rgb(86, 90, 98), 0, y1, Color::Rgb(42, 44, 49)));
    c.FillRect(x0 + r, y0 + 1, x1 - r, y0 + 1.8, kWhite, 0.35);
}

void Key(Canvas& c, double x0, double y0, double s) {
    c.FillRect(x0, y0, x0 + s, y0 + s, Color::Rgb(14, 14, 16));
    c.FillRect(x0 + 0.5, y0 + 0.5, x0 + s - 0.5, y0 + s - 0.5,
               Paint::Linear(0, y0, Color::Rgb(200, 202, 206), 0, y0 + s, Color::Rgb(120, 122, 128)));
}

void Wheel(Canvas& c, double cx, double cy, double r, double markWidth) {
    c.FillCircle(cx, cy, r + 0.8, Color::Rgb(10, 10, 12));
    c.FillCircle(cx, cy, r,
                 Paint::Radial(cx - r * 0.4, cy - r * 0.5, r * 1.8, Color::Rgb(160, 164, 172), Color::Rgb(36, 38, 42)));
    c.FillCircle(cx, cy, r * 0.4, Color::Rgb(52, 54, 60));
    c.DrawLine(cx + r * 0.45, cy - r * 0.45, cx + r * 0.78, cy - r * 0.78, markWidth, kWhite);
}
}  // namespace

Canvas IconArt::Large() {
    Canvas c(32, 32);
    Body(c, 1, 5, 31, 28, 3);
    Key(c, 4.5, 9, 5);
    Key(c, 10.5, 9, 5);
    Key(c, 4.5, 15, 5);
    Key(c, 10.5, 15, 5);
    c.FillRect(4.5, 22, 9.5, 24.5, Color::Rgb(40, 255, 90));
    c.FillRect(10.5, 22, 15.5, 24.5, Color::Rgb(30, 60, 36));
    Wheel(c, 22.5, 16.5, 7.2, 1.6);
    return c;
}

Canvas IconArt::Small() {
    // At this size every shape sits on whole pixels, or it turns to mud.
    Canvas c(16, 16);
    c.SetAntialias(false);
    c.FillRect(0, 2, 16, 14, Color::Rgb(16, 17, 20));
    c.FillRect(1, 3, 15, 13, Color::Rgb(66, 69, 76));
    c.FillRect(1, 3, 15, 4, Color::Rgb(110, 114, 122));
    c.FillRect(2, 5, 5, 7, Color::Rgb(200, 202, 206));
    c.FillRect(2, 8, 5, 10, Color::Rgb(200, 202, 206));
    c.FillRect(2, 11, 5, 12, Color::Rgb(40, 255, 90));
    c.SetAntialias(true);
    c.FillCircle(10.5, 8.5, 4.6, Color::Rgb(10, 10, 12));
    c.FillCircle(10.5, 8.5, 3.9, Paint::Radial(9.0, 7.0, 6.0, Color::Rgb(190, 194, 202), Color::Rgb(70, 72, 78)));
    c.FillRect(12, 5, 13, 7, kWhite);
    return c;
}
