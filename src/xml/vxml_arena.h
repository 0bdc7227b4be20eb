// The memory of a document's tree: every node a document makes, with its names, values, child lists
// and attributes, comes from the document's own arena, and goes back to the system with the document.
//
// Everything a document makes is in its arena, whether it is in the tree or not: blocks larger than
// the size classes (long values, long child lists) are kept on a list of the arena's and go with it too.
//
// A feed of some megabytes becomes hundreds of thousands of nodes. Taking each from malloc, and each
// page of them from the kernel one fault at a time, cost more than parsing them; the arena carves
// blocks from 2 MB chunks (the later ones backed by huge pages), keeps freed blocks for reuse by size,
// and drops all its chunks at once when its document goes. An arena belongs to one document and so to
// one thread at a time: it takes no lock. One emptied chunk is kept for the next arena, so that small
// documents made one after another (pages of a site) find their memory already in place.
//
// Nodes made without a document (plain `new`, or on the stack) take their parts from the heap: the
// functions below take a null arena for that.
//
// Under AddressSanitizer the arena keeps poisoned what it has not handed out: the unused part of a
// chunk, freed blocks, and the bytes of a block beyond the size asked for.
#pragma once

#include <sanitizer/asan_interface.h>

#include <atomic>
#include <cstddef>
#include <new>

class CVXMLArena {
public:
  CVXMLArena();
  // Gives every chunk back (the nodes in it must be gone or never be used again).
  ~CVXMLArena();
  CVXMLArena(const CVXMLArena&) = delete;
  CVXMLArena& operator=(const CVXMLArena&) = delete;

  // A block of at least `size` bytes, aligned for any node.
  void* Allocate(std::size_t size);
  // Takes back a block of Allocate with the same `size` (for reuse, unless it was a large one).
  void Free(void* block, std::size_t size) noexcept;
  // From now on freed blocks are only counted, not kept for reuse: the whole arena is about to go
  // (its document is being destroyed), and touching every block once more would only cost time.
  void StopReuse() { m_reuse = false; }

  // Blocks above this size come from the heap, one by one, each on the arena's list of large blocks.
  static constexpr std::size_t kMaxBlock = 4096;
  static constexpr std::size_t kChunkBytes = 2u << 20;

private:
  friend struct CVXMLArenaRegistry;
  friend struct CVXMLArenaCounters VXMLArenaGetCounters();
  struct Block {
    Block* next;
  };
  // Size classes of 8 bytes up to 256 bytes (nodes, names, short values), then of 64 bytes (longer
  // values); a size of 0 is taken as 1.
  static constexpr std::size_t kGranule = 8;
  static constexpr std::size_t kSmallMax = 256;
  static constexpr std::size_t kLargeGranule = 64;
  static constexpr std::size_t kClasses = kSmallMax / kGranule + (kMaxBlock - kSmallMax) / kLargeGranule;

  // The size class of a block, and the bytes a block of the class takes.
  static std::size_t ClassOf(std::size_t size);
  static std::size_t BytesOf(std::size_t cls);
  void* AllocateFromNewChunk(std::size_t size);
  // Blocks above kMaxBlock, behind a header that links them.
  struct LargeBlock {
    LargeBlock* prev;
    LargeBlock* next;
    alignas(std::max_align_t) char bytes[1];
  };
  void* AllocateLarge(std::size_t size);
  void FreeLarge(void* block) noexcept;

  Block* m_free[kClasses] = {};  // freed blocks, by size class
  char* m_cursor = nullptr;      // the unused part of the current chunk
  char* m_limit = nullptr;
  void* m_chunks = nullptr;      // every chunk, linked through its first word
  std::size_t m_chunkCount = 0;
  LargeBlock* m_large = nullptr;
  bool m_reuse = true;
  std::atomic<std::size_t> m_blocksInUse{0};  // written by the owning thread only
  CVXMLArena* m_prev = nullptr;  // every arena, for the counters
  CVXMLArena* m_next = nullptr;
};

// A part of a node: from `arena`, or from the heap when it is null (or the block is large).
inline void* VXMLAllocate(CVXMLArena* arena, std::size_t size) {
  return arena ? arena->Allocate(size) : ::operator new(size);
}

// Gives back a block of VXMLAllocate with the same arena and size.
inline void VXMLFree(CVXMLArena* arena, void* block, std::size_t size) noexcept {
  if (!block) return;
  if (arena) arena->Free(block, size);
  else ::operator delete(block);
}

// The common cases, inline: a block from the free list or the current chunk, a block back on its list.
// (Memory not handed out stays poisoned; the macros do nothing without AddressSanitizer.)
inline std::size_t CVXMLArena::ClassOf(std::size_t size) {
  if (size <= kSmallMax) return (size - (size != 0)) / kGranule;
  return kSmallMax / kGranule + (size - kSmallMax - 1) / kLargeGranule;
}

inline std::size_t CVXMLArena::BytesOf(std::size_t cls) {
  if (cls < kSmallMax / kGranule) return (cls + 1) * kGranule;
  return kSmallMax + (cls - kSmallMax / kGranule + 1) * kLargeGranule;
}

inline void* CVXMLArena::Allocate(std::size_t size) {
  if (__builtin_expect(size > kMaxBlock, 0)) return AllocateLarge(size);
  const std::size_t cls = ClassOf(size);
  void* block = m_free[cls];
  if (block) {
    ASAN_UNPOISON_MEMORY_REGION(block, sizeof(Block));
    m_free[cls] = m_free[cls]->next;
    ASAN_POISON_MEMORY_REGION(block, sizeof(Block));
  } else {
    const std::size_t bytes = BytesOf(cls);
    if (__builtin_expect(static_cast<std::size_t>(m_limit - m_cursor) < bytes, 0)) return AllocateFromNewChunk(size);
    block = m_cursor;
    m_cursor += bytes;
  }
  // Only the owning thread writes the count: no read-modify-write instruction needed.
  m_blocksInUse.store(m_blocksInUse.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  ASAN_UNPOISON_MEMORY_REGION(block, size);
  return block;
}

inline void CVXMLArena::Free(void* pointer, std::size_t size) noexcept {
  if (__builtin_expect(size > kMaxBlock, 0)) {
    FreeLarge(pointer);
    return;
  }
  const std::size_t cls = ClassOf(size);
  m_blocksInUse.store(m_blocksInUse.load(std::memory_order_relaxed) - 1, std::memory_order_relaxed);
  if (m_reuse) {
    auto* block = static_cast<Block*>(pointer);
    ASAN_UNPOISON_MEMORY_REGION(block, sizeof(Block));
    block->next = m_free[cls];
    m_free[cls] = block;
  }
  ASAN_POISON_MEMORY_REGION(pointer, BytesOf(cls));
}

// A standard allocator over an arena (the heap when null), for the vectors of the tree. A copy of a
// container made with it is a copy on the heap, since it may outlive the document.
template <class T>
struct CVXMLArenaAllocator {
  using value_type = T;
  CVXMLArena* arena = nullptr;
  CVXMLArenaAllocator() = default;
  explicit CVXMLArenaAllocator(CVXMLArena* a) noexcept : arena(a) {}
  template <class U>
  CVXMLArenaAllocator(const CVXMLArenaAllocator<U>& other) noexcept : arena(other.arena) {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(VXMLAllocate(arena, n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { VXMLFree(arena, p, n * sizeof(T)); }
  CVXMLArenaAllocator select_on_container_copy_construction() const { return CVXMLArenaAllocator(); }
  // Moves and swaps take the memory along; nothing moves between arenas.
  using propagate_on_container_move_assignment = std::true_type;
  using propagate_on_container_swap = std::true_type;
  template <class U>
  bool operator==(const CVXMLArenaAllocator<U>& other) const noexcept { return arena == other.arena; }
  template <class U>
  bool operator!=(const CVXMLArenaAllocator<U>& other) const noexcept { return arena != other.arena; }
};

// What all arenas hold.
struct CVXMLArenaCounters {
  std::size_t bytesHeld = 0;      // chunk memory taken from the system and not given back
  std::size_t peakBytesHeld = 0;  // the most held at once since the process began (or the last reset)
  std::size_t blocksInUse = 0;    // blocks handed out and not yet freed, in arenas that still exist
  std::size_t arenas = 0;         // arenas that exist
};
// The counters; exact while no other thread uses an arena.
CVXMLArenaCounters VXMLArenaGetCounters();
// Makes the peak what is held now, so that the peak of one piece of work can be read afterwards.
void VXMLArenaResetPeak();
