#pragma once
// How the process's heap gives memory back to the system.

namespace platform::memory {

// Keeps up to 64 MiB of freed memory at the top of the heap for reuse, and
// grows the heap 16 MiB beyond each need. By default the C library gives
// back any 128 KiB freed at the top at once: a migration that makes and
// frees a card's worth of temporary memory for each of tens of thousands of
// items then gives back and takes again the same pages, and the system
// clears each page again on every take. Call once, before other threads.
void KeepFreedHeap();

}  // namespace platform::memory
