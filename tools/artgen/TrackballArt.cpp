#include "tools/artgen/TrackballArt.h"

#include "res/resource.h"
#include "tools/artgen/Font.h"
#include "tools/artgen/PanelParts.h"

#include <cmath>
#include <cstdint>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int O = TrackballArt::kOrigin;

struct RoundKey {
    const char* label;
    int x, y;  // window origin, client pixels; the caps are 35 x 35
};
const RoundKey kRoundKeys[] = {{"A", 28, 79},  {"B", 59, 39},  {"C", 106, 17},
                               {"D", 159, 17}, {"E", 206, 39}, {"F", 239, 79}};
}  // namespace

void TrackballArt::Ball(Canvas& c, double cx, double cy) {
    const Color black = Color::Rgb(0, 0, 0);
    const Color white = Color::Rgb(255, 255, 255);
    c.FillCircle(cx + 0.5, cy + 1.0, 95.5, white, 0.07);
    c.FillCircle(cx, cy, 95.0, PanelParts::Well());
    // The Z ring: a ribbed collar the ring mark turns on.
    c.FillRing(cx, cy, 92.5, 66.0,
               Paint::Radial(cx - 40, cy - 55, 180, Color::Rgb(84, 87, 94), Color::Rgb(26, 27, 30)));
    for (int i = 0; i < 72; ++i) {
        const double a = i * 5.0 * kPi / 180.0;
        const double s = std::sin(a), k = std::cos(a);
        c.DrawLine(cx + 84.0 * s, cy - 84.0 * k, cx + 91.0 * s, cy - 91.0 * k, 1.4, black, 0.4);
    }
    c.FillRing(cx, cy, 83.0, 82.0, black, 0.35);
    c.FillRing(cx, cy, 92.5, 91.2, white, 0.08);
    c.FillRing(cx, cy, 66.0, 62.5, black, 0.9);
    // The ball: deep red resin with a soft specular spot.
    c.FillCircle(cx, cy, 62.5, Paint::Radial(cx - 18, cy - 22, 92, Color::Rgb(176, 48, 44), Color::Rgb(40, 6, 8)));
    uint32_t seed = 12345u;
    for (int i = 0; i < 140; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double a = (seed >> 8) % 3600 / 10.0 * kPi / 180.0;
        seed = seed * 1664525u + 1013904223u;
        const double r = std::sqrt((seed >> 8) % 10000 / 10000.0) * 58.0;
        c.FillCircle(cx + r * std::cos(a), cy + r * std::sin(a), 0.7, black, 0.25);
    }
    c.FillEllipse(cx - 22, cy - 28, 16, 10, white, 0.10);
    c.FillEllipse(cx - 24, cy - 30, 7, 4, white, 0.22);
}

Canvas TrackballArt::Picture(PlateMap* map) {
    PlateMap scratch;
    PlateMap& plate = map ? *map : scratch;
    Canvas c(kWidth, kHeight);
    PanelParts::Plate(c);
    for (const Point& at :
         {Point{6.5, 6.5}, Point{kWidth - 6.5, 6.5}, Point{6.5, kHeight - 6.5}, Point{kWidth - 6.5, kHeight - 6.5}}) {
        PanelParts::Screw(c, at.x, at.y);
        PanelParts::MapScrew(plate, at.x, at.y);
    }

    const double ballX = kDialX + kDialSize / 2 + 0.5 - O, ballY = kDialY + kDialSize / 2 + 0.5 - O;
    Ball(c, ballX, ballY);
    plate.RoundPart("ball", ballX, ballY, 96.2);
    for (const RoundKey& k : kRoundKeys) {
        PanelParts::RoundKey(c, k.x + 17.5 - O, k.y + 17.5 - O, k.label, false);
        PanelParts::MapRoundKey(plate, k.label, k.x + 17.5 - O, k.y + 17.5 - O);
    }
    PanelParts::WingKey(c, 13 - O, 155 - O, PanelParts::LeftWingOutline(), "SHIFT", 24.5, 31.5, false);
    PanelParts::WingKey(c, 240 - O, 155 - O, PanelParts::RightWingOutline(), "ENTER", 28.5, 31.5, false);
    plate.Part("SHIFT", 13 - O, 155 - O, 13 - O + 52, 155 - O + 72);
    plate.Part("ENTER", 240 - O, 155 - O, 240 - O + 52, 155 - O + 72);
    plate.Label(c, Font::Small(), 14 - O, 9 - O, "TRACKBALL", PanelParts::SilkDim());
    plate.Label(c, Font::Small(), 262 - O, 9 - O, "Z RING", PanelParts::SilkDim());
    return c;
}

void TrackballArt::AddBitmaps(std::map<int, Canvas>& out) {
    const Canvas picture = Picture();
    out.emplace(IDB_TRACKBALL_PANEL, picture);
    // The dial window is 193 x 193 with its centre at pixel (96, 96); the
    // skin covers its top-left 188 x 187 pixels.
    out.emplace(IDB_TRACKBALL_BALL, picture.Crop(kDialX - O, kDialY - O, kSkinWidth, kSkinHeight));
}
