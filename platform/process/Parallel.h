#pragma once
// Work spread over threads: `work(i)` for every index below `count`, each
// index once, by up to `threads` threads at once, the calling one among
// them. Returns when all indexes are done. Where no further thread can be
// had, the threads there are do all the work.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace platform::process {

template <class Work>
void ForEachIndex(std::size_t count, std::size_t threads, const Work& work) {
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        for (std::size_t i = next++; i < count; i = next++) work(i);
    };
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < std::min(threads, count); ++t) {
        try {
            helpers.emplace_back(run);
        } catch (const std::system_error&) {
            break;
        }
    }
    run();
}

// The processors this program may use, at least one.
inline std::size_t Processors() { return std::max(1u, std::thread::hardware_concurrency()); }

}  // namespace platform::process
