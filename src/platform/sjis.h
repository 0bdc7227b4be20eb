// Characters of internal text (code page 932): which byte starts a double-byte character, and how
// many bytes the character at a position has.
//
// This is the one place that decides a character's byte length; everything that walks internal text
// character by character asks here, so that a change of the rule (a further range of lead bytes)
// reaches every walk at once.
#pragma once

#include <cstddef>
#include <string_view>

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC); every other byte is a
// character of its own, and a lead byte takes the byte after it as its second byte, whatever it is.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The byte length of the character that starts at text[i] (i < text.size()): 2 for a lead byte with a
// byte after it, otherwise 1 (a lead byte at the very end of the text stands alone).
inline std::size_t CharLengthAt(std::string_view text, std::size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}
