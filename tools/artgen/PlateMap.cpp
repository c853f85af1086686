#include "tools/artgen/PlateMap.h"

#include <algorithm>
#include <cmath>

namespace {
// Whether `box`, grown by one pixel on every side, meets `other`.
bool Touches(const PlateMap::Box& box, const PlateMap::Box& other) {
    const double x0 = box.x0 - 1, y0 = box.y0 - 1, x1 = box.x1 + 1, y1 = box.y1 + 1;
    if (!other.round) return x0 < other.x1 && other.x0 < x1 && y0 < other.y1 && other.y0 < y1;
    const double cx = (other.x0 + other.x1) / 2, cy = (other.y0 + other.y1) / 2, r = (other.x1 - other.x0) / 2;
    const double dx = cx - std::clamp(cx, x0, x1), dy = cy - std::clamp(cy, y0, y1);
    return dx * dx + dy * dy < r * r;
}
}  // namespace

void PlateMap::Part(const std::string& name, double x0, double y0, double x1, double y1) {
    m_parts.push_back({name, x0, y0, x1, y1, false});
}

void PlateMap::RoundPart(const std::string& name, double cx, double cy, double radius) {
    m_parts.push_back({name, cx - radius, cy - radius, cx + radius, cy + radius, true});
}

void PlateMap::Label(Canvas& canvas, const Font& font, int x, int y, const std::string& text, const Color& color) {
    font.Draw(canvas, x, y, text, color);
    m_labels.push_back(
        {text, double(x), double(y), double(x + font.TextWidth(text)), double(y + font.GlyphHeight()), false});
}

void PlateMap::LabelCentered(Canvas& canvas, const Font& font, double cx, double cy, const std::string& text,
                             const Color& color) {
    const Point at = font.CenteredOrigin(cx, cy, text);
    Label(canvas, font, int(at.x), int(at.y), text, color);
}

std::vector<std::string> PlateMap::Crowded() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < m_labels.size(); ++i) {
        for (size_t j = 0; j < m_labels.size(); ++j)
            if (i != j && Touches(m_labels[i], m_labels[j])) out.push_back(m_labels[i].name + " / " + m_labels[j].name);
        for (const Box& part : m_parts)
            if (Touches(m_labels[i], part)) out.push_back(m_labels[i].name + " / " + part.name);
    }
    return out;
}
