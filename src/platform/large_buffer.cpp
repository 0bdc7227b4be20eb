#include "platform/large_buffer.h"

#include <sys/mman.h>

#include <cstdint>

void AdviseHugePages(void* data, std::size_t size) noexcept {
#ifdef MADV_HUGEPAGE
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
  const std::uintptr_t last = (start + size) & ~(kHugePageBytes - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

void ResizeLargeBuffer(std::string& buffer, std::size_t size) {
  if (size >= 2 * kHugePageBytes && buffer.capacity() < size) {
    // A fresh allocation of this size is fresh, untouched memory: advise it before resize fills it.
    std::string fresh;
    fresh.reserve(size);
    AdviseHugePages(fresh.data(), size);
    buffer.swap(fresh);
  }
  buffer.resize(size);
}
