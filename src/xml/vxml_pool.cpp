#include "xml/vxml_pool.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define VXML_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define VXML_POOL 0
#endif
#endif
#ifndef VXML_POOL
#define VXML_POOL 1  // off in sanitizer builds, so that they see every block
#endif

constexpr std::size_t kHugePage = 2u << 20;

#if VXML_POOL
// Free lists of blocks in 8-byte classes, carved from slabs. The first slabs are small (a page or a
// small feed needs little); once a megabyte is in use the slabs are 2 MB huge pages. Slabs are kept
// for the life of the process (nodes may outlive any owner of the pool, e.g. in static objects).
class CPool {
public:
  // Classes of 8 bytes up to 256 bytes (nodes, names, short values), then of 64 bytes (longer values).
  static constexpr std::size_t kGranule = 8;
  static constexpr std::size_t kSmallMax = 256;
  static constexpr std::size_t kLargeGranule = 64;
  static constexpr std::size_t kClasses = kSmallMax / kGranule + (kVXMLPoolMaxBlock - kSmallMax) / kLargeGranule;

  static std::size_t ClassOf(std::size_t size) {
    if (size <= kSmallMax) return (size - 1) / kGranule;
    return kSmallMax / kGranule + (size - kSmallMax - 1) / kLargeGranule;
  }
  static std::size_t BytesOf(std::size_t cls) {
    if (cls < kSmallMax / kGranule) return (cls + 1) * kGranule;
    return kSmallMax + (cls - kSmallMax / kGranule + 1) * kLargeGranule;
  }
  static constexpr std::size_t kSmallSlab = 64 * 1024;
  static constexpr std::size_t kSmallSlabTotal = 1u << 20;

  void* Allocate(std::size_t size) {
    if (size == 0) size = 1;
    if (size > kVXMLPoolMaxBlock) return ::operator new(size);
    const std::size_t cls = ClassOf(size);
    if (Block* block = m_free[cls]) {
      m_free[cls] = block->next;
      return block;
    }
    const std::size_t bytes = BytesOf(cls);
    if (m_left < bytes) NewSlab();
    void* block = m_cursor;
    m_cursor += bytes;
    m_left -= bytes;
    return block;
  }

  void Free(void* pointer, std::size_t size) noexcept {
    if (size == 0) size = 1;
    if (size > kVXMLPoolMaxBlock) {
      ::operator delete(pointer);
      return;
    }
    const std::size_t cls = ClassOf(size);
    auto* block = static_cast<Block*>(pointer);
    block->next = m_free[cls];
    m_free[cls] = block;
  }

private:
  struct Block {
    Block* next;
  };

  void NewSlab() {
    // The tail of the old slab is too small for this block; it is given up (less than one block).
    if (m_slabTotal < kSmallSlabTotal) {
      void* slab = std::malloc(kSmallSlab);
      if (!slab) throw std::bad_alloc();
      Take(slab, kSmallSlab);
      return;
    }
    // Map twice the size and keep the aligned middle, so the slab is exactly one huge page.
    void* map = mmap(nullptr, 2 * kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(map);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) munmap(map, aligned - start);
    const std::uintptr_t end = start + 2 * kHugePage;
    if (end > aligned + kHugePage) munmap(reinterpret_cast<void*>(aligned + kHugePage), end - aligned - kHugePage);
    void* slab = reinterpret_cast<void*>(aligned);
    AdviseHugePages(slab, kHugePage);
    Take(slab, kHugePage);
  }

  void Take(void* slab, std::size_t size) {
    m_cursor = static_cast<char*>(slab);
    m_left = size;
    m_slabTotal += size;
  }

  Block* m_free[kClasses] = {};
  char* m_cursor = nullptr;
  std::size_t m_left = 0;
  std::size_t m_slabTotal = 0;
};

// The pools of helper threads that have ended, for the next thread to take over.
std::mutex& IdleMutex() {
  static std::mutex* mutex = new std::mutex;  // never destroyed: nodes may be freed during exit
  return *mutex;
}
std::vector<CPool*>& IdlePools() {
  static auto* pools = new std::vector<CPool*>;
  return *pools;
}

thread_local CPool* t_pool = nullptr;  // never destroyed: see above

CPool& Pool() {
  if (!t_pool) {
    std::lock_guard<std::mutex> lock(IdleMutex());
    if (IdlePools().empty()) {
      t_pool = new CPool;
    } else {
      t_pool = IdlePools().back();
      IdlePools().pop_back();
    }
  }
  return *t_pool;
}
#endif

}  // namespace

void* VXMLPoolAllocate(std::size_t size) {
#if VXML_POOL
  return Pool().Allocate(size);
#else
  return ::operator new(size);
#endif
}

void VXMLPoolFree(void* block, std::size_t size) noexcept {
#if VXML_POOL
  Pool().Free(block, size);
#else
  (void)size;
  ::operator delete(block);
#endif
}

void VXMLPoolReleaseThread() noexcept {
#if VXML_POOL
  if (!t_pool) return;
  std::lock_guard<std::mutex> lock(IdleMutex());
  try {
    IdlePools().push_back(t_pool);
  } catch (...) {
    return;  // no room to keep it: it is left to the thread (and lost with it)
  }
  t_pool = nullptr;
#endif
}

void AdviseHugePages(void* data, std::size_t size) noexcept {
#ifdef MADV_HUGEPAGE
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (start + size) & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

void ResizeLargeBuffer(std::string& buffer, std::size_t size) {
  if (size >= 2 * kHugePage && buffer.capacity() < size) {
    // A fresh allocation of this size is fresh, untouched memory: advise it before resize fills it.
    std::string fresh;
    fresh.reserve(size);
    AdviseHugePages(fresh.data(), size);
    buffer.swap(fresh);
  }
  buffer.resize(size);
}
