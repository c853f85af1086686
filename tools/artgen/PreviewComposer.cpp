#include "tools/artgen/PreviewComposer.h"

#include "res/resource.h"
#include "tools/artgen/AudioArt.h"
#include "tools/artgen/Geometry.h"
#include "tools/artgen/JogShuttleArt.h"
#include "tools/artgen/MediaBarArt.h"
#include "tools/artgen/PanelParts.h"
#include "tools/artgen/TrackballArt.h"

#include <cmath>
#include <functional>

namespace {

const Color kFace = Color::Rgb(240, 240, 240);

using Region = std::function<bool(int x, int y)>;

// BitBlt of the bitmap into the window rectangle, clipped by the window
// region. Beyond the bitmap a button's copy comes out black, while a skin
// control copies only its skin and leaves the rest as it was (`skin`).
void Window(Canvas& client, const Canvas& bitmap, int x, int y, int w, int h, const Region& region, bool skin = false) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (region && !region(i, j)) continue;
            const bool inside = i < bitmap.Width() && j < bitmap.Height();
            if (!inside && skin) continue;
            const Color c = inside ? bitmap.Pixel(i, j) : Color::Rgb(0, 0, 0);
            client.SetPixel(x + i, y + j, c.WithAlpha(1));
        }
}

Region Ellipse(int w, int h) {
    return [w, h](int x, int y) {
        const double dx = (x + 0.5 - w / 2.0) / (w / 2.0);
        const double dy = (y + 0.5 - h / 2.0) / (h / 2.0);
        return dx * dx + dy * dy <= 1.0;
    };
}

Region Polygon(const std::vector<Point>& outline) {
    return [outline](int x, int y) { return geometry::PolygonContains(outline, x + 0.5, y + 0.5); };
}

// Picture control with its edge: `edge` 1 for the static edge, 2 for the client edge.
void PictureControl(Canvas& client, const Canvas& picture, int x, int y, int edge) {
    const int w = picture.Width() + 2 * edge, h = picture.Height() + 2 * edge;
    client.FillRect(x, y, x + w, y + h, Color::Rgb(160, 160, 160));
    client.FillRect(x + 1, y + h - 1, x + w, y + h, Color::Rgb(255, 255, 255));
    client.FillRect(x + w - 1, y + 1, x + w, y + h, Color::Rgb(255, 255, 255));
    if (edge > 1) client.FrameRect(x + 1, y + 1, x + w - 1, y + h - 1, Color::Rgb(105, 105, 105));
    client.Draw(picture, x + edge, y + edge);
}

// The dial control's white mark, as its drawing coordinates produce it.
void Mark(Canvas& client, int x, int y, int w, int h, int outer, int inner, int degrees) {
    const double theta = degrees == 0 ? 0.0 : 3.1415926535 / (180.0 / degrees);
    const int ox = int(outer * std::sin(theta)), oy = int(outer * std::cos(theta));
    const int ix = int(inner * std::sin(theta)), iy = int(inner * std::cos(theta));
    const double cx = x + w / 2 + 0.5, cy = y + h / 2 + 0.5;
    client.DrawLine(cx + ox, cy - oy, cx + ix, cy - iy, 3.0, Color::Rgb(255, 255, 255));
}

}  // namespace

Canvas PreviewComposer::JogShuttle(const Bitmaps& b, const std::set<int>& pressedKeys, unsigned litLamps,
                                   int dialDegrees) {
    Canvas client(446, 351, kFace);
    PictureControl(client, b.at(IDB_JOG_PANEL), 0, 0, 1);
    const int dx = JogShuttleArt::kDialX, dy = JogShuttleArt::kDialY, ds = JogShuttleArt::kDialSize;
    Window(client, b.at(IDB_JOG_DIAL), dx, dy, ds, ds, nullptr, true);
    Mark(client, dx, dy, ds, ds, ds / 3, ds / 3 - 16, dialDegrees);
    const auto& keys = JogShuttleArt::Keys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto& k = keys[i];
        const bool down = pressedKeys.count(int(i)) > 0;
        Region region;
        if (k.kind == JogShuttleArt::Kind::Round) region = Ellipse(36, 36);
        if (k.kind == JogShuttleArt::Kind::LeftWing) region = Polygon(PanelParts::LeftWingOutline());
        if (k.kind == JogShuttleArt::Kind::RightWing) region = Polygon(PanelParts::RightWingOutline());
        Window(client, b.at(down ? k.pressedBitmap : k.normalBitmap), k.x, k.y, k.width, k.height, region);
    }
    const auto& lamps = JogShuttleArt::Lamps();
    for (size_t i = 0; i < lamps.size(); ++i)
        Window(client, b.at((litLamps >> i) & 1u ? IDB_JOG_LAMP_LIT : IDB_JOG_LAMP_DARK), lamps[i].x, lamps[i].y, 12,
               10, nullptr);
    return client;
}

Canvas PreviewComposer::Trackball(const Bitmaps& b, const std::set<int>& pressedKeys, int ringDegrees) {
    Canvas client(474, 263, kFace);
    PictureControl(client, b.at(IDB_TRACKBALL_PANEL), 0, 0, 2);
    const int s = TrackballArt::kDialSize;
    Window(client, b.at(IDB_TRACKBALL_BALL), TrackballArt::kDialX, TrackballArt::kDialY, s, s, Ellipse(s, s), true);
    Mark(client, TrackballArt::kDialX, TrackballArt::kDialY, s, s, s / 2 - 6, s / 2 - 31, ringDegrees);
    const double cx = TrackballArt::kDialX + s / 2 + 0.5, cy = TrackballArt::kDialY + s / 2 + 0.5;
    client.FillCircle(cx, cy, 5.5, Color::Rgb(0, 0, 0));
    client.FillCircle(cx, cy, 4.5, Color::Rgb(255, 255, 255));
    struct Key {
        int x, y, w, h, normal, pressed;
        Region region;
    };
    const Key keys[] = {{13, 155, 70, 87, 154, 155, Polygon(PanelParts::LeftWingOutline())},
                        {28, 79, 35, 35, 158, 159, Ellipse(35, 35)},
                        {59, 39, 35, 35, 160, 161, Ellipse(35, 35)},
                        {106, 17, 35, 35, 162, 163, Ellipse(35, 35)},
                        {159, 17, 35, 35, 164, 165, Ellipse(35, 35)},
                        {206, 39, 35, 40, 166, 167, Ellipse(35, 35)},
                        {239, 79, 35, 35, 168, 169, Ellipse(35, 35)},
                        {240, 155, 70, 87, 156, 157, Polygon(PanelParts::RightWingOutline())}};
    for (int i = 0; i < 8; ++i) {
        const Key& k = keys[i];
        Window(client, b.at(pressedKeys.count(i) ? k.pressed : k.normal), k.x, k.y, k.w, k.h, k.region);
    }
    return client;
}

Canvas PreviewComposer::MediaBar(const Bitmaps& b, bool keyADown, bool lampB, int knobDegrees) {
    Canvas client(723, 184, kFace);
    PictureControl(client, b.at(IDB_MEDIABAR_PANEL), MediaBarArt::kOriginX - 2, MediaBarArt::kOriginY - 2, 2);
    Window(client, b.at(keyADown ? IDB_AUDIO_KEY_PRESSED : IDB_AUDIO_KEY), 36, 59, 22, 22, nullptr);
    Window(client, b.at(IDB_AUDIO_KEY), 36, 89, 22, 22, nullptr);
    if (lampB) Window(client, b.at(IDB_KEY_LAMP), 36 + 9, 89 + 9, 4, 4, nullptr);
    const int s = MediaBarArt::kKnobSize;
    for (int k = 0; k < MediaBarArt::kKnobs; ++k) {
        const int x = MediaBarArt::KnobX(k);
        Window(client, b.at(IDB_MEDIABAR_KNOB_FIRST + k), x, MediaBarArt::kKnobY, s, s, nullptr, true);
        Mark(client, x, MediaBarArt::kKnobY, s, s, s / 3 - 2, s / 3 - 12, knobDegrees * k);
    }
    return client;
}

Canvas PreviewComposer::Audio(const Bitmaps& b, const std::set<int>& pressedKeys, int faderValue) {
    Canvas client(676, 379, kFace);
    PictureControl(client, b.at(IDB_AUDIO_PANEL), 0, 0, 2);
    const auto& keys = AudioArt::Keys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const bool down = pressedKeys.count(int(i)) > 0;
        Window(client, b.at(down ? IDB_AUDIO_KEY_PRESSED : IDB_AUDIO_KEY), keys[i].x, keys[i].y, 22, 22, nullptr);
        if (i % 3 == 0) Window(client, b.at(IDB_KEY_LAMP), keys[i].x + 9, keys[i].y + 9, 4, 4, nullptr);
    }
    Window(client, b.at(IDB_JOG_LAMP_LIT), 375, 23, 12, 10, nullptr);
    Window(client, b.at(IDB_JOG_LAMP_DARK), 375, 52, 12, 10, nullptr);
    const int top = int(AudioArt::ThumbCentreY(faderValue) - AudioArt::kThumbHeight / 2.0 + 0.5);
    for (int i = 0; i <= 8; ++i) {
        const int x = i < 8 ? AudioArt::ChannelFaderX(i) : AudioArt::kMasterX;
        Window(client, b.at(IDB_FADER_BACK), x, AudioArt::kFaderY, 28, 267, nullptr);
        Window(client, b.at(i < 8 ? IDB_AUDIO_THUMB : IDB_AUDIO_MASTER_THUMB), x + 3,
               AudioArt::kFaderY + top - 16 * (i % 3), 24, 55, nullptr);
    }
    return client;
}
