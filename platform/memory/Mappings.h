#pragma once
// The mappings behind large page blocks: aligned on huge pages and advised
// for them, kept for reuse when freed, and made ahead of need.
//
// A list that grows asks for block after block of one size. Clearing the
// new pages is most of what filling a new block costs (the system clears
// every page on its first touch), so a helper thread keeps a few mappings
// of the size asked for last already touched: the clearing then happens on
// another processor while this one fills the block before. When the list
// grows faster than the helper clears, it takes one of the few the helper
// keeps mapped but not yet touched, and both processors clear.
#include <cstddef>

namespace platform::memory {

// A mapping of `size` bytes (a multiple of the huge page size) starting on
// a huge page boundary; null when none can be had. A mapping freed before
// comes back with the bytes it had; a new one is zero.
std::byte* TakeMapping(std::size_t size);
// Gives back a mapping from TakeMapping, to be kept for the next one of its
// size or returned to the system.
void GiveMapping(std::byte* data, std::size_t size);

// The mappings made ahead and not yet taken, for tests.
std::size_t MappingsAhead();

}  // namespace platform::memory
