// The byte structure of internal text (code page 932): which bytes begin a double-byte character.
#pragma once

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
