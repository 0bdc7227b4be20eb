// Scanning text eight bytes at a time.
//
// A word is eight bytes of text loaded at once (the first byte lowest: the machine is little-endian).
// A flag mask has the top bit set in each byte of a word that a test picks out. The subtraction tests
// (FlagBytesBelow, FlagBytesEqual) are exact up to and including their lowest flagged byte; the borrow
// of that byte may flag a byte above it falsely, so callers take the lowest flag only, or look at the
// flagged bytes one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are read with their first byte lowest");

inline constexpr std::uint64_t kEveryTopBit = 0x8080808080808080ULL;

// The word made of eight copies of `c`.
inline constexpr std::uint64_t EveryByte(unsigned char c) { return 0x0101010101010101ULL * c; }

// Eight bytes of text from `p`, which need not be aligned.
inline std::uint64_t LoadWord(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Bytes 0x80-0xFF (lead bytes and the like: anything that is not ASCII).
inline std::uint64_t FlagHighBytes(std::uint64_t word) { return word & kEveryTopBit; }

// Bytes below `limit` (1 to 0x80).
inline std::uint64_t FlagBytesBelow(std::uint64_t word, unsigned char limit) {
  return (word - EveryByte(limit)) & ~word & kEveryTopBit;
}

// Bytes equal to `c`.
inline std::uint64_t FlagBytesEqual(std::uint64_t word, unsigned char c) { return FlagBytesBelow(word ^ EveryByte(c), 1); }

// The position (0 to 7) of the lowest flagged byte; `flags` is not zero.
inline std::size_t FirstFlaggedByte(std::uint64_t flags) { return static_cast<std::size_t>(__builtin_ctzll(flags)) / 8; }

// The first position from `from`, in steps of eight, whose word has a byte that `flags` picks out; or
// the first position with fewer than eight bytes left before `size`. The caller finishes byte by byte.
template <class Flags>
inline std::size_t SkipUnflaggedWords(const char* text, std::size_t from, std::size_t size, Flags flags) {
  while (from + 8 <= size && flags(LoadWord(text + from)) == 0) from += 8;
  return from;
}
