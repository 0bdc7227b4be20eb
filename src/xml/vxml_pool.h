// Memory of the node tree: small blocks (nodes, names and values, child lists, attribute arrays) from a
// pool of slabs, and large buffers that the kernel may back with huge pages.
//
// A feed of some megabytes becomes hundreds of thousands of nodes. Taking each from malloc, and each
// page of them from the kernel one fault at a time, cost more than parsing them; the pool carves
// blocks from 2 MB slabs that ask for transparent huge pages, so a large tree costs a few dozen faults.
//
// Giving memory back. Each slab counts its blocks in use and goes back to the system when the last of
// them is freed, whatever tree or thread the blocks ended up in: the memory of a tree goes back with the
// tree (with the last tree, when trees built side by side share a slab). Arenas per document would do
// the same for trees that stay in their document, but nodes here are made with `new` before they are
// appended (on a helper thread, for the writers), are cloned, and move from one document to another;
// counting per slab ties no block to a document, so such nodes need no care: each is a block that keeps
// its slab until it is deleted. Freed blocks are reused while their slab is the one their thread is
// filling; that slab starts again from its beginning when it empties, and is the one slab a thread
// keeps.
//
// Threads. Each thread fills a slab of its own, without locks. A block may be freed by any thread:
// the thread that owns the slab counts it without an atomic operation. The slabs of a thread that has
// ended go over to the first thread that frees one of their blocks (the writers' helper thread builds
// items that the writing thread later frees). A free into a slab of a thread that still runs is counted
// under a lock, and the owner gives that slab back when it next finds it empty.
//
// Under AddressSanitizer the pool stays on and keeps poisoned what it has not handed out: the unused
// part of a slab, freed blocks, and the bytes of a block beyond the size asked for. A use after free or
// an overflow into a neighbouring block inside a slab is reported, and blocks still in use when the
// process ends are reported as leaks (the leak checker does not see into the slabs).
#pragma once

#include <cstddef>
#include <new>
#include <string>

#include "platform/large_buffer.h"

// A block of at least `size` bytes; blocks above kVXMLPoolMaxBlock come from operator new.
void* VXMLPoolAllocate(std::size_t size);
// Gives back a block of VXMLPoolAllocate with the same `size`; any thread may.
void VXMLPoolFree(void* block, std::size_t size) noexcept;

inline constexpr std::size_t kVXMLPoolMaxBlock = 4096;
// The size (and alignment) of a slab.
inline constexpr std::size_t kVXMLPoolSlabBytes = 2u << 20;

// What the pool holds, over all threads.
struct CVXMLPoolCounters {
  std::size_t bytesHeld = 0;      // slab memory taken from the system and not given back
  std::size_t peakBytesHeld = 0;  // the most held at once since the process began (or the last reset)
  std::size_t blocksInUse = 0;    // blocks handed out from slabs and not yet freed
};
// The counters; exact while no other thread allocates or frees blocks.
CVXMLPoolCounters VXMLPoolGetCounters();
// Makes the peak what is held now, so that the peak of one piece of work can be read afterwards.
void VXMLPoolResetPeak();

// A standard allocator over the pool, for the vectors of the tree.
template <class T>
struct CVXMLPoolAllocator {
  using value_type = T;
  CVXMLPoolAllocator() = default;
  template <class U>
  CVXMLPoolAllocator(const CVXMLPoolAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(VXMLPoolAllocate(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { VXMLPoolFree(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const CVXMLPoolAllocator<U>&) const noexcept { return true; }
  template <class U>
  bool operator!=(const CVXMLPoolAllocator<U>&) const noexcept { return false; }
};
