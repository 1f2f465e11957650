#include "platform/memory/Heap.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace platform::memory {

void KeepFreedHeap() {
#if defined(M_TRIM_THRESHOLD) && defined(M_TOP_PAD)
    // Advice only: a C library without these settings keeps its own ways.
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    ::mallopt(M_TOP_PAD, 16 << 20);
#endif
}

}  // namespace platform::memory
