#pragma once

#include "tools/artgen/Canvas.h"

#include <array>
#include <map>
#include <string>

// A tiny pixel font for the silk-screen labels of the panel pictures. Two
// faces: a 5 x 7 one for key labels and a 3 x 5 one for small print. Lower
// case is drawn as upper case; unknown characters as blanks.
class Font {
public:
    static const Font& Regular();  // 5 x 7
    static const Font& Small();    // 3 x 5

    int GlyphWidth() const { return m_width; }
    int GlyphHeight() const { return m_height; }
    int TextWidth(const std::string& text, bool bold = false) const;
    // Whether `ch` has a glyph (spaces never need one).
    bool Has(char ch) const;

    // Top-left corner of the text at (x, y).
    void Draw(Canvas& canvas, int x, int y, const std::string& text, const Color& color, bool bold = false) const;
    // Top-left corner of the text centred on (cx, cy), on whole pixels.
    Point CenteredOrigin(double cx, double cy, const std::string& text, bool bold = false) const;
    // Text centred on (cx, cy): the box is placed on whole pixels.
    void DrawCentered(Canvas& canvas, double cx, double cy, const std::string& text, const Color& color,
                      bool bold = false) const;

private:
    // Each glyph is `m_height` rows, the leftmost column in the highest bit.
    Font(int width, int height, std::map<char, std::array<unsigned char, 7>> glyphs);

    int m_width;
    int m_height;
    std::map<char, std::array<unsigned char, 7>> m_glyphs;
};
