// Reference count of one object handed out by the library. Objects are never
// freed while the process may still hold their address: a Release too many or
// a call through a released object is reported on stderr and refused with a
// failure status instead of touching freed memory.
#pragma once

#include <atomic>
#include <cstdint>

class ObjectLife {
public:
    explicit ObjectLife(const char* what) : m_what(what) {}

    // True while the object has references; otherwise reports the call on stderr.
    bool Alive(const void* self, const char* operation) const;
    // The new count, or a failure status on a released object.
    std::int32_t AddRef(const void* self);
    // The remaining count (0: this was the last reference), or a failure status
    // on a released object. lastOut is set only by the call that drops the last one.
    std::int32_t Release(const void* self, bool& lastOut);
    std::int32_t Count() const { return m_refs.load(); }

private:
    std::atomic<std::int32_t> m_refs{1};
    const char* m_what;
};
