#pragma once
// Wall-clock seconds for the benchmarks: since a moment, or of one call.
#include <chrono>

inline double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <class F>
double Seconds(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return Seconds(t0);
}
