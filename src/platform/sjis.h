// Characters of internal text (code page 932): which byte starts a double-byte character, and how
// many bytes the character at a position has.
//
// This is the one place that decides a character's byte length; everything that walks internal text
// character by character asks here, so that a change of the rule reaches every walk at once.
//
// Besides the single-byte and double-byte characters of code page 932, internal text holds carried
// characters: the characters that the code page lacks or gives back as others (text_codec.h says why
// and when). One is kCarriedLead, a byte the code page never uses, followed by kCarriedDigits bytes of
// 0xA0-0xDF, each holding six bits of the character's code point, highest first. Its bytes are never
// ASCII, never lead bytes and never second bytes, so a walk that knows only the double-byte rule still
// stays aligned and never finds "<", "&", "/" or "\" inside one.
#pragma once

#include <cstddef>
#include <string_view>

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC); every other byte is a
// character of its own, and a lead byte takes the byte after it as its second byte, whatever it is.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

inline constexpr unsigned char kCarriedLead = 0xFD;
inline constexpr std::size_t kCarriedDigits = 4;
inline constexpr std::size_t kCarriedLength = 1 + kCarriedDigits;
// The largest value the digits can hold (the carried character may only be a Unicode scalar value).
inline constexpr char32_t kCarriedMax = (char32_t{1} << (6 * kCarriedDigits)) - 1;

inline bool IsCarriedDigit(unsigned char c) { return c >= 0xA0 && c <= 0xDF; }

// True when a carried character starts at text[i]: kCarriedLead and four digits. A kCarriedLead
// without them is a byte of its own, as it always was.
inline bool IsCarriedCharAt(std::string_view text, std::size_t i) {
  if (i + kCarriedLength > text.size() || static_cast<unsigned char>(text[i]) != kCarriedLead) return false;
  for (std::size_t k = 1; k < kCarriedLength; ++k) {
    if (!IsCarriedDigit(static_cast<unsigned char>(text[i + k]))) return false;
  }
  return true;
}

// The value of the carried character at text[i] (IsCarriedCharAt is true there).
inline char32_t CarriedValueAt(std::string_view text, std::size_t i) {
  char32_t value = 0;
  for (std::size_t k = 1; k < kCarriedLength; ++k) value = (value << 6) | (static_cast<unsigned char>(text[i + k]) - 0xA0u);
  return value;
}

// Writes the carried form of `value` (at most kCarriedMax) to out[0, kCarriedLength).
inline void PutCarried(char32_t value, char* out) {
  out[0] = static_cast<char>(kCarriedLead);
  for (std::size_t k = kCarriedDigits; k > 0; --k) {
    out[k] = static_cast<char>(0xA0u + (value & 0x3Fu));
    value >>= 6;
  }
}

// The byte length of the character that starts at text[i] (i < text.size()): 2 for a lead byte with a
// byte after it, kCarriedLength for a carried character, otherwise 1 (a lead byte at the very end of
// the text stands alone).
inline std::size_t CharLengthAt(std::string_view text, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  if (IsLeadByte(c)) return i + 1 < text.size() ? 2 : 1;
  return c == kCarriedLead && IsCarriedCharAt(text, i) ? kCarriedLength : 1;
}
