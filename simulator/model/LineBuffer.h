// Cuts a byte stream into lines for the control channel. Lines end with "\n"
// (a "\r" before it is dropped and does not count towards the limit). A line
// longer than the limit is not kept: it comes out once as an overlong marker,
// and its remaining bytes up to the next newline are thrown away, so a flood of
// junk cannot grow memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class LineBuffer {
public:
    struct Line {
        std::string text;
        bool overlong = false;
    };

    explicit LineBuffer(std::size_t maxLength) : m_max(maxLength) {}

    // Feeds bytes; appends the lines they complete.
    void Feed(const char* data, std::size_t size, std::vector<Line>& out);

private:
    std::size_t m_max;
    std::string m_current;
    bool m_skipping = false;
};
