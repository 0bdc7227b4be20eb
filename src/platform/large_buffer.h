// Buffers of many megabytes (whole files, large trees) that the kernel may back with huge pages, so
// that filling them costs a few page faults instead of thousands.
#pragma once

#include <cstddef>
#include <string>

inline constexpr std::size_t kHugePageBytes = 2u << 20;

// Asks the kernel to back the whole 2 MB pages inside [data, data + size) with huge pages when they
// are first touched. Only worth it for buffers of several megabytes; harmless everywhere else.
void AdviseHugePages(void* data, std::size_t size) noexcept;

// Makes `buffer` hold `size` bytes whose content is left to the caller, advising huge pages for a
// large one before its pages are touched.
void ResizeLargeBuffer(std::string& buffer, std::size_t size);
