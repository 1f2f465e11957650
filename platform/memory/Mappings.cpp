#include "platform/memory/Mappings.h"

#include <sys/mman.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/memory/PageBlock.h"

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace platform::memory {

namespace {

std::byte* MapAligned(std::size_t size) {
    const std::size_t span = size + kHugePageSize;
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto base = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = (base + kHugePageSize - 1) & ~(kHugePageSize - 1);
    if (start > base) ::munmap(raw, start - base);
    const std::uintptr_t end = start + size;
    if (base + span > end) ::munmap(reinterpret_cast<void*>(end), base + span - end);
    // Advice only: without huge pages the memory works as well, more slowly.
    ::madvise(reinterpret_cast<void*>(start), size, MADV_HUGEPAGE);
    return reinterpret_cast<std::byte*>(start);
}

// Touches every page of a new mapping, so that the system clears them now,
// a huge page at a time: the system holds the process's mapping lock while
// it does, and another thread that maps or unmaps memory meanwhile waits
// for it, for a whole block's clearing if it were done in one call.
void Populate(std::byte* data, std::size_t size) {
    std::size_t at = 0;
    for (; at < size; at += kHugePageSize)
        if (::madvise(data + at, std::min(kHugePageSize, size - at), MADV_POPULATE_WRITE) != 0) break;
    // Systems before Linux 5.14: a write to each page does the same.
    constexpr std::size_t kPage = 4096;
    for (; at < size; at += kPage) reinterpret_cast<volatile std::byte*>(data)[at] = std::byte{0};
}

struct Mapping {
    std::byte* data;
    std::size_t size;
};

class MappingPool {
public:
    std::byte* Take(std::size_t size) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (std::byte* freed = TakeFrom(m_freed, size)) return freed;
        if (size != m_aheadSize) {
            // A list of another record size: what was made ahead waits for
            // the size asked for last, and the helper turns to this one.
            m_aheadSize = size;
            StartHelper();
        }
        // One already cleared; else one mapped but not yet cleared, which
        // this thread clears as it fills it, beside the helper clearing the
        // next. Mapping one here would wait for the helper's clearing.
        std::byte* ready = TakeFrom(m_ready, size);
        if (ready == nullptr) ready = TakeFrom(m_spare, size);
        m_wake.notify_one();
        lock.unlock();
        return ready != nullptr ? ready : MapAligned(size);
    }

    void Give(std::byte* data, std::size_t size) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_freed.size() < kKeptFreed) {
                m_freed.push_back({data, size});
                return;
            }
        }
        ::munmap(data, size);
    }

    std::size_t Ahead() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_ready.size();
    }

private:
    static constexpr std::size_t kKeptFreed = 8;
    static constexpr std::size_t kAhead = 4;
    static constexpr std::size_t kSpare = 2;

    static std::byte* TakeFrom(std::vector<Mapping>& list, std::size_t size) {
        for (std::size_t i = list.size(); i-- > 0;) {
            if (list[i].size != size) continue;
            std::byte* data = list[i].data;
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            return data;
        }
        return nullptr;
    }

    // Called with the lock held.
    void StartHelper() {
        if (m_helperStarted) return;
        m_helperStarted = true;
        try {
            // The pool lives to the end of the process, and so does its helper.
            std::thread([this] { MakeAhead(); }).detach();
        } catch (const std::system_error&) {
            // No thread to be had: every mapping is made when asked for.
        }
    }

    // Keeps a few mappings mapped (which is quick) and a few cleared (which
    // is not): the mapped ones first, so that one can be had at once while
    // the helper clears.
    void MakeAhead() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return Missing(m_spare, kSpare) > 0 || Missing(m_ready, kAhead) > 0; });
            const std::size_t size = m_aheadSize;
            const bool spare = Missing(m_spare, kSpare) > 0;
            std::byte* data = spare ? nullptr : TakeFrom(m_spare, size);
            lock.unlock();
            if (data == nullptr) data = MapAligned(size);
            if (data != nullptr && !spare) Populate(data, size);
            lock.lock();
            if (data == nullptr) {
                // Out of memory for now: try again at the next request.
                m_wake.wait(lock);
                continue;
            }
            if (size == m_aheadSize) {
                (spare ? m_spare : m_ready).push_back({data, size});
            } else {
                lock.unlock();
                ::munmap(data, size);
                lock.lock();
            }
        }
    }

    // The mappings of the size asked for last still to be made for a list
    // that should hold `wanted` of them; those of other sizes are given back.
    std::size_t Missing(std::vector<Mapping>& list, std::size_t wanted) {
        std::size_t held = 0;
        for (std::size_t i = list.size(); i-- > 0;) {
            if (list[i].size == m_aheadSize) {
                ++held;
                continue;
            }
            ::munmap(list[i].data, list[i].size);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
        return held < wanted ? wanted - held : 0;
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Mapping> m_freed;
    std::vector<Mapping> m_ready;  // cleared
    std::vector<Mapping> m_spare;  // mapped, not yet cleared
    std::size_t m_aheadSize = 0;
    bool m_helperStarted = false;
};

MappingPool& Pool() {
    static auto* pool = new MappingPool;  // lives to the end of the process
    return *pool;
}

}  // namespace

std::byte* TakeMapping(std::size_t size) { return Pool().Take(size); }

void GiveMapping(std::byte* data, std::size_t size) { Pool().Give(data, size); }

std::size_t MappingsAhead() { return Pool().Ahead(); }

}  // namespace platform::memory
