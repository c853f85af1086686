#include "tools/artgen/JogShuttleArt.h"

#include "res/resource.h"
#include "tools/artgen/Font.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
using Symbol = PanelParts::Symbol;
using Kind = JogShuttleArt::Kind;
constexpr int O = JogShuttleArt::kOrigin;
}  // namespace

const std::vector<JogShuttleArt::Key>& JogShuttleArt::Keys() {
    static const std::vector<Key> keys{
        {"F1", Symbol::None, Kind::Row, 20, 23, 38, 38, 134, 132, 40, 40, 40},
        {"F2", Symbol::None, Kind::Row, 60, 23, 38, 38, 135, 140, 40, 40, 40},
        {"F3", Symbol::None, Kind::Row, 100, 23, 38, 38, 136, 141, 40, 40, 40},
        {"F4", Symbol::None, Kind::Row, 140, 23, 38, 38, 137, 142, 40, 40, 40},
        {"F5", Symbol::None, Kind::Row, 180, 23, 38, 38, 138, 143, 40, 40, 40},
        {"F6", Symbol::None, Kind::Row, 220, 23, 38, 38, 139, 144, 40, 40, 40},
        {"", Symbol::Reverse, Kind::Row, 40, 63, 38, 38, 145, 150, 40, 40, 40},
        {"", Symbol::Play, Kind::Row, 80, 63, 38, 38, 146, 151, 40, 40, 40},
        {"", Symbol::Stop, Kind::Row, 120, 63, 38, 38, 147, 152, 40, 40, 40},
        {"", Symbol::Rewind, Kind::Row, 160, 63, 38, 38, 148, 172, 40, 40, 39},
        {"", Symbol::FastForward, Kind::Row, 200, 63, 38, 38, 149, 153, 40, 40, 40},
        {"SHIFT", Symbol::None, Kind::LeftWing, 8, 247, 51, 71, 154, 155, 52, 72, 72},
        {"A", Symbol::None, Kind::Round, 16, 189, 36, 36, 158, 159, 35, 35, 35},
        {"B", Symbol::None, Kind::Round, 37, 149, 36, 36, 160, 161, 35, 35, 35},
        {"C", Symbol::None, Kind::Round, 75, 121, 36, 36, 162, 163, 35, 35, 35},
        {"D", Symbol::None, Kind::Round, 124, 112, 36, 36, 164, 165, 35, 35, 35},
        {"E", Symbol::None, Kind::Round, 174, 120, 36, 36, 166, 167, 35, 35, 35},
        {"F", Symbol::None, Kind::Round, 211, 150, 36, 36, 168, 169, 35, 35, 35},
        {"G", Symbol::None, Kind::Round, 232, 191, 36, 36, 171, 170, 35, 35, 35},
        {"ENTER", Symbol::None, Kind::RightWing, 223, 246, 51, 71, 156, 157, 52, 72, 72},
    };
    return keys;
}

const std::vector<JogShuttleArt::Lamp>& JogShuttleArt::Lamps() {
    static const std::vector<Lamp> lamps{{213, 111, "JOG"}, {229, 125, "SHUTTLE"}, {244, 140, "DMC"}};
    return lamps;
}

void JogShuttleArt::Dial(Canvas& c, double cx, double cy) {
    const Color black = Color::Rgb(0, 0, 0);
    const Color white = Color::Rgb(255, 255, 255);
    c.FillCircle(cx + 0.5, cy + 1.0, 70.0, white, 0.07);
    c.FillCircle(cx, cy, 69.6, PanelParts::Well());
    // Shuttle ring: ribbed rubber.
    c.FillRing(cx, cy, 68.0, 56.0,
               Paint::Radial(cx - 30, cy - 40, 130, Color::Rgb(70, 72, 78), Color::Rgb(24, 25, 28)));
    for (int i = 0; i < 60; ++i) {
        const double a = i * 6.0 * kPi / 180.0;
        const double s = std::sin(a), k = std::cos(a);
        c.DrawLine(cx + 58.0 * s, cy - 58.0 * k, cx + 66.5 * s, cy - 66.5 * k, 1.3, black, 0.45);
        const double b = a + 1.6 * kPi / 180.0;
        c.DrawLine(cx + 58.5 * std::sin(b), cy - 58.5 * std::cos(b), cx + 66.0 * std::sin(b), cy - 66.0 * std::cos(b),
                   0.8, white, 0.07);
    }
    c.FillRing(cx, cy, 56.2, 54.2, black, 0.85);
    // Jog wheel: machined metal with fine concentric turning marks.
    c.FillCircle(cx, cy, 54.3, Paint::Radial(cx - 22, cy - 26, 100, Color::Rgb(96, 99, 106), Color::Rgb(34, 36, 40)));
    for (double r = 27.0; r < 53.5; r += 2.0) c.FillRing(cx, cy, r + 0.6, r, white, 0.035);
    c.FillRing(cx, cy, 54.3, 52.8, white, 0.08);
    // Centre hub, slightly proud of the wheel.
    c.FillCircle(cx + 0.4, cy + 1.2, 24.6, black, 0.55);
    c.FillCircle(cx, cy, 24.0, Paint::Linear(0, cy - 24, Color::Rgb(82, 85, 92), 0, cy + 24, Color::Rgb(40, 42, 47)));
    c.FillCircle(cx, cy, 21.5, Paint::Radial(cx - 6, cy - 8, 30, Color::Rgb(66, 69, 75), Color::Rgb(44, 46, 51)));
}

Canvas JogShuttleArt::Picture(int pressedKey, unsigned litLamps, PlateMap* map) {
    PlateMap scratch;
    PlateMap& plate = map ? *map : scratch;
    Canvas c(kWidth, kHeight);
    PanelParts::Plate(c);
    for (const Point& at :
         {Point{6.5, 6.5}, Point{kWidth - 6.5, 6.5}, Point{6.5, kHeight - 6.5}, Point{kWidth - 6.5, kHeight - 6.5}}) {
        PanelParts::Screw(c, at.x, at.y);
        PanelParts::MapScrew(plate, at.x, at.y);
    }

    // Key channels of the function and transport rows; the transport channel
    // stops two pixels under its keys, which leaves DMC room above key D.
    PanelParts::Recess(c, 17 - O, 20 - O, 261 - O, 64 - O, 5);
    PanelParts::Recess(c, 37 - O, 60 - O, 241 - O, 103 - O, 5);
    plate.Part("function row", 17 - O - 1, 20 - O - 1, 261 - O + 1, 64 - O + 1);
    plate.Part("transport row", 37 - O - 1, 60 - O - 1, 241 - O + 1, 103 - O + 1);
    const Font& small = Font::Small();
    plate.Label(c, small, 20 - O, 12 - O, "FUNCTION", PanelParts::SilkDim());
    // Flush with the row's right end, clear of the corner screw.
    plate.Label(c, small, 261 - O - small.TextWidth("JOG/SHUTTLE"), 12 - O, "JOG/SHUTTLE", PanelParts::SilkDim());
    plate.Label(c, small, 8 - O, 80 - O, "TRANS", PanelParts::SilkDim());
    plate.Label(c, small, 8 - O, 87 - O, "PORT", PanelParts::SilkDim());

    const double dialX = kDialX + kDialSize / 2 + 0.5 - O, dialY = kDialY + kDialSize / 2 + 0.5 - O;
    Dial(c, dialX, dialY);
    plate.RoundPart("dial", dialX, dialY, 70.5);

    const std::vector<Key>& keys = Keys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const Key& k = keys[i];
        const bool down = int(i) == pressedKey;
        switch (k.kind) {
        case Kind::Row:
            PanelParts::RowKey(c, k.x - O, k.y - O, k.label, k.symbol, down);
            break;
        case Kind::Round:
            PanelParts::RoundKey(c, k.x + 17.5 - O, k.y + 17.5 - O, k.label, down);
            PanelParts::MapRoundKey(plate, k.label, k.x + 17.5 - O, k.y + 17.5 - O);
            break;
        case Kind::LeftWing:
            PanelParts::WingKey(c, k.x - O, k.y - O, PanelParts::LeftWingOutline(), k.label, 24.5, 31.5, down);
            plate.Part(k.label, k.x - O, k.y - O, k.x - O + k.bitmapWidth, k.y - O + k.bitmapHeight);
            break;
        case Kind::RightWing:
            PanelParts::WingKey(c, k.x - O, k.y - O, PanelParts::RightWingOutline(), k.label, 28.5, 31.5, down);
            plate.Part(k.label, k.x - O, k.y - O, k.x - O + k.bitmapWidth, k.y - O + k.bitmapHeight);
            break;
        }
    }
    // Dial-mode captions of A to D, set where the keys leave room.
    plate.LabelCentered(c, small, 16 + 18 - O, 189 + 41 - O, "OFF", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 37 + 18 - O, 149 - 6 - O, "JOG", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 75 + 18 - O, 121 - 6 - O, "SHTL", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 124 + 18 - O, 112 - 5 - O, "DMC", PanelParts::SilkDim());

    const std::vector<Lamp>& lamps = Lamps();
    for (size_t i = 0; i < lamps.size(); ++i) {
        const int x = lamps[i].x - O, y = lamps[i].y - O;
        PanelParts::Lamp(c, x, y, (litLamps >> i) & 1u);
        plate.Part("lamp", x, y, x + PanelParts::kLampWidth, y + PanelParts::kLampHeight);
        plate.Label(c, small, x + 14, y + 3, lamps[i].label, PanelParts::Silk());
    }
    // Above the lowest rows, which a dialog laid out with a 14-pixel font cell cuts off.
    plate.LabelCentered(c, Font::Regular(), 140.5 - O, 318 - O, "JOG SHUTTLE", PanelParts::SilkDim());
    return c;
}

void JogShuttleArt::AddBitmaps(std::map<int, Canvas>& out) {
    const Canvas picture = Picture();
    out.emplace(IDB_JOG_PANEL, picture);
    const std::vector<Key>& keys = Keys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const Key& k = keys[i];
        out.emplace(k.normalBitmap, picture.Crop(k.x - O, k.y - O, k.bitmapWidth, k.bitmapHeight));
        out.emplace(k.pressedBitmap, Picture(int(i)).Crop(k.x - O, k.y - O, k.bitmapWidth, k.pressedBitmapHeight));
    }
    Canvas dark(PanelParts::kLampWidth, PanelParts::kLampHeight);
    PanelParts::Lamp(dark, 0, 0, false);
    out.emplace(IDB_JOG_LAMP_DARK, dark);
    Canvas lit(PanelParts::kLampWidth, PanelParts::kLampHeight);
    PanelParts::Lamp(lit, 0, 0, true);
    out.emplace(IDB_JOG_LAMP_LIT, lit);
    out.emplace(IDB_JOG_DIAL, picture.Crop(kDialX - O, kDialY - O, kDialSkin, kDialSkin));
}
