#include "tools/artgen/Font.h"

#include <cctype>
#include <cmath>
#include <utility>

namespace {

// Classic 5 x 7 glyphs stored column by column (bit 0 = top row); converted
// to rows below so that both faces share one drawing routine.
struct ColumnGlyph {
    char ch;
    unsigned char cols[5];
};

const ColumnGlyph kRegularColumns[] = {
    {'!', {0x00, 0x00, 0x5F, 0x00, 0x00}}, {'&', {0x36, 0x49, 0x55, 0x22, 0x50}}, {'+', {0x08, 0x08, 0x3E, 0x08, 0x08}},
    {'-', {0x08, 0x08, 0x08, 0x08, 0x08}}, {'.', {0x00, 0x60, 0x60, 0x00, 0x00}}, {'/', {0x20, 0x10, 0x08, 0x04, 0x02}},
    {'0', {0x3E, 0x51, 0x49, 0x45, 0x3E}}, {'1', {0x00, 0x42, 0x7F, 0x40, 0x00}}, {'2', {0x42, 0x61, 0x51, 0x49, 0x46}},
    {'3', {0x21, 0x41, 0x45, 0x4B, 0x31}}, {'4', {0x18, 0x14, 0x12, 0x7F, 0x10}}, {'5', {0x27, 0x45, 0x45, 0x45, 0x39}},
    {'6', {0x3C, 0x4A, 0x49, 0x49, 0x30}}, {'7', {0x01, 0x71, 0x09, 0x05, 0x03}}, {'8', {0x36, 0x49, 0x49, 0x49, 0x36}},
    {'9', {0x06, 0x49, 0x49, 0x29, 0x1E}}, {':', {0x00, 0x36, 0x36, 0x00, 0x00}}, {'?', {0x02, 0x01, 0x51, 0x09, 0x06}},
    {'A', {0x7E, 0x11, 0x11, 0x11, 0x7E}}, {'B', {0x7F, 0x49, 0x49, 0x49, 0x36}}, {'C', {0x3E, 0x41, 0x41, 0x41, 0x22}},
    {'D', {0x7F, 0x41, 0x41, 0x22, 0x1C}}, {'E', {0x7F, 0x49, 0x49, 0x49, 0x41}}, {'F', {0x7F, 0x09, 0x09, 0x01, 0x01}},
    {'G', {0x3E, 0x41, 0x49, 0x49, 0x7A}}, {'H', {0x7F, 0x08, 0x08, 0x08, 0x7F}}, {'I', {0x00, 0x41, 0x7F, 0x41, 0x00}},
    {'J', {0x20, 0x40, 0x41, 0x3F, 0x01}}, {'K', {0x7F, 0x08, 0x14, 0x22, 0x41}}, {'L', {0x7F, 0x40, 0x40, 0x40, 0x40}},
    {'M', {0x7F, 0x02, 0x04, 0x02, 0x7F}}, {'N', {0x7F, 0x04, 0x08, 0x10, 0x7F}}, {'O', {0x3E, 0x41, 0x41, 0x41, 0x3E}},
    {'P', {0x7F, 0x09, 0x09, 0x09, 0x06}}, {'Q', {0x3E, 0x41, 0x51, 0x21, 0x5E}}, {'R', {0x7F, 0x09, 0x19, 0x29, 0x46}},
    {'S', {0x46, 0x49, 0x49, 0x49, 0x31}}, {'T', {0x01, 0x01, 0x7F, 0x01, 0x01}}, {'U', {0x3F, 0x40, 0x40, 0x40, 0x3F}},
    {'V', {0x1F, 0x20, 0x40, 0x20, 0x1F}}, {'W', {0x7F, 0x20, 0x18, 0x20, 0x7F}}, {'X', {0x63, 0x14, 0x08, 0x14, 0x63}},
    {'Y', {0x03, 0x04, 0x78, 0x04, 0x03}}, {'Z', {0x61, 0x51, 0x49, 0x45, 0x43}},
};

// 3 x 5 glyphs, one string of five 3-bit rows each.
const std::pair<char, const char*> kSmallRows[] = {
    {'A', "010101111101101"}, {'B', "110101110101110"}, {'C', "011100100100011"}, {'D', "110101101101110"},
    {'E', "111100110100111"}, {'F', "111100110100100"}, {'G', "011100101101011"}, {'H', "101101111101101"},
    {'I', "111010010010111"}, {'J', "001001001101010"}, {'K', "101101110101101"}, {'L', "100100100100111"},
    {'M', "101111111101101"}, {'N', "110101101101101"}, {'O', "010101101101010"}, {'P', "110101110100100"},
    {'Q', "010101101110011"}, {'R', "110101110101101"}, {'S', "011100010001110"}, {'T', "111010010010010"},
    {'U', "101101101101111"}, {'V', "101101101101010"}, {'W', "101101111111101"}, {'X', "101101010101101"},
    {'Y', "101101010010010"}, {'Z', "111001010100111"}, {'0', "111101101101111"}, {'1', "010110010010111"},
    {'2', "110001010100111"}, {'3', "110001010001110"}, {'4', "101101111001001"}, {'5', "111100110001110"},
    {'6', "011100111101111"}, {'7', "111001010010010"}, {'8', "111101111101111"}, {'9', "111101111001110"},
    {'-', "000000111000000"}, {'+', "000010111010000"}, {'/', "001001010100100"}, {'.', "000000000000010"},
    {'&', "010101010101011"},
};

std::map<char, std::array<unsigned char, 7>> RegularGlyphs() {
    std::map<char, std::array<unsigned char, 7>> glyphs;
    for (const ColumnGlyph& g : kRegularColumns) {
        std::array<unsigned char, 7> rows{};
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g.cols[col] & (1u << row)) rows[size_t(row)] |= (unsigned char)(0x10u >> col);
        glyphs[g.ch] = rows;
    }
    return glyphs;
}

std::map<char, std::array<unsigned char, 7>> SmallGlyphs() {
    std::map<char, std::array<unsigned char, 7>> glyphs;
    for (const auto& g : kSmallRows) {
        std::array<unsigned char, 7> rows{};
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (g.second[row * 3 + col] == '1') rows[size_t(row)] |= (unsigned char)(4u >> col);
        glyphs[g.first] = rows;
    }
    return glyphs;
}

}  // namespace

Font::Font(int width, int height, std::map<char, std::array<unsigned char, 7>> glyphs)
    : m_width(width), m_height(height), m_glyphs(std::move(glyphs)) {}

const Font& Font::Regular() {
    static const Font font(5, 7, RegularGlyphs());
    return font;
}

const Font& Font::Small() {
    static const Font font(3, 5, SmallGlyphs());
    return font;
}

int Font::TextWidth(const std::string& text, bool bold) const {
    if (text.empty()) return 0;
    const int advance = m_width + (bold ? 2 : 1);
    return int(text.size()) * advance - (bold ? 1 : 1);
}

bool Font::Has(char ch) const { return m_glyphs.count(char(std::toupper(static_cast<unsigned char>(ch)))) > 0; }

void Font::Draw(Canvas& canvas, int x, int y, const std::string& text, const Color& color, bool bold) const {
    const int advance = m_width + (bold ? 2 : 1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = char(std::toupper(static_cast<unsigned char>(text[i])));
        const auto it = m_glyphs.find(ch);
        if (it == m_glyphs.end()) continue;
        const int gx = x + int(i) * advance;
        for (int row = 0; row < m_height; ++row)
            for (int col = 0; col < m_width; ++col)
                if (it->second[size_t(row)] & (1u << (m_width - 1 - col))) {
                    canvas.Blend(gx + col, y + row, color);
                    if (bold) canvas.Blend(gx + col + 1, y + row, color);
                }
    }
}

Point Font::CenteredOrigin(double cx, double cy, const std::string& text, bool bold) const {
    return Point{std::floor(cx - TextWidth(text, bold) / 2.0 + 0.5), std::floor(cy - m_height / 2.0 + 0.5)};
}

void Font::DrawCentered(Canvas& canvas, double cx, double cy, const std::string& text, const Color& color,
                        bool bold) const {
    const Point at = CenteredOrigin(cx, cy, text, bold);
    Draw(canvas, int(at.x), int(at.y), text, color, bold);
}
