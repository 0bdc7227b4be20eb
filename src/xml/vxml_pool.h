// Memory of the node tree: small blocks (nodes, names and values, child lists) from a per-thread pool,
// and large buffers that the kernel may back with huge pages.
//
// A feed of some megabytes becomes hundreds of thousands of nodes. Taking each from malloc, and each
// page of them from the kernel one fault at a time, cost more than parsing them; the pool carves
// blocks from large slabs and keeps freed blocks for reuse, and the slabs ask for transparent huge
// pages, so a large tree costs a few dozen faults instead of tens of thousands.
#pragma once

#include <cstddef>
#include <new>
#include <string>

// A block of at least `size` bytes; blocks above kVXMLPoolMaxBlock come from operator new.
void* VXMLPoolAllocate(std::size_t size);
// Gives back a block of VXMLPoolAllocate with the same `size`.
void VXMLPoolFree(void* block, std::size_t size) noexcept;

inline constexpr std::size_t kVXMLPoolMaxBlock = 4096;

// Hands the calling thread's pool (its free blocks and the rest of its slab) to the next thread that
// needs one. A helper thread that builds nodes calls it before it ends, so that what it did not use is
// not lost with it; its nodes stay valid and go to whichever thread frees them.
void VXMLPoolReleaseThread() noexcept;

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

// Asks the kernel to back the whole 2 MB pages inside [data, data + size) with huge pages when they
// are first touched. Only worth it for buffers of several megabytes; harmless everywhere else.
void AdviseHugePages(void* data, std::size_t size) noexcept;

// Makes `buffer` hold `size` bytes whose content is left to the caller, advising huge pages for a
// large one before its pages are touched.
void ResizeLargeBuffer(std::string& buffer, std::size_t size);
