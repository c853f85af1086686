#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PlateMap.h"

#include <string>
#include <vector>

// The look shared by every module picture and every key, lamp and fader
// bitmap: dark anodised plate, recessed key wells, grey caps with silk-screen
// labels. Keys are drawn at a window origin (x, y) in canvas pixels, so that
// a module painter and a key bitmap produce the same pixels for the same key.
class PanelParts {
public:
    enum class Symbol { None, Reverse, Play, Stop, Rewind, FastForward };

    static constexpr int kRowKeySize = 38;   // visible part of a 40 x 40 row key
    static constexpr int kLampKeySize = 22;  // Audio / Media Bar keys
    static constexpr int kLampWidth = 12;    // panel indicator lamps
    static constexpr int kLampHeight = 10;

    static Color Silk();
    static Color SilkDim();
    static Color Well();
    static Color SurfaceAt(double x, double y);

    // The brushed plate over a whole canvas, with a bevelled edge.
    static void Plate(Canvas& canvas);
    static void Screw(Canvas& canvas, double cx, double cy);
    // The plate a screw or a round key takes, shadow and lip included, for
    // the labels to keep clear of.
    static void MapScrew(PlateMap& map, double cx, double cy);
    static void MapRoundKey(PlateMap& map, const std::string& name, double cx, double cy);
    // A recessed channel that rows of keys sit in.
    static void Recess(Canvas& canvas, double x0, double y0, double x1, double y1, double radius);

    static void RowKey(Canvas& canvas, int x, int y, const std::string& label, Symbol symbol, bool pressed);
    // Round key whose cap is centred on (cx, cy).
    static void RoundKey(Canvas& canvas, double cx, double cy, const std::string& label, bool pressed);
    // Wing key cut to `outline` (window pixels), window origin at (x, y).
    static void WingKey(Canvas& canvas, int x, int y, const std::vector<Point>& outline, const std::string& label,
                        double labelX, double labelY, bool pressed);
    static void Lamp(Canvas& canvas, int x, int y, bool lit);
    // The 22 x 22 key with the window of its 4 x 4 lamp at (9, 9).
    static void LampKey(Canvas& canvas, int x, int y, bool pressed);
    static void LampDot(Canvas& canvas, int x, int y);
    // A rotary knob: knurled skirt, coloured cap, scale dots around.
    static void Knob(Canvas& canvas, double cx, double cy, double capRadius, const Color& cap, double scaleRadius,
                     double skirtWidth = 4.0);

    static const std::vector<Point>& LeftWingOutline();
    static const std::vector<Point>& RightWingOutline();

private:
    static void Symbolic(Canvas& canvas, double cx, double cy, Symbol symbol, double dim);
};
