#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Font.h"

#include <string>
#include <vector>

// Where a module picture puts its silk-screen labels and the parts they must
// keep clear of (keys with their wells, lamps, dials, knobs, screws, recesses,
// fader slots), in picture pixels. The pictures draw their plate labels through
// it, so that the boxes checked are the boxes drawn.
class PlateMap {
public:
    struct Box {
        std::string name;
        double x0, y0, x1, y1;  // [x0, x1) x [y0, y1)
        bool round;             // the disc inscribed in the box, for round parts
    };

    void Part(const std::string& name, double x0, double y0, double x1, double y1);
    void RoundPart(const std::string& name, double cx, double cy, double radius);

    // Draws `text` with its top-left corner at (x, y) and notes its box.
    void Label(Canvas& canvas, const Font& font, int x, int y, const std::string& text, const Color& color);
    // As Font::DrawCentered.
    void LabelCentered(Canvas& canvas, const Font& font, double cx, double cy, const std::string& text,
                       const Color& color);

    // "label / other" for each label that has not one clear pixel between it
    // and another label or a part.
    std::vector<std::string> Crowded() const;

    const std::vector<Box>& Labels() const { return m_labels; }

private:
    std::vector<Box> m_labels;
    std::vector<Box> m_parts;
};
