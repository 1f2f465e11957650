#pragma once
// An owned piece of memory of a fixed size for many records at once. A piece
// of 2 MiB or more is mapped apart from the heap, aligned and advised for
// huge pages, so that filling it costs one page fault per 2 MiB rather than
// one per 4 KiB (see Mappings.h: a few freed pieces are kept for the next
// ones of their size, not cleared, since a block is for records copied in
// whole, and new ones are made ahead). Smaller pieces come from the heap.
// Under AddressSanitizer every piece comes from the heap, so that the
// sanitizer sees its bounds.
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define FW_PAGE_BLOCKS_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FW_PAGE_BLOCKS_FROM_HEAP 1
#endif
#endif

namespace platform::memory {

inline constexpr std::size_t kHugePageSize = std::size_t{2} << 20;

// True when every piece comes from the heap (under AddressSanitizer).
#ifdef FW_PAGE_BLOCKS_FROM_HEAP
inline constexpr bool kPiecesFromHeap = true;
#else
inline constexpr bool kPiecesFromHeap = false;
#endif

class PageBlock {
public:
    PageBlock() = default;
    // Data() is null when the memory cannot be had.
    explicit PageBlock(std::size_t size);
    PageBlock(PageBlock&& other) noexcept;
    PageBlock& operator=(PageBlock&& other) noexcept;
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;
    ~PageBlock() { Free(); }

    std::byte* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    void Free();

    std::byte* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_mapped = 0;  // the mapping's size; 0 for heap memory
};

}  // namespace platform::memory
