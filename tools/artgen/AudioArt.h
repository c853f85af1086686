#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PlateMap.h"

#include <map>
#include <string>
#include <vector>

// The Audio module: the picture IDB_AUDIO_PANEL, the fader background
// IDB_FADER_BACK and the thumbs IDB_AUDIO_THUMB (channel) and
// IDB_AUDIO_MASTER_THUMB, the lamp key IDB_AUDIO_KEY / _PRESSED with its lamp
// IDB_KEY_LAMP (shared with the Media Bar). The OVER and DATA indicators use
// the lamps of the Jog & Shuttle module.
class AudioArt {
public:
    static constexpr int kWidth = 510;
    static constexpr int kHeight = 374;
    // WS_EX_CLIENTEDGE picture control: bitmap (0, 0) = client (2, 2).
    static constexpr int kOrigin = 2;

    static constexpr int kFaderY = 100;
    static constexpr int kFaderWidth = 28, kFaderHeight = 267;
    static constexpr int kThumbWidth = 24, kThumbHeight = 55;
    static constexpr int kMasterX = 369;
    static int ChannelFaderX(int i) { return 22 + 39 * i; }

    struct Key {
        int x, y;  // client pixels, 22 x 22
    };
    static const std::vector<Key>& Keys();

    static Canvas FaderBackground();
    static Canvas Thumb(bool master);
    // `map`, when given, receives the picture's labels and parts.
    static Canvas Picture(PlateMap* map = nullptr);
    static void AddBitmaps(std::map<int, Canvas>& out);

    // Centre of the thumb, in fader pixels, for a value 0..255 on the
    // track (5, 267) with a 55-pixel thumb.
    static double ThumbCentreY(int value);
};
