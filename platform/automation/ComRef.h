#pragma once
// An owning reference to an automation object: AddRef on copy, Release on
// destruction.
#include <utility>

namespace platform {

template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    static ComRef Adopt(T* p) {
        ComRef r;
        r.m_p = p;
        return r;
    }
    // Takes a reference of its own.
    static ComRef Share(T* p) {
        if (p) p->AddRef();
        return Adopt(p);
    }
    ComRef(const ComRef& o) : m_p(o.m_p) {
        if (m_p) m_p->AddRef();
    }
    ComRef(ComRef&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ComRef& operator=(ComRef o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(m_p, nullptr); }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

}  // namespace platform
