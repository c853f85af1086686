#include "tools/artgen/PanelParts.h"

#include "tools/artgen/Font.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Deterministic hash noise in [-1, 1] for the brushed finish.
double Noise(int a, int b) {
    uint32_t h = uint32_t(a) * 374761393u + uint32_t(b) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFu) / 32767.5 - 1.0;
}

const Color kBlack = Color::Rgb(0, 0, 0);
const Color kWhite = Color::Rgb(255, 255, 255);

// A screw's shadow and a round key's hole, the lip that catches the light
// offset down and right; both reach further than the parts themselves.
constexpr double kScrewShadowRadius = 3.4;
constexpr Point kScrewShadowOffset{0.3, 0.6};
constexpr double kRoundKeyWell = 18.2;
constexpr double kRoundKeyLip = 18.6;
constexpr Point kRoundKeyLipOffset{0.3, 0.6};

}  // namespace

Color PanelParts::Silk() { return Color::Rgb(216, 218, 222); }
Color PanelParts::SilkDim() { return Color::Rgb(140, 145, 152); }
Color PanelParts::Well() { return Color::Rgb(15, 16, 18); }

Color PanelParts::SurfaceAt(double x, double y) {
    const int row = int(std::floor(y));
    const int col = int(std::floor(x));
    const double streak = Noise(row, 7) * 1.6 + Noise(row, col / 9) * 0.8;
    const double v = 47.0 + streak;
    return Color{v - 1.0, v, v + 4.0, 1.0};
}

void PanelParts::Plate(Canvas& canvas) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.FillRect(0, 0, w, h, Paint(&SurfaceAt));
    canvas.FillRect(0, 0, w, 1, kWhite, 0.22);
    canvas.FillRect(0, 1, 1, h, kWhite, 0.14);
    canvas.FillRect(0, h - 1, w, h, kBlack, 0.55);
    canvas.FillRect(w - 1, 0, w, h - 1, kBlack, 0.45);
}

void PanelParts::Screw(Canvas& canvas, double cx, double cy) {
    canvas.FillCircle(cx + kScrewShadowOffset.x, cy + kScrewShadowOffset.y, kScrewShadowRadius, kBlack, 0.5);
    canvas.FillCircle(cx, cy, 3.0,
                      Paint::Radial(cx - 1.2, cy - 1.2, 4.0, Color::Rgb(150, 152, 158), Color::Rgb(70, 72, 77)));
    canvas.DrawLine(cx - 2.0, cy + 1.2, cx + 2.0, cy - 1.2, 0.9, Color::Rgb(35, 36, 40));
}

void PanelParts::MapScrew(PlateMap& map, double cx, double cy) {
    map.RoundPart("screw", cx, cy, 3.0);
    map.RoundPart("screw", cx + kScrewShadowOffset.x, cy + kScrewShadowOffset.y, kScrewShadowRadius);
}

void PanelParts::MapRoundKey(PlateMap& map, const std::string& name, double cx, double cy) {
    map.RoundPart(name, cx, cy, kRoundKeyWell);
    map.RoundPart(name, cx + kRoundKeyLipOffset.x, cy + kRoundKeyLipOffset.y, kRoundKeyLip);
}

void PanelParts::Recess(Canvas& canvas, double x0, double y0, double x1, double y1, double radius) {
    canvas.FillRoundRect(x0 - 1, y0 - 1, x1, y1, radius + 1, kBlack, 0.35);
    canvas.FillRoundRect(x0, y0, x1 + 1, y1 + 1, radius + 1, kWhite, 0.10);
    canvas.FillRoundRect(x0, y0, x1, y1, radius, Color::Rgb(30, 31, 35));
}

void PanelParts::Symbolic(Canvas& canvas, double cx, double cy, Symbol symbol, double dim) {
    const Color silk = Silk().Scaled(dim);
    switch (symbol) {
    case Symbol::None:
        break;
    case Symbol::Play:
        canvas.FillPolygon({{cx - 4, cy - 6}, {cx + 6, cy}, {cx - 4, cy + 6}}, Color::Rgb(96, 224, 116).Scaled(dim));
        break;
    case Symbol::Reverse:
        canvas.FillPolygon({{cx + 4, cy - 6}, {cx - 6, cy}, {cx + 4, cy + 6}}, silk);
        break;
    case Symbol::Stop:
        canvas.FillRect(cx - 5, cy - 5, cx + 5, cy + 5, Color::Rgb(236, 84, 72).Scaled(dim));
        break;
    case Symbol::Rewind:
        canvas.FillPolygon({{cx + 0.5, cy - 5}, {cx - 7, cy}, {cx + 0.5, cy + 5}}, silk);
        canvas.FillPolygon({{cx + 7.5, cy - 5}, {cx, cy}, {cx + 7.5, cy + 5}}, silk);
        break;
    case Symbol::FastForward:
        canvas.FillPolygon({{cx - 0.5, cy - 5}, {cx + 7, cy}, {cx - 0.5, cy + 5}}, silk);
        canvas.FillPolygon({{cx - 7.5, cy - 5}, {cx, cy}, {cx - 7.5, cy + 5}}, silk);
        break;
    }
}

void PanelParts::RowKey(Canvas& canvas, int x, int y, const std::string& label, Symbol symbol, bool pressed) {
    const double s = kRowKeySize;
    canvas.FillRect(x, y, x + s, y + s, Well());
    const double d = pressed ? 1.0 : 0.0;
    const double k = pressed ? 0.62 : 1.0;
    if (!pressed)
        canvas.FillRoundRect(x + 1.5, y + 2, x + s - 0.5, y + s, 4, kBlack, 0.6);
    else
        canvas.FillRect(x, y, x + s, y + 1.5, kBlack, 0.5);
    const double x0 = x + 1 + d, y0 = y + 1 + d, x1 = x + s - 2 + d, y1 = y + s - 2 + d;
    canvas.FillRoundRect(
        x0, y0, x1, y1, 4,
        Paint::Linear(0, y0, Color::Rgb(88, 91, 98).Scaled(k), 0, y1, Color::Rgb(48, 50, 55).Scaled(k)));
    canvas.FillRoundRect(
        x0 + 2, y0 + 2, x1 - 2, y1 - 3, 3,
        Paint::Linear(0, y0, Color::Rgb(62, 65, 71).Scaled(k), 0, y1, Color::Rgb(76, 79, 85).Scaled(k)));
    if (!pressed) canvas.FillRect(x0 + 3, y0 + 0.2, x1 - 3, y0 + 1.0, kWhite, 0.22);
    const double cx = (x0 + x1) / 2;
    const double cy = (y0 + y1) / 2 - 0.5;
    if (symbol != Symbol::None) Symbolic(canvas, cx, cy, symbol, pressed ? 0.8 : 1.0);
    if (!label.empty()) Font::Regular().DrawCentered(canvas, cx, cy, label, Silk().Scaled(pressed ? 0.8 : 1.0), true);
}

void PanelParts::RoundKey(Canvas& canvas, double cx, double cy, const std::string& label, bool pressed) {
    canvas.FillCircle(cx + kRoundKeyLipOffset.x, cy + kRoundKeyLipOffset.y, kRoundKeyLip, kWhite, 0.08);
    canvas.FillCircle(cx, cy, kRoundKeyWell, Well());
    const double k = pressed ? 0.62 : 1.0;
    const double x = cx + (pressed ? 0.6 : 0.0);
    const double y = cy + (pressed ? 0.8 : 0.0);
    if (!pressed) canvas.FillCircle(cx + 0.4, cy + 1.3, 15.6, kBlack, 0.6);
    canvas.FillCircle(
        x, y, 15.3,
        Paint::Radial(x - 5, y - 7, 26, Color::Rgb(108, 111, 118).Scaled(k), Color::Rgb(40, 42, 47).Scaled(k)));
    canvas.FillCircle(
        x, y + 0.3, 12.3,
        Paint::Linear(0, y - 12, Color::Rgb(60, 63, 69).Scaled(k), 0, y + 12, Color::Rgb(80, 83, 90).Scaled(k)));
    Font::Regular().DrawCentered(canvas, x, y, label, Silk().Scaled(pressed ? 0.8 : 1.0), true);
}

void PanelParts::WingKey(Canvas& canvas, int x, int y, const std::vector<Point>& outline, const std::string& label,
                         double labelX, double labelY, bool pressed) {
    const std::vector<Point> shape = geometry::Translated(outline, x, y);
    canvas.FillPolygon(shape, Well());
    const double d = pressed ? 0.8 : 0.0;
    const double k = pressed ? 0.62 : 1.0;
    if (!pressed) canvas.FillPolygonInset(geometry::Translated(shape, 0.4, 1.3), 1.6, kBlack, 0.6);
    const std::vector<Point> cap = geometry::Translated(shape, d, d);
    double top = cap[0].y, bottom = cap[0].y;
    for (const Point& p : cap) {
        top = std::fmin(top, p.y);
        bottom = std::fmax(bottom, p.y);
    }
    canvas.FillPolygonInset(
        cap, 1.6,
        Paint::Linear(0, top, Color::Rgb(92, 95, 102).Scaled(k), 0, bottom, Color::Rgb(44, 46, 51).Scaled(k)));
    canvas.FillPolygonInset(
        cap, 4.2, Paint::Linear(0, top, Color::Rgb(62, 65, 71).Scaled(k), 0, bottom, Color::Rgb(78, 81, 88).Scaled(k)));
    Font::Regular().DrawCentered(canvas, x + labelX + d, y + labelY + d, label, Silk().Scaled(pressed ? 0.8 : 1.0));
}

void PanelParts::Lamp(Canvas& canvas, int x, int y, bool lit) {
    canvas.FillRect(x, y, x + kLampWidth, y + kLampHeight, Color::Rgb(12, 12, 14));
    canvas.FrameRect(x + 1, y + 1, x + kLampWidth - 1, y + kLampHeight - 1, Color::Rgb(74, 76, 80));
    const double x0 = x + 2, y0 = y + 2, x1 = x + kLampWidth - 2, y1 = y + kLampHeight - 2;
    if (lit) {
        canvas.FillRect(
            x0, y0, x1, y1,
            Paint::Radial((x0 + x1) / 2, (y0 + y1) / 2, 5, Color::Rgb(210, 255, 200), Color::Rgb(40, 196, 64)));
    } else {
        canvas.FillRect(x0, y0, x1, y1, Paint::Linear(0, y0, Color::Rgb(28, 62, 34), 0, y1, Color::Rgb(14, 34, 18)));
        canvas.FillRect(x0 + 1, y0, x1 - 2, y0 + 1, Color::Rgb(90, 130, 96), 0.5);
    }
}

void PanelParts::LampKey(Canvas& canvas, int x, int y, bool pressed) {
    const double s = kLampKeySize;
    const double k = pressed ? 0.62 : 1.0;
    canvas.FillRect(x, y, x + s, y + s, Well());
    canvas.FillRoundRect(
        x + 1, y + 1, x + s - 1, y + s - 1, 2.5,
        Paint::Linear(0, y, Color::Rgb(100, 103, 110).Scaled(k), 0, y + s, Color::Rgb(52, 54, 60).Scaled(k)));
    canvas.FillRoundRect(
        x + 3, y + 3, x + s - 3, y + s - 3, 2,
        Paint::Linear(0, y, Color::Rgb(68, 71, 77).Scaled(k), 0, y + s, Color::Rgb(84, 87, 94).Scaled(k)));
    if (pressed) {
        canvas.FillRect(x + 1, y + 1, x + s - 1, y + 2, kBlack, 0.55);
        canvas.FillRect(x + 1, y + 2, x + 2, y + s - 1, kBlack, 0.45);
    } else {
        canvas.FillRect(x + 3, y + 1, x + s - 3, y + 2, kWhite, 0.2);
    }
    // The lamp window: the lamp control covers (9, 9)-(13, 13) when lit.
    canvas.FillRect(x + 8, y + 8, x + 14, y + 14, Color::Rgb(10, 11, 10));
    canvas.FillRect(x + 9, y + 9, x + 13, y + 13, Color::Rgb(26, 44, 28));
    canvas.FillRect(x + 9, y + 9, x + 11, y + 10, Color::Rgb(70, 96, 72), 0.7);
}

void PanelParts::LampDot(Canvas& canvas, int x, int y) {
    canvas.FillRect(x, y, x + 4, y + 4, Color::Rgb(156, 255, 160));
    canvas.FillRect(x + 1, y + 1, x + 3, y + 3, Color::Rgb(44, 206, 66));
}

void PanelParts::Knob(Canvas& canvas, double cx, double cy, double capRadius, const Color& cap, double scaleRadius,
                      double skirtWidth) {
    for (int i = 0; i <= 10; ++i) {
        const double a = (-135.0 + 27.0 * i) * kPi / 180.0;
        canvas.FillCircle(cx + scaleRadius * std::sin(a), cy - scaleRadius * std::cos(a),
                          i == 0 || i == 10 ? 0.85 : 0.6, SilkDim());
    }
    const double skirt = capRadius + skirtWidth;
    canvas.FillCircle(cx + 0.4, cy + 1.0, skirt + 0.2, kBlack, 0.6);
    canvas.FillCircle(cx, cy, skirt,
                      Paint::Radial(cx - 4, cy - 5, skirt * 1.8, Color::Rgb(74, 76, 82), Color::Rgb(20, 21, 24)));
    for (int i = 0; i < 36; ++i) {
        const double a = i * 10.0 * kPi / 180.0;
        canvas.DrawLine(cx + (skirt - 2.2) * std::sin(a), cy - (skirt - 2.2) * std::cos(a),
                        cx + (skirt - 0.6) * std::sin(a), cy - (skirt - 0.6) * std::cos(a), 0.9, kBlack, 0.45);
    }
    canvas.FillCircle(cx, cy, capRadius + 0.8, kBlack, 0.55);
    canvas.FillCircle(cx, cy, capRadius,
                      Paint::Radial(cx - capRadius * 0.4, cy - capRadius * 0.5, capRadius * 1.9, cap.Mix(kWhite, 0.35),
                                    cap.Scaled(0.55)));
    canvas.FillCircle(cx, cy, capRadius * 0.72,
                      Paint::Linear(0, cy - capRadius, cap.Scaled(0.72), 0, cy + capRadius, cap.Scaled(0.95)));
}

const std::vector<Point>& PanelParts::LeftWingOutline() {
    static const std::vector<Point> outline{{34, 0}, {45, 26}, {51, 50}, {22, 72}, {3, 39}, {0, 0}, {34, 0}};
    return outline;
}

const std::vector<Point>& PanelParts::RightWingOutline() {
    static const std::vector<Point> outline{{52, 1}, {48, 43}, {27, 72}, {0, 52}, {10, 28}, {16, 0}, {52, 1}};
    return outline;
}
