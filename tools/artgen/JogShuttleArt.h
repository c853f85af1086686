#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PanelParts.h"
#include "tools/artgen/PlateMap.h"

#include <map>
#include <string>
#include <vector>

// The Jog & Shuttle module: the picture IDB_JOG_PANEL, the key bitmaps 132 to
// 172, the lamps IDB_JOG_LAMP_LIT / _DARK and the jog dial skin IDB_JOG_DIAL.
// Every key bitmap is cut out of the module picture rendered with that key up
// or down, so a key window shows exactly the pixels of the picture under it.
class JogShuttleArt {
public:
    static constexpr int kWidth = 279;
    static constexpr int kHeight = 348;
    // The picture control has SS_SUNKEN, which gives it a one-pixel static
    // edge: the bitmap's (0, 0) is at client pixel (1, 1) of the window.
    static constexpr int kOrigin = 1;

    enum class Kind { Row, Round, LeftWing, RightWing };

    struct Key {
        std::string label;
        PanelParts::Symbol symbol;
        Kind kind;
        int x, y, width, height;  // window rectangle, client pixels
        int normalBitmap, pressedBitmap;
        int bitmapWidth, bitmapHeight;  // normal bitmap
        int pressedBitmapHeight;        // 39 for the rewind key's 172, else as normal
    };

    struct Lamp {
        int x, y;  // client pixels, 12 x 10
        std::string label;
    };

    static const std::vector<Key>& Keys();
    static const std::vector<Lamp>& Lamps();
    static constexpr int kDialX = 71, kDialY = 171, kDialSize = 139, kDialSkin = 140;

    // The module with the key of index `pressedKey` (into Keys()) down and
    // the lamps of `litLamps` (bit i = Lamps()[i]) on; `map`, when given,
    // receives its labels and parts.
    static Canvas Picture(int pressedKey = -1, unsigned litLamps = 0, PlateMap* map = nullptr);

    // Adds the picture and all the module's bitmaps, by resource number.
    static void AddBitmaps(std::map<int, Canvas>& out);

    // The jog wheel drawn centred on (cx, cy), canvas pixels.
    static void Dial(Canvas& canvas, double cx, double cy);
};
