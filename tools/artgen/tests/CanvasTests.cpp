#include "tools/artgen/Canvas.h"
#include "tools/artgen/Font.h"
#include "tools/artgen/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

double Coverage(const Canvas& c) {
    double sum = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) sum += c.Pixel(x, y).a;
    return sum;
}
}  // namespace

TEST(Canvas, AntialiasedShapesCoverTheirArea) {
    struct Case {
        const char* name;
        void (*draw)(Canvas&);
        double area;
    };
    const Case cases[] = {
        {"circle r 10", [](Canvas& c) { c.FillCircle(20, 20, 10, Color::Rgb(0, 0, 0)); }, kPi * 100},
        {"ellipse 12 x 5", [](Canvas& c) { c.FillEllipse(20.3, 19.7, 12, 5, Color::Rgb(0, 0, 0)); }, kPi * 60},
        {"ring 15 / 9", [](Canvas& c) { c.FillRing(20, 20, 15, 9, Color::Rgb(0, 0, 0)); }, kPi * (225 - 81)},
        {"rect on half pixels", [](Canvas& c) { c.FillRect(2.5, 3.5, 12.5, 7.5, Color::Rgb(0, 0, 0)); }, 40},
        {"triangle",
         [](Canvas& c) {
             c.FillPolygon({{0, 0}, {30, 0}, {0, 20}}, Color::Rgb(0, 0, 0));
         },
         300},
        {"line 20 long, 3 wide", [](Canvas& c) { c.DrawLine(10, 10, 30, 10, 3, Color::Rgb(0, 0, 0)); },
         20 * 3 + kPi * 2.25},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(40, 40);
        k.draw(c);
        EXPECT_NEAR(Coverage(c), k.area, k.area * 0.02);
    }
}

TEST(Canvas, WithoutAntialiasingEveryPixelIsAllOrNothing) {
    Canvas c(40, 40);
    c.SetAntialias(false);
    c.FillCircle(20.2, 19.6, 9.3, Color::Rgb(1, 2, 3));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const double a = c.Pixel(x, y).a;
            ASSERT_TRUE(a == 0.0 || a == 1.0) << x << "," << y;
        }
}

TEST(Canvas, OverlappingPolygonFillsByNonZeroWinding) {
    // A pentagram: its centre is wound twice, so it is filled (unlike even-odd).
    std::vector<Point> star;
    for (int i = 0; i < 5; ++i) {
        const double a = (i * 144.0 - 90.0) * kPi / 180.0;
        star.push_back({20 + 15 * std::cos(a), 20 + 15 * std::sin(a)});
    }
    EXPECT_TRUE(geometry::PolygonContains(star, 20, 20));
    EXPECT_FALSE(geometry::PolygonContains(star, 2, 2));
}

TEST(Canvas, InsetPolygonKeepsItsDistanceFromEveryEdge) {
    const std::vector<Point> square{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    Canvas c(20, 20);
    c.FillPolygonInset(square, 3, Color::Rgb(0, 0, 0));
    EXPECT_NEAR(Coverage(c), 14.0 * 14.0, 0.5);
    EXPECT_EQ(c.Pixel(2, 10).a, 0.0);
    EXPECT_EQ(c.Pixel(3, 10).a, 1.0);
}

TEST(Canvas, HalfTransparentPaintOverTransparentKeepsItsColour) {
    Canvas c(1, 1);
    c.Blend(0, 0, Color::Rgb(200, 100, 0), 0.5);
    const Color p = c.Pixel(0, 0);
    EXPECT_DOUBLE_EQ(p.r, 200);
    EXPECT_DOUBLE_EQ(p.a, 0.5);
    c.Blend(0, 0, Color::Rgb(0, 100, 200), 0.5);
    EXPECT_DOUBLE_EQ(c.Pixel(0, 0).a, 0.75);
    EXPECT_NEAR(c.Pixel(0, 0).r, 200.0 / 3, 1e-9);
}

TEST(Canvas, CropFillsWhatLiesOutside) {
    Canvas c(4, 4, Color::Rgb(9, 9, 9));
    const Canvas piece = c.Crop(2, -1, 4, 3, Color::Rgb(1, 1, 1));
    EXPECT_EQ(piece.Pixel(0, 0).r, 1);  // above the canvas
    EXPECT_EQ(piece.Pixel(1, 1).r, 9);  // inside
    EXPECT_EQ(piece.Pixel(2, 1).r, 1);  // right of it
}

TEST(Font, LabelsOfThePicturesHaveEveryGlyph) {
    struct Case {
        const Font* font;
        const char* text;
    };
    const Case cases[] = {
        {&Font::Regular(), "F1 F2 F3 F4 F5 F6 ABCDEFG SHIFT ENTER JOG SHUTTLE AUDIO 12345678"},
        {&Font::Small(), "FUNCTION JOG/SHUTTLE TRANS PORT OFF SHTL DMC MONITOR LEVEL MIN MAX"},
        {&Font::Small(), "SOLO MONO BANK 1-4 5-8 1/5 2/6 3/7 4/8 L R +10 +5 0 -5 -10 -60 M"},
        {&Font::Small(), "MASTER FUNC MUTE OVER DATA TRACKBALL Z RING MEDIA BAR 0123456789"},
    };
    for (const Case& k : cases)
        for (const char* p = k.text; *p; ++p)
            if (*p != ' ') {
                EXPECT_TRUE(k.font->Has(*p)) << "'" << *p << "' in " << k.text;
            }
}

TEST(Font, TextWidthMatchesWhatIsDrawn) {
    struct Case {
        const Font* font;
        const char* text;
        bool bold;
        int width;
    };
    const Case cases[] = {{&Font::Regular(), "F1", false, 11},
                          {&Font::Regular(), "F1", true, 13},
                          {&Font::Small(), "DMC", false, 11},
                          {&Font::Small(), "", false, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(k.font->TextWidth(k.text, k.bold), k.width);
        Canvas c(40, 10);
        k.font->Draw(c, 0, 0, k.text, Color::Rgb(255, 255, 255), k.bold);
        int right = -1;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 40; ++x)
                if (c.Pixel(x, y).a > 0) right = std::max(right, x);
        EXPECT_LE(right + 1, k.width);
    }
}
