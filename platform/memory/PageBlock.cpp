#include "platform/memory/PageBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace platform::memory {

#ifndef FW_PAGE_BLOCKS_FROM_HEAP
namespace {

// A mapping of `size` bytes (a multiple of the huge page size) that starts
// on a huge page boundary; null when none can be had.
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

// Mappings freed lately, for the next blocks of their size: a list handing
// its records on block by block (a reader's records converted into a record
// list) fills the new blocks without the system clearing new pages.
class FreedMappings {
public:
    std::byte* Take(std::size_t size) {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (std::size_t i = m_kept.size(); i-- > 0;) {
            if (m_kept[i].size != size) continue;
            std::byte* data = m_kept[i].data;
            m_kept.erase(m_kept.begin() + static_cast<std::ptrdiff_t>(i));
            return data;
        }
        return nullptr;
    }
    void Give(std::byte* data, std::size_t size) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_kept.size() < kKept) {
                m_kept.push_back({data, size});
                return;
            }
        }
        ::munmap(data, size);
    }

private:
    static constexpr std::size_t kKept = 8;
    struct Kept {
        std::byte* data;
        std::size_t size;
    };
    std::mutex m_mutex;
    std::vector<Kept> m_kept;
};

FreedMappings& Freed() {
    static auto* freed = new FreedMappings;  // lives to the end of the process
    return *freed;
}

}  // namespace
#endif

PageBlock::PageBlock(std::size_t size) {
    if (size == 0) return;
#ifndef FW_PAGE_BLOCKS_FROM_HEAP
    if (size >= kHugePageSize) {
        const std::size_t mapped = (size + kHugePageSize - 1) & ~(kHugePageSize - 1);
        m_data = Freed().Take(mapped);
        if (m_data == nullptr) m_data = MapAligned(mapped);
        if (m_data != nullptr) {
            m_size = size;
            m_mapped = mapped;
        }
        return;
    }
#endif
    m_data = new (std::nothrow) std::byte[size];
    if (m_data != nullptr) m_size = size;
}

PageBlock::PageBlock(PageBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0)) {}

PageBlock& PageBlock::operator=(PageBlock&& other) noexcept {
    if (this != &other) {
        Free();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, 0);
    }
    return *this;
}

void PageBlock::Free() {
    if (m_data == nullptr) return;
#ifndef FW_PAGE_BLOCKS_FROM_HEAP
    if (m_mapped != 0) {
        Freed().Give(m_data, m_mapped);
        m_data = nullptr;
        m_size = 0;
        m_mapped = 0;
        return;
    }
#endif
    delete[] m_data;
    m_data = nullptr;
    m_size = 0;
    m_mapped = 0;
}

}  // namespace platform::memory
