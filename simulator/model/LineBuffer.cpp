#include "simulator/model/LineBuffer.h"

void LineBuffer::Feed(const char* data, std::size_t size, std::vector<Line>& out) {
    for (std::size_t i = 0; i < size; ++i) {
        const char ch = data[i];
        if (ch == '\n') {
            if (m_skipping) {
                m_skipping = false;
            } else {
                if (!m_current.empty() && m_current.back() == '\r') m_current.pop_back();
                out.push_back({m_current, false});
            }
            m_current.clear();
            continue;
        }
        if (m_skipping) continue;
        m_current += ch;
        // A line of the full length may still end in "\r\n": its "\r" does not count.
        const bool maybeCrlf = ch == '\r' && m_current.size() == m_max + 1;
        if (m_current.size() > m_max && !maybeCrlf) {
            out.push_back({std::string(), true});
            m_current.clear();
            m_skipping = true;
        }
    }
}
