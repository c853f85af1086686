#pragma once

// A colour with straight (not premultiplied) alpha; channels 0..255, alpha 0..1.
struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;

    static Color Rgb(int red, int green, int blue);
    static Color Transparent();

    Color WithAlpha(double alpha) const;
    // Brightness scale: factor < 1 darkens, > 1 lightens (clamped at 255).
    Color Scaled(double factor) const;
    // Linear interpolation towards `other`; t = 0 gives *this.
    Color Mix(const Color& other, double t) const;
};
