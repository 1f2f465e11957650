#include "platform/memory/PageBlock.h"

#include <new>
#include <utility>

#include "platform/memory/Mappings.h"

namespace platform::memory {

PageBlock::PageBlock(std::size_t size) {
    if (size == 0) return;
#ifndef FW_PAGE_BLOCKS_FROM_HEAP
    if (size >= kHugePageSize) {
        const std::size_t mapped = (size + kHugePageSize - 1) & ~(kHugePageSize - 1);
        m_data = TakeMapping(mapped);
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
        GiveMapping(m_data, m_mapped);
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
