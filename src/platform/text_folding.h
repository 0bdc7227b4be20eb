// Width, kana and case folding of internal text (code page 932): the search that the folder of a
// site and the sibling editor's FTP profiles are matched with, and the width conversions.
#pragma once

#include <string>

// Folding flags of FindFolded, combinable.
inline constexpr int FOLD_WIDTH = 1;  // half-width characters as full-width; kana + voiced mark as one
inline constexpr int FOLD_CASE = 2;   // ASCII and full-width Latin letters as upper case
inline constexpr int FOLD_KANA = 4;   // hiragana as katakana
inline constexpr int FOLD_SMALL = 8;  // small kana as large, voiced as unvoiced, "-" and "－" as "ー"

// Byte offset of the first match of `needle` in `haystack`, both folded by `flags`, or -1 (also for an
// empty haystack). *matchLength receives the number of haystack bytes the match covers, which folding
// can make differ from the needle's length. An empty needle matches at 0 in a non-empty haystack.
int FindFolded(const std::string& haystack, const std::string& needle, int flags, int* matchLength = nullptr);

// Full-width characters that have a single-byte form become it (voiced kana become kana + "ﾞ"/"ﾟ";
// voiced hiragana too, as half-width katakana); "‐", "×", "÷" become "-", "*", "/". *changed receives
// the number of characters converted.
std::string ToHalfWidth(const std::string& text, int* changed = nullptr);

// ASCII 0x20-0x7E and half-width katakana become their full-width forms; a half-width kana followed by
// "ﾞ" or "ﾟ" becomes the one voiced katakana. *changed receives the number of characters converted.
std::string ToFullWidth(const std::string& text, int* changed = nullptr);
