// Owns one reference to a device-library object and gives it back exactly once:
// on Reset or when the owner goes. The library's objects count references but
// have no AddRef the program may call, so the owner can be moved, never copied.
#pragma once

#include <utility>

template <class Interface>
class TqPtr {
public:
    TqPtr() = default;
    explicit TqPtr(Interface* object) : m_object(object) {}
    ~TqPtr() { Reset(); }

    TqPtr(const TqPtr&) = delete;
    TqPtr& operator=(const TqPtr&) = delete;
    TqPtr(TqPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    TqPtr& operator=(TqPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return m_object; }
    Interface* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // Gives the reference back now. The pointer is cleared before the call, so
    // nothing reached from inside Release can use or release it again.
    void Reset() {
        if (Interface* object = std::exchange(m_object, nullptr)) object->Release();
    }

private:
    Interface* m_object = nullptr;
};
