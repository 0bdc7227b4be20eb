#include "xml/vxml_arena.h"

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstddef>
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
  while (m_large) {
    LargeBlock* next = m_large->next;
    ::operator delete(m_large);
    m_large = next;
  }
  GiveBackChunks(m_chunks);
}

void* CVXMLArena::AllocateLarge(std::size_t size) {
  if (size > static_cast<std::size_t>(-1) - sizeof(LargeBlock)) throw std::bad_alloc();
  auto* block = static_cast<LargeBlock*>(::operator new(offsetof(LargeBlock, bytes) + size));
  block->prev = nullptr;
  block->next = m_large;
  if (m_large) m_large->prev = block;
  m_large = block;
  m_blocksInUse.store(m_blocksInUse.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  return block->bytes;
}

void CVXMLArena::FreeLarge(void* pointer) noexcept {
  auto* block = reinterpret_cast<LargeBlock*>(static_cast<char*>(pointer) - offsetof(LargeBlock, bytes));
  if (block->prev) block->prev->next = block->next;
  else m_large = block->next;
  if (block->next) block->next->prev = block->prev;
  m_blocksInUse.store(m_blocksInUse.load(std::memory_order_relaxed) - 1, std::memory_order_relaxed);
  ::operator delete(block);
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
