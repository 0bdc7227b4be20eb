#include "xml/vxml_pool.h"

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#if defined(__SANITIZE_ADDRESS__)
#define VXML_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VXML_POOL_ASAN 1
#endif
#endif
#ifndef VXML_POOL_ASAN
#define VXML_POOL_ASAN 0
#endif
// The rare paths stay out of line, so that the common ones need no stack frame.
#define VXML_COLD __attribute__((noinline, cold))
#if VXML_POOL_ASAN
#include <sanitizer/lsan_interface.h>
#endif

namespace {

constexpr std::size_t kSlabBytes = kVXMLPoolSlabBytes;

// Classes of 8 bytes up to 256 bytes (nodes, names, short values), then of 64 bytes (longer values).
constexpr std::size_t kGranule = 8;
constexpr std::size_t kSmallMax = 256;
constexpr std::size_t kLargeGranule = 64;
constexpr std::size_t kClasses = kSmallMax / kGranule + (kVXMLPoolMaxBlock - kSmallMax) / kLargeGranule;

// (A size of 0 is taken as 1.)
inline std::size_t ClassOf(std::size_t size) {
  if (size <= kSmallMax) return (size - (size != 0)) / kGranule;
  return kSmallMax / kGranule + (size - kSmallMax - 1) / kLargeGranule;
}

inline std::size_t BytesOf(std::size_t cls) {
  if (cls < kSmallMax / kGranule) return (cls + 1) * kGranule;
  return kSmallMax + (cls - kSmallMax / kGranule + 1) * kLargeGranule;
}

// Memory the pool has not handed out stays poisoned (no-ops without AddressSanitizer).
inline void Poison(const void* p, std::size_t n) { ASAN_POISON_MEMORY_REGION(p, n); }
inline void Unpoison(const void* p, std::size_t n) { ASAN_UNPOISON_MEMORY_REGION(p, n); }

// Nodes hold pointers to memory of operator new (long child lists, renamed text): the leak checker
// must look for them in the slabs too.
inline void WatchForLeaks(const void* p, std::size_t n) {
#if VXML_POOL_ASAN
  __lsan_register_root_region(p, n);
#else
  (void)p;
  (void)n;
#endif
}
inline void StopWatching(const void* p, std::size_t n) {
#if VXML_POOL_ASAN
  __lsan_unregister_root_region(p, n);
#else
  (void)p;
  (void)n;
#endif
}

struct CPool;

struct Block {
  Block* next;
};

// The header at the start of every slab; its blocks follow it.
struct alignas(64) Slab {
  // The pool that counts the slab's frees; changed under the lock, when an ended thread's slabs go
  // over to another thread.
  std::atomic<CPool*> owner{nullptr};
  // Blocks handed out minus those freed by the owner. Written only by the owner's thread (or under the
  // lock once the owner has ended); atomic so that the counters may read it from another thread.
  std::atomic<std::size_t> live{0};
  // Blocks freed by other threads while the owner runs, counted under the lock.
  std::atomic<std::size_t> remoteFreed{0};
  // The owner's list of slabs, changed under the lock.
  Slab* prev = nullptr;
  Slab* next = nullptr;

  char* Begin() { return reinterpret_cast<char*>(this) + sizeof(Slab); }
  char* End() { return reinterpret_cast<char*>(this) + kSlabBytes; }
  // Every block handed out has been freed.
  bool Empty() const { return live.load(std::memory_order_relaxed) == remoteFreed.load(std::memory_order_acquire); }
};
static_assert(sizeof(Slab) == 64, "a slab header is one cache line");

inline Slab* SlabOf(const void* block) {
  return reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(block) & ~(kSlabBytes - 1));
}

// A change of a counter that only one thread writes: no read-modify-write instruction needed.
inline void AddTo(std::atomic<std::size_t>& counter, std::size_t value) {
  counter.store(counter.load(std::memory_order_relaxed) + value, std::memory_order_relaxed);
}

// The slabs of one thread, and the part of its current slab not yet handed out.
struct CPool {
  Block* free[kClasses] = {};  // freed blocks of `current`, by class
  Slab* current = nullptr;
  char* cursor = nullptr;
  char* limit = nullptr;
  // Under the lock:
  Slab* slabs = nullptr;  // every slab of the pool, `current` among them
  bool ended = false;     // its thread has ended; the slabs wait for another thread
  CPool* prevPool = nullptr;
  CPool* nextPool = nullptr;
};

// What the threads share: the lock, every pool, and the counters. Never destroyed, since nodes may be
// freed while the process ends.
struct Shared {
  std::mutex mutex;
  CPool* pools = nullptr;
  std::size_t bytesHeld = 0;
  std::size_t peakBytesHeld = 0;
};

Shared& TheShared() {
  static Shared* shared = new Shared;
  return *shared;
}

// The calling thread's pool; after its end (t_ended) it gets no new one.
thread_local CPool* t_pool = nullptr;
thread_local bool t_ended = false;

void EndThread() noexcept;

// Ends the thread's pool when the thread ends.
struct ThreadEnd {
  bool armed = false;
  ~ThreadEnd() { EndThread(); }
};
thread_local ThreadEnd t_threadEnd;

// ---- Slabs and pools (under the lock) ----

Slab* MapSlab(Shared& shared, CPool& pool) {
  // Map twice the size and keep the aligned middle, so that the slab of a block is found by masking.
  void* map = mmap(nullptr, 2 * kSlabBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(map);
  const std::uintptr_t aligned = (start + kSlabBytes - 1) & ~(kSlabBytes - 1);
  if (aligned > start) munmap(map, aligned - start);
  const std::uintptr_t end = start + 2 * kSlabBytes;
  if (end > aligned + kSlabBytes) munmap(reinterpret_cast<void*>(aligned + kSlabBytes), end - aligned - kSlabBytes);
  // A pool's first slab is touched only as far as it is used (a page or a small feed needs little);
  // once a thread needs more, its slabs are filled and are worth huge pages.
  if (pool.slabs) AdviseHugePages(reinterpret_cast<void*>(aligned), kSlabBytes);
  Slab* slab = new (reinterpret_cast<void*>(aligned)) Slab;
  Poison(slab->Begin(), kSlabBytes - sizeof(Slab));
  WatchForLeaks(slab, kSlabBytes);
  slab->owner.store(&pool, std::memory_order_relaxed);
  slab->next = pool.slabs;
  if (pool.slabs) pool.slabs->prev = slab;
  pool.slabs = slab;
  shared.bytesHeld += kSlabBytes;
  if (shared.bytesHeld > shared.peakBytesHeld) shared.peakBytesHeld = shared.bytesHeld;
  return slab;
}

void ReleaseSlab(Shared& shared, CPool& pool, Slab* slab) noexcept {
  if (slab->prev) slab->prev->next = slab->next;
  else pool.slabs = slab->next;
  if (slab->next) slab->next->prev = slab->prev;
  shared.bytesHeld -= kSlabBytes;
  slab->~Slab();
  // The system may hand these addresses out again: their shadow must be clean.
  StopWatching(slab, kSlabBytes);
  Unpoison(slab, kSlabBytes);
  munmap(slab, kSlabBytes);
}

void LinkPool(Shared& shared, CPool* pool) {
  pool->nextPool = shared.pools;
  if (shared.pools) shared.pools->prevPool = pool;
  shared.pools = pool;
}

void DeletePool(Shared& shared, CPool* pool) noexcept {
  if (pool->prevPool) pool->prevPool->nextPool = pool->nextPool;
  else shared.pools = pool->nextPool;
  if (pool->nextPool) pool->nextPool->prevPool = pool->prevPool;
  delete pool;
}

// Makes the slabs of an ended pool `from` part of `to` and deletes `from`.
void AdoptSlabs(Shared& shared, CPool& to, CPool* from) noexcept {
  Slab* last = nullptr;
  for (Slab* slab = from->slabs; slab; slab = slab->next) {
    slab->owner.store(&to, std::memory_order_relaxed);
    last = slab;
  }
  if (last) {
    last->next = to.slabs;
    if (to.slabs) to.slabs->prev = last;
    to.slabs = from->slabs;
    from->slabs = nullptr;
  }
  DeletePool(shared, from);
}

// ---- The calling thread's pool ----

VXML_COLD CPool& NewPool() {
  if (!t_ended) t_threadEnd.armed = true;  // the first use registers the end of the thread
  auto* pool = new CPool;
  Shared& shared = TheShared();
  {
    std::lock_guard<std::mutex> lock(shared.mutex);
    LinkPool(shared, pool);
  }
  t_pool = pool;
  return *pool;
}

inline CPool& Pool() {
  CPool* pool = t_pool;
  return pool ? *pool : NewPool();
}

// Makes `slab`, the current slab, whose blocks are all free, start again from its beginning.
VXML_COLD void RestartCurrent(CPool& pool, Slab* slab) noexcept {
  std::memset(pool.free, 0, sizeof pool.free);  // they lie in the slab
  slab->live.store(0, std::memory_order_relaxed);
  slab->remoteFreed.store(0, std::memory_order_relaxed);
  pool.cursor = slab->Begin();
  pool.limit = slab->End();
}

// The current slab has no room for a block of the class wanted: start it again when it is all free
// (frees by other threads), otherwise take a new one.
VXML_COLD void Refill(CPool& pool) {
  Slab* old = pool.current;
  if (old && old->Empty()) {
    RestartCurrent(pool, old);
    return;
  }
  std::memset(pool.free, 0, sizeof pool.free);  // blocks of the slab being left, not reused
  Shared& shared = TheShared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  // Slabs that other threads' frees have emptied go back now.
  for (Slab* slab = pool.slabs; slab;) {
    Slab* next = slab->next;
    if (slab != old && slab->Empty()) ReleaseSlab(shared, pool, slab);
    slab = next;
  }
  Slab* slab = MapSlab(shared, pool);
  pool.current = slab;
  pool.cursor = slab->Begin();
  pool.limit = slab->End();
}

// A block from the free blocks or the unused part of the current slab, or null when the slab has no
// room for it.
inline void* AllocateFrom(CPool& pool, std::size_t size) {
  const std::size_t cls = ClassOf(size);
  if (Block* block = pool.free[cls]) {
    Unpoison(block, sizeof(Block));
    pool.free[cls] = block->next;
    Poison(block, sizeof(Block));
    AddTo(pool.current->live, 1);
    Unpoison(block, size);
    return block;
  }
  const std::size_t bytes = BytesOf(cls);
  if (__builtin_expect(static_cast<std::size_t>(pool.limit - pool.cursor) < bytes, 0)) return nullptr;
  char* block = pool.cursor;
  pool.cursor += bytes;
  AddTo(pool.current->live, 1);
  Unpoison(block, size);
  return block;
}

// The first block of a thread, or one that needs a new slab.
VXML_COLD void* AllocateAfterRefill(std::size_t size) {
  CPool& pool = Pool();
  if (void* block = AllocateFrom(pool, size)) return block;
  Refill(pool);
  return AllocateFrom(pool, size);
}

// Gives back a slab of `pool` that is not the current one and whose blocks are all free.
VXML_COLD void ReleaseEmptySlab(CPool& pool, Slab* slab) noexcept {
  Shared& shared = TheShared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  ReleaseSlab(shared, pool, slab);
}

// A free by the thread that owns the slab.
inline void FreeOwn(CPool& pool, Slab* slab, void* pointer, std::size_t size) noexcept {
  const std::size_t live = slab->live.load(std::memory_order_relaxed) - 1;
  slab->live.store(live, std::memory_order_relaxed);
  if (slab != pool.current) {
    // A tree going away: nothing but the count, until the slab is empty.
    Poison(pointer, BytesOf(ClassOf(size)));
    if (__builtin_expect(live == slab->remoteFreed.load(std::memory_order_acquire), 0)) ReleaseEmptySlab(pool, slab);
    return;
  }
  const std::size_t cls = ClassOf(size);
  // (Blocks freed by other threads are still counted in `live`: 0 means all are free.)
  if (__builtin_expect(live == 0, 0)) {
    Poison(pointer, BytesOf(cls));
    RestartCurrent(pool, slab);
    return;
  }
  auto* block = static_cast<Block*>(pointer);
  Unpoison(block, sizeof(Block));
  block->next = pool.free[cls];
  pool.free[cls] = block;
  Poison(block, BytesOf(cls));
}

// A free of a block in a slab that another pool owns.
VXML_COLD void FreeForeign(Slab* slab, void* pointer, std::size_t size) noexcept {
  if (!t_pool && !t_ended) Pool();  // a thread that frees takes over the slabs of ended threads
  const std::size_t cls = ClassOf(size);
  Shared& shared = TheShared();
  std::unique_lock<std::mutex> lock(shared.mutex);
  CPool* owner = slab->owner.load(std::memory_order_relaxed);
  if (!owner->ended) {
    // The owner runs: it counts this free when it next looks at the slab.
    Poison(pointer, BytesOf(cls));
    slab->remoteFreed.fetch_add(1, std::memory_order_release);
    return;
  }
  if (CPool* mine = t_pool) {
    // The slabs of an ended thread: this thread takes them over and frees as their owner.
    AdoptSlabs(shared, *mine, owner);
    lock.unlock();
    FreeOwn(*mine, slab, pointer, size);
    return;
  }
  // This thread is ending as well: the free is counted here.
  Poison(pointer, BytesOf(cls));
  const std::size_t live = slab->live.load(std::memory_order_relaxed) - 1;
  slab->live.store(live, std::memory_order_relaxed);
  if (live == 0) {
    ReleaseSlab(shared, *owner, slab);
    if (!owner->slabs) DeletePool(shared, owner);
  }
}

void EndThread() noexcept {
  t_ended = true;
  CPool* pool = t_pool;
  if (!pool) return;
  t_pool = nullptr;
  Shared& shared = TheShared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  pool->current = nullptr;
  for (Slab* slab = pool->slabs; slab;) {
    Slab* next = slab->next;
    // From now on every free of these blocks is counted under the lock, in `live` alone.
    const std::size_t live = slab->live.load(std::memory_order_relaxed) - slab->remoteFreed.load(std::memory_order_relaxed);
    slab->live.store(live, std::memory_order_relaxed);
    slab->remoteFreed.store(0, std::memory_order_relaxed);
    if (live == 0) ReleaseSlab(shared, *pool, slab);
    slab = next;
  }
  if (pool->slabs) pool->ended = true;
  else DeletePool(shared, pool);
}

#if VXML_POOL_ASAN
// The leak checker does not look into the slabs: blocks still in use when the process ends (after
// every static object and the main thread's pool are gone) are reported here instead.
__attribute__((destructor)) void ReportBlocksInUseAtExit() {
  const char* options = std::getenv("ASAN_OPTIONS");
  if (options && std::strstr(options, "detect_leaks=0")) return;
  const std::size_t blocks = VXMLPoolGetCounters().blocksInUse;
  if (blocks == 0) return;
  std::fprintf(stderr, "==%d==ERROR: XML node pool: %zu blocks still in use at exit (leaked nodes)\n",
               static_cast<int>(getpid()), blocks);
  _exit(23);
}
#endif

}  // namespace

void* VXMLPoolAllocate(std::size_t size) {
  if (size > kVXMLPoolMaxBlock) return ::operator new(size);
  CPool* pool = t_pool;
  if (__builtin_expect(pool != nullptr, 1)) {
    if (void* block = AllocateFrom(*pool, size)) return block;
  }
  return AllocateAfterRefill(size);
}

void VXMLPoolFree(void* block, std::size_t size) noexcept {
  if (size > kVXMLPoolMaxBlock) {
    ::operator delete(block);
    return;
  }
  if (!block) return;
  Slab* slab = SlabOf(block);
  CPool* pool = t_pool;
  if (__builtin_expect(pool != nullptr && slab->owner.load(std::memory_order_relaxed) == pool, 1)) {
    FreeOwn(*pool, slab, block, size);
    return;
  }
  FreeForeign(slab, block, size);
}

CVXMLPoolCounters VXMLPoolGetCounters() {
  Shared& shared = TheShared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  CVXMLPoolCounters counters;
  counters.bytesHeld = shared.bytesHeld;
  counters.peakBytesHeld = shared.peakBytesHeld;
  for (CPool* pool = shared.pools; pool; pool = pool->nextPool) {
    for (Slab* slab = pool->slabs; slab; slab = slab->next) {
      const std::size_t live = slab->live.load(std::memory_order_relaxed);
      const std::size_t freed = slab->remoteFreed.load(std::memory_order_relaxed);
      if (live > freed) counters.blocksInUse += live - freed;
    }
  }
  return counters;
}

void VXMLPoolResetPeak() {
  Shared& shared = TheShared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.peakBytesHeld = shared.bytesHeld;
}
