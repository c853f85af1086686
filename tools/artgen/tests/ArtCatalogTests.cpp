#include "res/resource.h"
#include "tools/artgen/ArtCatalog.h"
#include "tools/artgen/AudioArt.h"
#include "tools/artgen/AviWriter.h"
#include "tools/artgen/BmpWriter.h"
#include "tools/artgen/CopyClipArt.h"
#include "tools/artgen/Geometry.h"
#include "tools/artgen/JogShuttleArt.h"
#include "tools/artgen/MediaBarArt.h"
#include "tools/artgen/PanelParts.h"
#include "tools/artgen/PlateMap.h"
#include "tools/artgen/TrackballArt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {
const std::map<int, Canvas>& AllBitmaps() {
    static const std::map<int, Canvas> bitmaps = ArtCatalog::Bitmaps();
    return bitmaps;
}

bool SamePixel(const Color& a, const Color& b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }
}  // namespace

TEST(ArtCatalog, EveryRequiredBitmapHasItsSizeAndNoOtherIsMade) {
    const auto& bitmaps = AllBitmaps();
    std::set<int> required;
    for (const auto& s : ArtCatalog::RequiredBitmaps()) {
        SCOPED_TRACE(s.id);
        required.insert(s.id);
        const auto it = bitmaps.find(s.id);
        ASSERT_NE(it, bitmaps.end());
        EXPECT_EQ(it->second.Width(), s.width);
        EXPECT_EQ(it->second.Height(), s.height);
    }
    for (const auto& b : bitmaps) EXPECT_TRUE(required.count(b.first)) << b.first;
}

TEST(ArtCatalog, BitmapsAreOpaqueSoTheWriterNeedsNoMatte) {
    for (const auto& b : AllBitmaps())
        for (int y = 0; y < b.second.Height(); y += 3)
            for (int x = 0; x < b.second.Width(); x += 3)
                ASSERT_GE(b.second.Pixel(x, y).a, 0.999) << b.first << " at " << x << "," << y;
}

TEST(ArtCatalog, RowKeysShowThePicturePixelsBeneathThem) {
    // A released key is the picture itself; the pressed one differs on its face only.
    const auto& bitmaps = AllBitmaps();
    const Canvas& picture = bitmaps.at(IDB_JOG_PANEL);
    for (const auto& k : JogShuttleArt::Keys()) {
        SCOPED_TRACE(k.normalBitmap);
        const Canvas& normal = bitmaps.at(k.normalBitmap);
        const Canvas& pressed = bitmaps.at(k.pressedBitmap);
        const int px = k.x - JogShuttleArt::kOrigin, py = k.y - JogShuttleArt::kOrigin;
        for (int y = 0; y < normal.Height(); ++y)
            for (int x = 0; x < normal.Width(); ++x)
                ASSERT_TRUE(SamePixel(normal.Pixel(x, y), picture.Pixel(px + x, py + y)));
        const int cx = k.width / 2, cy = k.height / 2 + 8;
        EXPECT_LT(pressed.Pixel(cx, cy).g, normal.Pixel(cx, cy).g);
    }
}

TEST(ArtCatalog, NoPlateLabelTouchesAnotherLabelOrAPart) {
    // A label drawn over a key's well, a recess edge or a screw reads as struck
    // through; one flush against it, as part of it.
    struct Plate {
        const char* name;
        Canvas (*draw)(PlateMap&);
    };
    const Plate plates[] = {
        {"jog", [](PlateMap& m) { return JogShuttleArt::Picture(-1, 0, &m); }},
        {"audio", [](PlateMap& m) { return AudioArt::Picture(&m); }},
        {"trackball", [](PlateMap& m) { return TrackballArt::Picture(&m); }},
        {"mediabar", [](PlateMap& m) { return MediaBarArt::Picture(&m); }},
    };
    for (const Plate& p : plates) {
        SCOPED_TRACE(p.name);
        PlateMap map;
        const Canvas picture = p.draw(map);
        EXPECT_FALSE(map.Labels().empty());
        for (const std::string& pair : map.Crowded()) ADD_FAILURE() << pair;
        for (const PlateMap::Box& label : map.Labels())
            EXPECT_TRUE(label.x0 >= 0 && label.y0 >= 0 && label.x1 <= picture.Width() && label.y1 <= picture.Height())
                << label.name << " leaves the plate";
    }
}

TEST(PlateMap, ALabelNeedsOneClearPixelAroundIt) {
    struct Case {
        double x0, y0, x1, y1;
        bool round;
        bool crowded;
    };
    // The label "I" of the small face covers [10, 13) x [10, 15).
    const Case cases[] = {
        {14, 10, 20, 15, false, false},  // one clear column
        {13, 10, 20, 15, false, true},   // flush
        {0, 0, 10, 10, false, true},     // corner to corner
        {0, 0, 9.5, 9.5, true, false},   // a disc whose box would touch
        {0, 0, 22, 22, true, true},      // a disc over it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x0 * 1000 + c.x1 + (c.round ? 0.5 : 0));
        Canvas canvas(40, 40);
        PlateMap map;
        map.Label(canvas, Font::Small(), 10, 10, "I", Color::Rgb(255, 255, 255));
        if (c.round)
            map.RoundPart("part", (c.x0 + c.x1) / 2, (c.y0 + c.y1) / 2, (c.x1 - c.x0) / 2);
        else
            map.Part("part", c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(map.Crowded().size(), c.crowded ? 1u : 0u);
    }
}

TEST(ArtCatalog, WingOutlinesFollowTheWindingRule) {
    struct Case {
        double x, y;
        bool left, right;
    };
    const Case cases[] = {
        {25, 30, true, true}, {1, 70, false, false}, {50, 5, false, true}, {2, 5, true, false}, {26, 71, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x * 100 + c.y);
        EXPECT_EQ(geometry::PolygonContains(PanelParts::LeftWingOutline(), c.x, c.y), c.left);
        EXPECT_EQ(geometry::PolygonContains(PanelParts::RightWingOutline(), c.x, c.y), c.right);
    }
}

TEST(ArtCatalog, ClipFramesAreKeyedOnTheirTopLeftPixel) {
    const AviWriter::Clip clip = CopyClipArt::Clip();
    ASSERT_EQ(clip.frames.size(), 17u);
    EXPECT_EQ(clip.width, 260);
    EXPECT_EQ(clip.height, 40);
    EXPECT_EQ(clip.palette.size(), 16u);
    std::set<std::vector<uint8_t>> distinct;
    for (const auto& f : clip.frames) {
        ASSERT_EQ(f.size(), 260u * 40u);
        EXPECT_EQ(f[0], 0);  // magenta: the transparent colour
        distinct.insert(f);
    }
    EXPECT_EQ(distinct.size(), clip.frames.size());  // it moves
}

TEST(ArtCatalog, OutputIsDeterministic) {
    const auto again = ArtCatalog::Bitmaps();
    EXPECT_EQ(BmpWriter::Encode(again.at(IDB_TRACKBALL_PANEL)),
              BmpWriter::Encode(AllBitmaps().at(IDB_TRACKBALL_PANEL)));
    EXPECT_EQ(ArtCatalog::Clip(), ArtCatalog::Clip());
    EXPECT_EQ(ArtCatalog::Icon(), ArtCatalog::Icon());
}
