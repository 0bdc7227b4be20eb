// Every text conversion of the program in one place.
//
// Internal text is code page 932 (Shift-JIS, Microsoft's mapping) in std::string. UTF-8 appears only at
// the boundaries: feed files, the file system, the settings file, the console and the GUI.
#pragma once

#include <string>
#include <string_view>

// True when the bytes up to the first zero byte form UTF-8 of at most three bytes per character
// (four-byte sequences are rejected, the overlong lead bytes C0 and C1 accepted). Empty text is valid.
bool IsValidUtf8(std::string_view text);

// The same, but four-byte sequences (characters beyond the basic plane, such as emoji) are accepted
// too. Text that only this accepts is still UTF-8: reading it as code page 932 would garble all of it.
bool IsValidUtf8AllPlanes(std::string_view text);

// Code page 932 to UTF-8, up to the first zero byte. Never fails: a byte sequence that is not valid
// code page 932 becomes U+FFFD.
std::string AnsiToUtf8(std::string_view text);

// AnsiToUtf8 piece by piece, for text written as it is produced: appends the UTF-8 of `text` to
// `out` and returns how many bytes it took. With `more` (more text follows) a lead byte at the very end
// is left for the next piece, whose first byte may complete it; the pieces then convert exactly as
// their concatenation would. The caller stops at a zero byte, as AnsiToUtf8 does.
size_t AppendAnsiAsUtf8(std::string_view text, bool more, std::string& out);

// The same into `out`, which has room for Utf8RoomFor(text.size()) bytes; `written` receives the
// length of the UTF-8.
size_t ConvertAnsiToUtf8(std::string_view text, bool more, char* out, size_t& written);
// A character of code page 932 takes at most 3 bytes of UTF-8; the conversion may store 8 bytes ahead.
inline size_t Utf8RoomFor(size_t ansiBytes) { return 3 * ansiBytes + 8; }

// UTF-8 to code page 932, up to the first zero byte, skipping a leading byte-order mark. Never fails:
// each character that code page 932 lacks, and each malformed sequence, becomes "?".
std::string Utf8ToAnsi(std::string_view text);

// Replaces `text` by Utf8ToAnsi of its bytes [begin, end), converting in place (the result is never
// longer than its UTF-8), so a large text needs no second buffer.
void Utf8ToAnsiInPlace(std::string& text, size_t begin = 0, size_t end = std::string::npos);

// UTF-16LE code units (as bytes) to code page 932; unmappable characters and stray surrogates become "?".
std::string Utf16LeToAnsi(std::string_view bytes);

// Any encoding that iconv knows to code page 932, "?" for what cannot be converted. Returns false
// (and leaves `out` alone) when iconv does not know the encoding.
bool ConvertToAnsi(std::string_view bytes, const std::string& fromEncoding, std::string& out);

// True when iconv can convert from the named encoding.
bool IsKnownEncoding(const std::string& name);

// Internal text from a UTF-8 literal in the sources, for Japanese messages and labels: Lit("概要").
std::string Lit(const char* utf8);
