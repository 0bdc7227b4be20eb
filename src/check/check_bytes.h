// Text read eight bytes at a time: which bytes of a word are a given byte, and how many.
#pragma once

#include <cstdint>
#include <cstring>

// The eight bytes at `p`, the first in the lowest bits.
inline std::uint64_t WordAt(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  word = __builtin_bswap64(word);
#endif
  return word;
}

// The high bit of each byte of `word` that equals `byte`, and only those.
inline std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte) {
  const std::uint64_t x = word ^ (0x0101010101010101ull * byte);
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The number of bytes a BytesEqual mask marks.
inline int MarkedBytes(std::uint64_t mask) { return static_cast<int>(((mask >> 7) * 0x0101010101010101ull) >> 56); }

// The index (0-7) of the first and of the last byte a non-zero mask marks.
inline int FirstMarked(std::uint64_t mask) { return __builtin_ctzll(mask) / 8; }
inline int LastMarked(std::uint64_t mask) { return (63 - __builtin_clzll(mask)) / 8; }
