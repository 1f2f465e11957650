#pragma once
// The storage of a list of fixed-capacity records: copies of the records in
// blocks that grow with the list up to about 4 MiB, so that tens of
// thousands of records take their memory in few large pieces (see
// PageBlock). Records are not freed one by one: the blocks go all at once
// (Clear), or from the front (ReleaseBefore) as a list hands its records on
// in order. A record's address stays the same while its block lives.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

#include "platform/memory/PageBlock.h"

template <class Rec>
class RecordBlocks {
    static_assert(std::is_trivially_copyable_v<Rec>, "records are copied as bytes");

public:
    RecordBlocks() = default;
    RecordBlocks(const RecordBlocks&) = delete;
    RecordBlocks& operator=(const RecordBlocks&) = delete;

    // A copy of the record at the end; null when no memory can be had.
    Rec* Add(const Rec& rec) {
        if (m_blocks.empty() || m_blocks.back().used == m_blocks.back().capacity) {
            const std::size_t capacity = std::clamp<std::size_t>(m_count, 1, kBlockRecords);
            Block block{platform::memory::PageBlock(capacity * sizeof(Rec)), capacity, 0, m_count};
            if (block.memory.Data() == nullptr) return nullptr;
            m_blocks.push_back(std::move(block));
        }
        Block& block = m_blocks.back();
        Rec* slot = reinterpret_cast<Rec*>(block.memory.Data()) + block.used;
        std::memcpy(static_cast<void*>(slot), &rec, sizeof(Rec));
        ++block.used;
        ++m_count;
        return slot;
    }

    std::size_t Count() const { return m_count; }

    // Frees the blocks that hold only records before position `count`.
    void ReleaseBefore(std::size_t count) {
        for (; m_released < m_blocks.size(); ++m_released) {
            Block& block = m_blocks[m_released];
            if (block.first + block.used > count || block.used < block.capacity) break;
            block.memory = platform::memory::PageBlock();
        }
    }

    void Clear() {
        m_blocks.clear();
        m_count = 0;
        m_released = 0;
    }

private:
    // About 4 MiB of records per block; one record per block under
    // AddressSanitizer, so that it sees the bounds of every record.
    static constexpr std::size_t kBlockRecords =
        platform::memory::kPiecesFromHeap ? 1 : std::max<std::size_t>(1, (std::size_t{4} << 20) / sizeof(Rec));

    struct Block {
        platform::memory::PageBlock memory;
        std::size_t capacity;
        std::size_t used;
        std::size_t first;  // the position of its first record
    };
    std::vector<Block> m_blocks;
    std::size_t m_count = 0;
    std::size_t m_released = 0;  // the blocks already freed from the front
};
