#include "device/PanelReportQueue.h"

PanelReportQueue::PanelReportQueue(std::size_t capacity) : m_capacity(capacity ? capacity : 1) {}

bool PanelReportQueue::Push(const PanelReport& report) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_ring.empty()) m_ring.resize(m_capacity);
    if (m_size == m_capacity) {
        m_head = (m_head + 1) % m_capacity;
        --m_size;
        ++m_dropped;
    }
    m_ring[(m_head + m_size) % m_capacity] = report;
    ++m_size;
    m_latest = report;
    const bool notify = !m_noticePending;
    m_noticePending = true;
    return notify;
}

void PanelReportQueue::Take(std::vector<PanelReport>& out) {
    out.clear();
    std::lock_guard<std::mutex> guard(m_lock);
    out.reserve(m_size);
    for (std::size_t i = 0; i < m_size; ++i) out.push_back(m_ring[(m_head + i) % m_capacity]);
    m_head = 0;
    m_size = 0;
    m_noticePending = false;
}

void PanelReportQueue::NoticeLost() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_noticePending = false;
}

PanelReport PanelReportQueue::Latest() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_latest;
}

std::uint64_t PanelReportQueue::Dropped() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_dropped;
}

std::size_t PanelReportQueue::Size() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_size;
}
