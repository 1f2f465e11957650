#include "platform/memory/PageBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define FW_PAGE_BLOCKS_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FW_PAGE_BLOCKS_FROM_HEAP 1
#endif
#endif

namespace platform::memory {

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

}  // namespace

PageBlock::PageBlock(std::size_t size) {
    if (size == 0) return;
#ifndef FW_PAGE_BLOCKS_FROM_HEAP
    if (size >= kHugePageSize) {
        const std::size_t mapped = (size + kHugePageSize - 1) & ~(kHugePageSize - 1);
        m_data = MapAligned(mapped);
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
    if (m_mapped != 0)
        ::munmap(m_data, m_mapped);
    else
        delete[] m_data;
    m_data = nullptr;
    m_size = 0;
    m_mapped = 0;
}

}  // namespace platform::memory
