#include "LineBuffer.h"

void LineBuffer::Feed(const char* data, std::size_t size, std::vector<Line>& out) {
    for (std::size_t i = 0; i < size; ++i) {
        const char ch = data[i];
        if (ch == '\n') {
            if (skipping_) {
                skipping_ = false;
            } else {
                if (!current_.empty() && current_.back() == '\r') current_.pop_back();
                out.push_back({current_, false});
            }
            current_.clear();
            continue;
        }
        if (skipping_) continue;
        current_ += ch;
        // A line of the full length may still end in "\r\n": its "\r" does not count.
        const bool maybeCrlf = ch == '\r' && current_.size() == max_ + 1;
        if (current_.size() > max_ && !maybeCrlf) {
            out.push_back({std::string(), true});
            current_.clear();
            skipping_ = true;
        }
    }
}
