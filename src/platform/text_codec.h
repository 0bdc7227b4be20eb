// Every text conversion of the program in one place.
//
// Internal text is code page 932 (Shift-JIS, Microsoft's mapping) in std::string. UTF-8 appears only at
// the boundaries: feed files, the file system, the settings file, the console and the GUI.
//
// Carried characters. Code page 932 lacks most of Unicode (accented letters, emoji, the kanji of JIS X
// 0213 beyond it), and a few characters it does take come back as others: U+301C WAVE DASH is read as
// its 0x8160 and written back as U+FF5E, and so are U+2016, U+2212, U+00A2, U+00A3, U+00AC, U+2014,
// U+00A5 and U+203E (as U+2225, U+FF0D, U+FFE0, U+FFE1, U+FFE2, U+2015, "\" and "~"). Turning them into
// "?" or into other characters loses what a feed, a page, a file name or the user wrote, so internal
// text carries every character whose round trip through the code page is not the identity in a form of
// its own: the byte 0xFD, which the code page never uses, then four bytes of 0xA0-0xDF holding the code
// point six bits at a time (sjis.h has the byte structure). Why this form:
//   - text that the code page holds keeps its exact bytes, so project files, feeds, cut points and
//     every byte rule stay as they were for it;
//   - its bytes are never ASCII, lead bytes or second bytes, so every byte-wise and double-byte-aware
//     walk of the core stays aligned and never finds markup, separators or references inside one; only
//     the helpers that measure, cut or convert characters need to know its length (CharLengthAt);
//   - a fixed length keeps those helpers simple, and any scalar value fits (24 bits of digits).
// The conversions below encode it (from UTF-8, UTF-16 and any other encoding) and decode it (to UTF-8
// and UTF-16). Code page 932 text is converted as the code page maps it: 0x8160 is U+FF5E, whether it
// came from a Shift_JIS page or from U+FF5E. Bytes 0xFD that do not start a carried character are
// invalid code page 932, as before. The project file stores a string that holds carried characters in
// its wide-string form (UTF-16), which every reader of the format understands.
#pragma once

#include <string>
#include <string_view>

// True when the bytes up to the first zero byte form UTF-8 of at most three bytes per character
// (four-byte sequences are rejected, the overlong lead bytes C0 and C1 accepted). Empty text is valid.
bool IsValidUtf8(std::string_view text);

// The same, but four-byte sequences (characters beyond the basic plane, such as emoji) are accepted
// too. Text that only this accepts is still UTF-8: reading it as code page 932 would garble all of it.
bool IsValidUtf8AllPlanes(std::string_view text);

// Internal text to UTF-8, up to the first zero byte. Never fails: a byte sequence that is not valid
// code page 932 (nor a carried character of a Unicode scalar value) becomes U+FFFD.
std::string AnsiToUtf8(std::string_view text);

// AnsiToUtf8 piece by piece, for text written as it is produced: appends the UTF-8 of `text` to
// `out` and returns how many bytes it took. With `more` (more text follows) a character that may go
// on in the next piece (a lead byte at the very end, or the start of a carried character) is left for
// it; the pieces then convert exactly as their concatenation would. At most kCarriedLength - 1 bytes are
// left. The caller stops at a zero byte, as AnsiToUtf8 does.
size_t AppendAnsiAsUtf8(std::string_view text, bool more, std::string& out);

// The same into `out`, which has room for Utf8RoomFor(text.size()) bytes; `written` receives the
// length of the UTF-8.
size_t ConvertAnsiToUtf8(std::string_view text, bool more, char* out, size_t& written);
// An internal byte takes at most 3 bytes of UTF-8 (a carried character 4 for its 5 bytes); the
// conversion may store 8 bytes ahead.
constexpr size_t Utf8RoomFor(size_t ansiBytes) { return 3 * ansiBytes + 8; }

// UTF-8 to internal text, up to the first zero byte, skipping a leading byte-order mark. Never fails:
// each malformed sequence becomes "?"; every character survives (carried when the code page lacks it).
std::string Utf8ToAnsi(std::string_view text);

// Replaces `text` by Utf8ToAnsi of its bytes [begin, end), converting in place as long as the result
// is not longer than the UTF-8 it comes from (code page 932 text never is), so a large text needs no
// second buffer; only the part after the first carried character that does not fit is copied.
void Utf8ToAnsiInPlace(std::string& text, size_t begin = 0, size_t end = std::string::npos);

// UTF-16LE code units (as bytes; an odd last byte is ignored) to internal text; stray surrogates
// become "?".
std::string Utf16LeToAnsi(std::string_view bytes);

// Internal text to UTF-16LE code units (as bytes), the whole text; invalid sequences become U+FFFD.
std::string AnsiToUtf16Le(std::string_view text);

// Appends the character `codePoint` as internal text: its code page 932 bytes when its round trip
// through the code page is the identity, else its carried form. Not a scalar value (a surrogate, beyond
// U+10FFFF): "?".
void AppendCodePointAsAnsi(std::string& out, char32_t codePoint);

// True when the text holds a carried character (a quick test: a false positive only costs a check).
bool HoldsCarriedChar(std::string_view text);

// Any encoding that iconv knows to internal text, "?" for what cannot be converted. Returns false
// (and leaves `out` alone) when iconv does not know the encoding.
bool ConvertToAnsi(std::string_view bytes, const std::string& fromEncoding, std::string& out);

// True when iconv can convert from the named encoding.
bool IsKnownEncoding(const std::string& name);

// The C library's text for the error number `error` (strerror) as internal text. The library writes it
// in the language and the encoding of the locale the program runs under.
std::string SystemErrorText(int error);

// Internal text from a UTF-8 literal in the sources, for Japanese messages and labels: Lit("概要").
std::string Lit(const char* utf8);
