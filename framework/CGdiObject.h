// Owner of one GDI handle: deleted with the object, movable, never copied.
#pragma once

#include <windows.h>

#include <utility>

template <typename H>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            DeleteObject();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    H GetSafeHandle() const { return m_handle; }
    operator H() const { return m_handle; }
    void Attach(H handle) {
        DeleteObject();
        m_handle = handle;
    }
    H Detach() { return std::exchange(m_handle, nullptr); }
    void DeleteObject() {
        if (m_handle) ::DeleteObject(m_handle);
        m_handle = nullptr;
    }

protected:
    H m_handle = nullptr;
};
