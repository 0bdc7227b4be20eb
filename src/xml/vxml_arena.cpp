#include "xml/vxml_arena.h"

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/large_buffer.h"

#if defined(__SANITIZE_ADDRESS__)
#define VXML_ARENA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VXML_ARENA_ASAN 1
#endif
#endif
#ifndef VXML_ARENA_ASAN
#define VXML_ARENA_ASAN 0
#endif
#if VXML_ARENA_ASAN
#include <sanitizer/lsan_interface.h>
#endif

// Every arena, the counters over them, and the one emptied chunk kept for the next arena. Never
// destroyed, since documents may go while the process ends.
struct CVXMLArenaRegistry {
  std::mutex mutex;
  CVXMLArena* arenas = nullptr;
  std::size_t arenaCount = 0;
  std::size_t bytesHeld = 0;
  std::size_t peakBytesHeld = 0;
  void* spare = nullptr;  // an emptied chunk, poisoned, or null

  static CVXMLArenaRegistry& Get() {
    static CVXMLArenaRegistry* registry = new CVXMLArenaRegistry;
    return *registry;
  }
};

namespace {

constexpr std::size_t kChunkBytes = CVXMLArena::kChunkBytes;
// The first word of a chunk links it to the arena's next one; blocks start after a cache line.
constexpr std::size_t kChunkHeader = 64;

// Memory the arena has not handed out stays poisoned (no-ops without AddressSanitizer).
inline void Poison(const void* p, std::size_t n) { ASAN_POISON_MEMORY_REGION(p, n); }
inline void Unpoison(const void* p, std::size_t n) { ASAN_UNPOISON_MEMORY_REGION(p, n); }

// Nodes hold pointers to heap memory (large values, nodes made without a document): the leak checker
// must look for them in the chunks too.
inline void WatchForLeaks(const void* p, std::size_t n) {
#if VXML_ARENA_ASAN
  __lsan_register_root_region(p, n);
#else
  (void)p;
  (void)n;
#endif
}
inline void StopWatching(const void* p, std::size_t n) {
#if VXML_ARENA_ASAN
  __lsan_unregister_root_region(p, n);
#else
  (void)p;
  (void)n;
#endif
}

// A change of a counter that only one thread writes: no read-modify-write instruction needed.
inline void AddTo(std::atomic<std::size_t>& counter, std::size_t value) {
  counter.store(counter.load(std::memory_order_relaxed) + value, std::memory_order_relaxed);
}
inline void SubtractFrom(std::atomic<std::size_t>& counter, std::size_t value) {
  counter.store(counter.load(std::memory_order_relaxed) - value, std::memory_order_relaxed);
}

// A chunk from the spare one or from the system. `later`: the arena has chunks already, so it builds a
// large tree, worth huge pages.
void* TakeChunk(bool later) {
  CVXMLArenaRegistry& registry = CVXMLArenaRegistry::Get();
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    if (void* spare = registry.spare) {
      registry.spare = nullptr;
      return spare;
    }
  }
  // Map twice the size and keep the aligned middle, so that the whole chunk can be one huge page.
  void* map = mmap(nullptr, 2 * kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(map);
  const std::uintptr_t aligned = (start + kChunkBytes - 1) & ~(kChunkBytes - 1);
  if (aligned > start) munmap(map, aligned - start);
  const std::uintptr_t end = start + 2 * kChunkBytes;
  if (end > aligned + kChunkBytes) munmap(reinterpret_cast<void*>(aligned + kChunkBytes), end - aligned - kChunkBytes);
  void* chunk = reinterpret_cast<void*>(aligned);
  if (later) AdviseHugePages(chunk, kChunkBytes);
  Poison(chunk, kChunkBytes);
  WatchForLeaks(chunk, kChunkBytes);
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.bytesHeld += kChunkBytes;
  if (registry.bytesHeld > registry.peakBytesHeld) registry.peakBytesHeld = registry.bytesHeld;
  return chunk;
}

// Keeps one emptied chunk for the next arena; gives the others back to the system.
void GiveBackChunks(void* chunks) noexcept {
  CVXMLArenaRegistry& registry = CVXMLArenaRegistry::Get();
  while (chunks) {
    Unpoison(chunks, sizeof(void*));
    void* next = *static_cast<void**>(chunks);
    Poison(chunks, kChunkBytes);
    {
      std::lock_guard<std::mutex> lock(registry.mutex);
      if (!registry.spare) {
        registry.spare = chunks;
        chunks = next;
        continue;
      }
      registry.bytesHeld -= kChunkBytes;
    }
    // The system may hand these addresses out again: their shadow must be clean.
    StopWatching(chunks, kChunkBytes);
    Unpoison(chunks, kChunkBytes);
    munmap(chunks, kChunkBytes);
    chunks = next;
  }
}

#if VXML_ARENA_ASAN
// The leak checker takes the chunks for roots, so a document that is never deleted hides what its
// arena holds: blocks still in use when the process ends are reported here instead.
__attribute__((destructor)) void ReportBlocksInUseAtExit() {
  const char* options = std::getenv("ASAN_OPTIONS");
  if (options && std::strstr(options, "detect_leaks=0")) return;
  const std::size_t blocks = VXMLArenaGetCounters().blocksInUse;
  if (blocks == 0) return;
  std::fprintf(stderr, "==%d==ERROR: XML arenas: %zu blocks still in use at exit (a leaked document)\n",
               static_cast<int>(getpid()), blocks);
  _exit(23);
}
#endif

}  // namespace

// Classes of 8 bytes up to 256 bytes (nodes, names, short values), then of 64 bytes (longer values).
// (A size of 0 is taken as 1.)
std::size_t CVXMLArena::ClassOf(std::size_t size) {
  if (size <= kSmallMax) return (size - (size != 0)) / kGranule;
  return kSmallMax / kGranule + (size - kSmallMax - 1) / kLargeGranule;
}

std::size_t CVXMLArena::BytesOf(std::size_t cls) {
  if (cls < kSmallMax / kGranule) return (cls + 1) * kGranule;
  return kSmallMax + (cls - kSmallMax / kGranule + 1) * kLargeGranule;
}

CVXMLArena::CVXMLArena() {
  CVXMLArenaRegistry& registry = CVXMLArenaRegistry::Get();
  std::lock_guard<std::mutex> lock(registry.mutex);
  m_next = registry.arenas;
  if (m_next) m_next->m_prev = this;
  registry.arenas = this;
  ++registry.arenaCount;
}

CVXMLArena::~CVXMLArena() {
  {
    CVXMLArenaRegistry& registry = CVXMLArenaRegistry::Get();
    std::lock_guard<std::mutex> lock(registry.mutex);
    if (m_prev) m_prev->m_next = m_next;
    else registry.arenas = m_next;
    if (m_next) m_next->m_prev = m_prev;
    --registry.arenaCount;
  }
  GiveBackChunks(m_chunks);
}

void* CVXMLArena::AllocateFromNewChunk(std::size_t size) {
  char* chunk = static_cast<char*>(TakeChunk(m_chunkCount > 0));
  Unpoison(chunk, sizeof(void*));
  *reinterpret_cast<void**>(chunk) = m_chunks;
  m_chunks = chunk;
  ++m_chunkCount;
  // The free blocks of the chunk being left stay on their lists.
  m_cursor = chunk + kChunkHeader;
  m_limit = chunk + kChunkBytes;
  return Allocate(size);
}

void* CVXMLArena::Allocate(std::size_t size) {
  const std::size_t cls = ClassOf(size);
  if (Block* block = m_free[cls]) {
    Unpoison(block, sizeof(Block));
    m_free[cls] = block->next;
    Poison(block, sizeof(Block));
    AddTo(m_blocksInUse, 1);
    Unpoison(block, size);
    return block;
  }
  const std::size_t bytes = BytesOf(cls);
  if (__builtin_expect(static_cast<std::size_t>(m_limit - m_cursor) < bytes, 0)) return AllocateFromNewChunk(size);
  char* block = m_cursor;
  m_cursor += bytes;
  AddTo(m_blocksInUse, 1);
  Unpoison(block, size);
  return block;
}

void CVXMLArena::Free(void* pointer, std::size_t size) noexcept {
  const std::size_t cls = ClassOf(size);
  SubtractFrom(m_blocksInUse, 1);
  auto* block = static_cast<Block*>(pointer);
  Unpoison(block, sizeof(Block));
  block->next = m_free[cls];
  m_free[cls] = block;
  Poison(block, BytesOf(cls));
}

void* VXMLAllocate(CVXMLArena* arena, std::size_t size) {
  if (arena && size <= CVXMLArena::kMaxBlock) return arena->Allocate(size);
  return ::operator new(size);
}

void VXMLFree(CVXMLArena* arena, void* block, std::size_t size) noexcept {
  if (!block) return;
  if (arena && size <= CVXMLArena::kMaxBlock) arena->Free(block, size);
  else ::operator delete(block);
}

CVXMLArenaCounters VXMLArenaGetCounters() {
  CVXMLArenaRegistry& registry = CVXMLArenaRegistry::Get();
  std::lock_guard<std::mutex> lock(registry.mutex);
  CVXMLArenaCounters counters;
  counters.bytesHeld = registry.bytesHeld;
  counters.peakBytesHeld = registry.peakBytesHeld;
  counters.arenas = registry.arenaCount;
  for (CVXMLArena* arena = registry.arenas; arena; arena = arena->m_next) {
    counters.blocksInUse += arena->m_blocksInUse.load(std::memory_order_relaxed);
  }
  return counters;
}

void VXMLArenaResetPeak() {
  CVXMLArenaRegistry& registry = CVXMLArenaRegistry::Get();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.peakBytesHeld = registry.bytesHeld;
}
