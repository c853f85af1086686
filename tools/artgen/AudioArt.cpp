#include "tools/artgen/AudioArt.h"

#include "res/resource.h"
#include "tools/artgen/Font.h"
#include "tools/artgen/PanelParts.h"

#include <string>

namespace {
constexpr int O = AudioArt::kOrigin;
const Color kBlack = Color::Rgb(0, 0, 0);
const Color kWhite = Color::Rgb(255, 255, 255);

struct ScaleMark {
    int value;
    const char* text;
};
// The fader law printed beside the faders (dB at the thumb's centre line).
const ScaleMark kScale[] = {{255, "+10"}, {223, "+5"}, {191, "0"},  {159, "-5"}, {127, "-10"},
                            {95, "-20"},  {63, "-30"}, {31, "-40"}, {0, "-60"}};
}  // namespace

const std::vector<AudioArt::Key>& AudioArt::Keys() {
    static const std::vector<Key> keys{{339, 18},  {25, 18},   {64, 18},   {104, 18},  {143, 18},  {182, 18},
                                       {222, 18},  {261, 18},  {300, 18},  {339, 48},  {25, 48},   {64, 48},
                                       {104, 48},  {143, 48},  {182, 48},  {222, 48},  {261, 48},  {300, 48},
                                       {437, 142}, {437, 179}, {466, 142}, {437, 216}, {437, 247}, {437, 278},
                                       {437, 309}, {466, 216}, {466, 247}, {466, 278}, {466, 309}};
    return keys;
}

double AudioArt::ThumbCentreY(int value) {
    const double span = (267 - 5) - kThumbHeight;
    return 5 + (255 - value) * span / 255.0 + kThumbHeight / 2.0;
}

Canvas AudioArt::FaderBackground() {
    Canvas c(kFaderWidth, kFaderHeight);
    c.FillRect(0, 0, kFaderWidth, kFaderHeight, Paint(&PanelParts::SurfaceAt));
    for (const ScaleMark& m : kScale) {
        const double y = ThumbCentreY(m.value);
        const bool unity = m.value == 191;
        const Color tick = unity ? PanelParts::Silk() : PanelParts::SilkDim();
        c.FillRect(unity ? 2 : 4, y - 0.5, 10, y + 0.5, tick);
        c.FillRect(20, y - 0.5, unity ? 26 : 24, y + 0.5, tick);
    }
    // The slot the thumb runs in, centred on the thumb (x 3..27).
    c.FillRoundRect(12.5, 22, 17.5, 251, 2.5, kWhite, 0.10);
    c.FillRoundRect(12, 21, 17, 250, 2.5, Color::Rgb(6, 6, 7));
    c.FillRect(13, 22, 16, 23, kBlack);
    return c;
}

Canvas AudioArt::Thumb(bool master) {
    Canvas c(kThumbWidth, kThumbHeight, Color::Rgb(14, 14, 16));
    const Color top = master ? Color::Rgb(206, 56, 46) : Color::Rgb(184, 186, 191);
    const Color bottom = master ? Color::Rgb(110, 22, 18) : Color::Rgb(104, 106, 111);
    c.FillRoundRect(0.5, 0.5, kThumbWidth - 0.5, kThumbHeight - 0.5, 2.5,
                    Paint::Linear(0, 0, top, 0, kThumbHeight, bottom));
    // Grip ridges above and below the centre line.
    for (int y = 6; y <= 21; y += 3) {
        c.FillRect(3, y, kThumbWidth - 3, y + 1, kBlack, 0.35);
        c.FillRect(3, y + 1, kThumbWidth - 3, y + 2, kWhite, 0.18);
    }
    for (int y = 33; y <= 48; y += 3) {
        c.FillRect(3, y, kThumbWidth - 3, y + 1, kBlack, 0.35);
        c.FillRect(3, y + 1, kThumbWidth - 3, y + 2, kWhite, 0.18);
    }
    c.FillRect(1, 26.5, kThumbWidth - 1, 28.5, kBlack, 0.5);
    c.FillRect(1, 27, kThumbWidth - 1, 28, kWhite, 0.95);
    c.FillRect(0.5, 0.5, kThumbWidth - 0.5, 1.5, kWhite, 0.3);
    return c;
}

Canvas AudioArt::Picture(PlateMap* map) {
    PlateMap scratch;
    PlateMap& plate = map ? *map : scratch;
    Canvas c(kWidth, kHeight);
    PanelParts::Plate(c);
    for (const Point& at :
         {Point{6.5, 6.5}, Point{kWidth - 6.5, 6.5}, Point{6.5, kHeight - 6.5}, Point{kWidth - 6.5, kHeight - 6.5}}) {
        PanelParts::Screw(c, at.x, at.y);
        PanelParts::MapScrew(plate, at.x, at.y);
    }
    const Font& small = Font::Small();
    const Font& regular = Font::Regular();

    // Channel strips: grooves between them, numbers, fader and scale.
    for (int i = 1; i < 9; ++i) {
        const double x = ChannelFaderX(i) - 6 - O;
        c.FillRect(x, 82 - O, x + 1, 368 - O, kBlack, 0.45);
        c.FillRect(x + 1, 82 - O, x + 2, 368 - O, kWhite, 0.07);
        plate.Part("groove", x, 82 - O, x + 2, 368 - O);
    }
    const Canvas background = FaderBackground();
    const Canvas channelThumb = Thumb(false);
    const Canvas masterThumb = Thumb(true);
    const int thumbTop = int(ThumbCentreY(191) - kThumbHeight / 2.0 + 0.5);
    for (int i = 0; i <= 8; ++i) {
        const bool master = i == 8;
        const int x = (master ? kMasterX : ChannelFaderX(i)) - O;
        c.Draw(background, x, kFaderY - O);
        c.Draw(master ? masterThumb : channelThumb, x + 3, kFaderY - O + thumbTop);
        plate.Part("fader", x, kFaderY - O, x + kFaderWidth, kFaderY - O + kFaderHeight);
        const std::string name = master ? "M" : std::to_string(i + 1);
        if (!master) plate.LabelCentered(c, small, x + 14, 6 - O + 3, name, PanelParts::Silk());
        plate.LabelCentered(c, small, x + 14, 370 - O, name, PanelParts::SilkDim());
    }
    plate.LabelCentered(c, small, kMasterX + 14 - O, 92 - O, "MASTER", PanelParts::Silk());
    for (const ScaleMark& m : kScale) {
        const int y = int(kFaderY + ThumbCentreY(m.value) - 2.0) - O;
        plate.Label(c, small, 20 - O - small.TextWidth(m.text) - 2, y, m.text, PanelParts::SilkDim());
        plate.Label(c, small, kMasterX + kFaderWidth + 3 - O, y, m.text, PanelParts::SilkDim());
    }

    for (const Key& k : Keys()) {
        PanelParts::Recess(c, k.x - 2 - O, k.y - 2 - O, k.x + 24 - O, k.y + 24 - O, 3);
        PanelParts::LampKey(c, k.x - O, k.y - O, false);
        plate.Part("key", k.x - 3 - O, k.y - 3 - O, k.x + 25 - O, k.y + 25 - O);
    }
    // FUNC over its key, in the row of the channel numbers; MUTE under its own.
    plate.LabelCentered(c, small, 350 - O, 6 - O + 3, "FUNC", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 350 - O, 77 - O, "MUTE", PanelParts::SilkDim());

    for (const int y : {23, 52}) {
        PanelParts::Lamp(c, 375 - O, y - O, false);
        plate.Part("lamp", 375 - O, y - O, 375 - O + PanelParts::kLampWidth, y - O + PanelParts::kLampHeight);
    }
    plate.Label(c, small, 390 - O, 26 - O, "OVER", PanelParts::Silk());
    plate.Label(c, small, 390 - O, 55 - O, "DATA", PanelParts::Silk());

    // Monitor level: a knob that is only drawn, never driven.
    PanelParts::Knob(c, 466 - O, 80 - O, 13, Color::Rgb(150, 152, 158), 23);
    c.DrawLine(466 - O, 80 - O, 466 - O + 7.8, 80 - O - 7.8, 2.0, kWhite, 0.9);
    plate.RoundPart("knob", 466 - O, 80 - O, 24);
    plate.LabelCentered(c, small, 466 - O, 48 - O, "MONITOR LEVEL", PanelParts::Silk());
    plate.LabelCentered(c, small, 449 - O, 110 - O, "MIN", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 483 - O, 110 - O, "MAX", PanelParts::SilkDim());

    plate.LabelCentered(c, small, 448 - O, 135 - O, "SOLO", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 477 - O, 135 - O, "MONO", PanelParts::SilkDim());
    plate.LabelCentered(c, small, 448 - O, 172 - O, "BANK", PanelParts::SilkDim());
    // Bank indicators, painted: the lower bank lit.
    c.FillRect(468 - O, 182 - O, 474 - O, 186 - O, Color::Rgb(60, 220, 80));
    c.FillRect(468 - O, 194 - O, 474 - O, 198 - O, Color::Rgb(24, 44, 28));
    plate.Part("bank lamps", 468 - O, 182 - O, 474 - O, 198 - O);
    plate.Label(c, small, 477 - O, 182 - O, "1-4", PanelParts::SilkDim());
    plate.Label(c, small, 477 - O, 194 - O, "5-8", PanelParts::SilkDim());

    plate.LabelCentered(c, small, 448 - O, 209 - O, "L", PanelParts::Silk());
    plate.LabelCentered(c, small, 477 - O, 209 - O, "R", PanelParts::Silk());
    const char* pairs[] = {"1/5", "2/6", "3/7", "4/8"};
    for (int i = 0; i < 4; ++i) plate.Label(c, small, 421 - O, 216 + 31 * i + 9 - O, pairs[i], PanelParts::SilkDim());

    // Under the last keys, above the rows a dialog laid out with a 14-pixel
    // font cell cuts off.
    plate.Label(c, regular, 437 - O, 340 - O, "AUDIO", PanelParts::SilkDim());
    return c;
}

void AudioArt::AddBitmaps(std::map<int, Canvas>& out) {
    out.emplace(IDB_AUDIO_PANEL, Picture());
    out.emplace(IDB_FADER_BACK, FaderBackground());
    out.emplace(IDB_AUDIO_THUMB, Thumb(false));
    out.emplace(IDB_AUDIO_MASTER_THUMB, Thumb(true));
    Canvas key(22, 22);
    PanelParts::LampKey(key, 0, 0, false);
    out.emplace(IDB_AUDIO_KEY, key);
    Canvas down(22, 22);
    PanelParts::LampKey(down, 0, 0, true);
    out.emplace(IDB_AUDIO_KEY_PRESSED, down);
    Canvas lamp(4, 4);
    PanelParts::LampDot(lamp, 0, 0);
    out.emplace(IDB_KEY_LAMP, lamp);
}
