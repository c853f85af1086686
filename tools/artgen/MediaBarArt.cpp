#include "tools/artgen/MediaBarArt.h"

#include "res/resource.h"
#include "tools/artgen/Font.h"
#include "tools/artgen/PanelParts.h"

#include <string>

namespace {
constexpr int OX = MediaBarArt::kOriginX;
constexpr int OY = MediaBarArt::kOriginY;

Color CapColor(int k) {
    static const Color caps[8] = {Color::Rgb(196, 44, 40),  Color::Rgb(220, 120, 30), Color::Rgb(206, 180, 40),
                                  Color::Rgb(60, 160, 70),  Color::Rgb(40, 150, 170), Color::Rgb(50, 90, 196),
                                  Color::Rgb(130, 70, 180), Color::Rgb(150, 152, 158)};
    return caps[k];
}
}  // namespace

Canvas MediaBarArt::Picture(PlateMap* map) {
    PlateMap scratch;
    PlateMap& plate = map ? *map : scratch;
    Canvas c(kWidth, kHeight);
    PanelParts::Plate(c);
    for (const Point& at :
         {Point{6.5, 6.5}, Point{6.5, kHeight - 6.5}, Point{kWidth - 6.5, 6.5}, Point{kWidth - 6.5, kHeight - 6.5}}) {
        PanelParts::Screw(c, at.x, at.y);
        PanelParts::MapScrew(plate, at.x, at.y);
    }

    const Font& regular = Font::Regular();
    const Font& small = Font::Small();
    // Keys A and B with their labels to the right.
    const int keyX = 36 - OX;
    for (int i = 0; i < 2; ++i) {
        const int keyY = (i == 0 ? 59 : 89) - OY;
        PanelParts::LampKey(c, keyX, keyY, false);
        plate.Part("key", keyX, keyY, keyX + PanelParts::kLampKeySize, keyY + PanelParts::kLampKeySize);
        plate.Label(c, regular, keyX + 25, keyY + 8, i == 0 ? "A" : "B", PanelParts::Silk());
    }
    // A groove between the keys and the knob row.
    c.FillRect(52, 6, 53, kHeight - 6, Color::Rgb(0, 0, 0), 0.5);
    c.FillRect(53, 6, 54, kHeight - 6, Color::Rgb(255, 255, 255), 0.08);
    plate.Part("groove", 52, 6, 54, kHeight - 6);

    for (int k = 0; k < kKnobs; ++k) {
        const double cx = KnobX(k) + kKnobSize / 2 + 0.5 - OX;
        const double cy = kKnobY + kKnobSize / 2 + 0.5 - OY;
        PanelParts::Knob(c, cx, cy, 12.0, CapColor(k), 16.0, 2.6);
        plate.RoundPart("knob", cx, cy, 17.0);
        plate.LabelCentered(c, regular, cx, 14, std::to_string(k + 1), PanelParts::Silk());
    }
    plate.Label(c, small, kWidth - 52, kHeight - 8, "MEDIA BAR", PanelParts::SilkDim());
    return c;
}

void MediaBarArt::AddBitmaps(std::map<int, Canvas>& out) {
    const Canvas picture = Picture();
    out.emplace(IDB_MEDIABAR_PANEL, picture);
    for (int k = 0; k < kKnobs; ++k)
        out.emplace(IDB_MEDIABAR_KNOB_FIRST + k, picture.Crop(KnobX(k) - OX, kKnobY - OY, kKnobSkin, kKnobSkin));
}
