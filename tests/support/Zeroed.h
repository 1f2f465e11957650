#pragma once
// Zero-filled records, padding included, as the system fills them before
// use: by value, on the heap, or an existing one cleared.
#include <cstring>
#include <memory>

namespace fwtest {

template <class T>
void ZeroFill(T& r) {
    std::memset(static_cast<void*>(&r), 0, sizeof r);
}

template <class T>
T Zero() {
    T r;
    ZeroFill(r);
    return r;
}

// For records too large to keep on the stack.
template <class T>
std::unique_ptr<T> Zeroed() {
    auto p = std::make_unique<T>();
    ZeroFill(*p);
    return p;
}

}  // namespace fwtest
