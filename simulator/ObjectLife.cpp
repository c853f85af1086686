#include "simulator/ObjectLife.h"

#include <cstdio>

#include "simulator/model/SimStatus.h"

bool ObjectLife::Alive(const void* self, const char* operation) const {
    if (m_refs.load() > 0) return true;
    std::fprintf(stderr, "TqDvManager: %s called on a released %s (%p)\n", operation, m_what, self);
    std::fflush(stderr);
    return false;
}

std::int32_t ObjectLife::AddRef(const void* self) {
    std::int32_t n = m_refs.load();
    do {
        if (n <= 0) {
            Alive(self, "AddRef");
            return simstatus::kReleased;
        }
    } while (!m_refs.compare_exchange_weak(n, n + 1));
    return n + 1;
}

std::int32_t ObjectLife::Release(const void* self, bool& lastOut) {
    lastOut = false;
    std::int32_t n = m_refs.load();
    do {
        if (n <= 0) {
            std::fprintf(stderr, "TqDvManager: Release called on an already released %s (%p)\n", m_what, self);
            std::fflush(stderr);
            return simstatus::kReleased;
        }
    } while (!m_refs.compare_exchange_weak(n, n - 1));
    lastOut = n == 1;
    return n - 1;
}
