#include "tools/artgen/CopyClipArt.h"

#include <cmath>
#include <limits>

namespace {
constexpr double kPi = 3.14159265358979323846;

enum Ink {
    kMagenta,
    kBlack,
    kWhite,
    kDarkGrey,
    kGrey,
    kLightGrey,
    kYellow,
    kDarkYellow,
    kBrown,
    kBlue,
    kLightBlue,
    kGreen,
    kDarkGreen,
    kOrange,
    kRed,
    kPaper
};

Color InkColor(Ink ink) { return CopyClipArt::Palette()[size_t(ink)]; }

void Folder(Canvas& c, double x, bool paperInside) {
    const double y = 12;
    // Back with its tab.
    c.FillRect(x, y - 4, x + 16, y + 1, InkColor(kBrown));
    c.FillRect(x + 1, y - 3, x + 15, y + 1, InkColor(kDarkYellow));
    c.FillRect(x, y, x + 44, y + 26, InkColor(kBrown));
    c.FillRect(x + 1, y + 1, x + 43, y + 25, InkColor(kDarkYellow));
    if (paperInside) {
        c.FillRect(x + 9, y - 5, x + 33, y + 14, InkColor(kGrey));
        c.FillRect(x + 10, y - 4, x + 32, y + 14, InkColor(kPaper));
        for (int i = 0; i < 4; ++i) c.FillRect(x + 13, y - 1 + 3 * i, x + 29, y + 3 * i, InkColor(kBlue));
    }
    // Front flap, leaning back.
    c.FillPolygon({{x - 2, y + 8}, {x + 46, y + 8}, {x + 44, y + 26}, {x, y + 26}}, InkColor(kBrown));
    c.FillPolygon({{x - 1, y + 9}, {x + 45, y + 9}, {x + 43, y + 25}, {x + 1, y + 25}}, InkColor(kYellow));
    c.FillRect(x, y + 9, x + 44, y + 10, InkColor(kWhite));
}

void Sheet(Canvas& c, double cx, double cy, double angle) {
    const double ca = std::cos(angle), sa = std::sin(angle);
    auto at = [&](double x, double y) { return Point{cx + x * ca - y * sa, cy + x * sa + y * ca}; };
    c.FillPolygon({at(-8, -10), at(8, -10), at(8, 10), at(-8, 10)}, InkColor(kGrey));
    c.FillPolygon({at(-7, -9), at(7, -9), at(7, 9), at(-7, 9)}, InkColor(kPaper));
    for (int i = 0; i < 5; ++i) {
        const double y = -6 + 3 * i;
        c.FillPolygon({at(-5, y), at(5, y), at(5, y + 1), at(-5, y + 1)}, InkColor(kBlue));
    }
}
}  // namespace

const std::vector<Color>& CopyClipArt::Palette() {
    static const std::vector<Color> palette{
        Color::Rgb(255, 0, 255),   Color::Rgb(0, 0, 0),       Color::Rgb(255, 255, 255), Color::Rgb(64, 64, 64),
        Color::Rgb(128, 128, 128), Color::Rgb(192, 192, 192), Color::Rgb(255, 222, 70),  Color::Rgb(214, 160, 24),
        Color::Rgb(128, 84, 0),    Color::Rgb(40, 80, 200),   Color::Rgb(150, 180, 240), Color::Rgb(40, 170, 60),
        Color::Rgb(0, 96, 32),     Color::Rgb(255, 140, 0),   Color::Rgb(220, 30, 30),   Color::Rgb(255, 252, 236)};
    return palette;
}

Canvas CopyClipArt::Frame(int index) {
    Canvas c(kWidth, kHeight, InkColor(kMagenta));
    c.SetAntialias(false);  // hard edges: every pixel is a palette colour
    const double leftX = 6, rightX = kWidth - 50;
    const double t = double(index) / double(kFrames - 1);
    Folder(c, leftX, true);
    Folder(c, rightX, index == kFrames - 1);
    if (index > 0 && index < kFrames - 1) {
        // Along an arc from the left folder's mouth to the right one's, low
        // enough that the turning sheet never leaves the frame at the top.
        const double x0 = leftX + 22, x1 = rightX + 22;
        const double cx = x0 + (x1 - x0) * t;
        const double cy = 18 - 6 * std::sin(kPi * t);
        Sheet(c, cx, cy, (t - 0.5) * kPi * 0.5);
    }
    return c;
}

std::vector<uint8_t> CopyClipArt::Indices(const Canvas& frame) {
    const std::vector<Color>& palette = Palette();
    std::vector<uint8_t> out;
    out.reserve(size_t(frame.Width()) * size_t(frame.Height()));
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const Color p = frame.Pixel(x, y);
            size_t best = 0;
            double bestDistance = std::numeric_limits<double>::max();
            for (size_t i = 0; i < palette.size(); ++i) {
                const double d = (p.r - palette[i].r) * (p.r - palette[i].r) +
                                 (p.g - palette[i].g) * (p.g - palette[i].g) +
                                 (p.b - palette[i].b) * (p.b - palette[i].b);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            out.push_back(uint8_t(best));
        }
    return out;
}

AviWriter::Clip CopyClipArt::Clip() {
    AviWriter::Clip clip;
    clip.width = kWidth;
    clip.height = kHeight;
    clip.microSecondsPerFrame = 100000;
    clip.palette = Palette();
    for (int i = 0; i < kFrames; ++i) clip.frames.push_back(Indices(Frame(i)));
    return clip;
}
