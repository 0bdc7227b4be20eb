#include "platform/text_codec.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <mutex>
#include <unordered_map>

#include "platform/byte_scan.h"
#include "platform/sjis.h"

namespace {

constexpr const char* kInternalCodePage = "CP932";
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

// One iconv descriptor, closed on scope exit; reset before each use so no state leaks between calls.
class IconvHandle {
public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as possible. Returns 0 when everything was consumed, otherwise errno of the stop
  // (EILSEQ or EINVAL); `in`/`inLeft` then point at the offending bytes.
  int Convert(const char*& in, size_t& inLeft, std::string& out) {
    char buffer[16384];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      size_t rc = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<size_t>(outPtr - buffer));
      if (rc == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        return errno;
      }
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);  // flush shift state
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return 0;
  }

private:
  iconv_t cd_;
};

std::string_view UpToZero(std::string_view text) {
  size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// Length of the UTF-8 sequence that starts with `lead`, at least 1.
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool IsScalarValue(char32_t cp) { return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF); }

// A carried character's value as the character it stands for: U+FFFD when it is no scalar value, when
// it is ASCII (which the code page always holds, so only a forged form carries it: a carried "<" or "&"
// would pass every escape of internal text and come out as markup, a carried control would end or break
// the text), and for the noncharacters U+FFFE and U+FFFF, which XML forbids and no text interchanges.
char32_t CarriedCharacter(char32_t value) {
  return value >= 0x80 && IsScalarValue(value) && value != 0xFFFE && value != 0xFFFF ? value : 0xFFFD;
}

// Writes the UTF-8 of the scalar value `cp` at `out` and returns its length.
size_t PutUtf8(char32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (cp >> 18));
  out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

// The scalar value of the well-formed UTF-8 sequence of two to four bytes at p (p < end, *p >= 0x80)
// in `cp`, and its length; 0 when the sequence is malformed (overlong, a surrogate, beyond U+10FFFF,
// cut short). Three-byte sequences (kana and kanji) first.
__attribute__((always_inline)) inline size_t DecodeUtf8(const char* p, const char* end, char32_t& cp) {
  const unsigned c = static_cast<unsigned char>(p[0]);
  const size_t left = static_cast<size_t>(end - p);
  auto cont = [p](size_t k) { return (static_cast<unsigned char>(p[k]) ^ 0x80u) < 0x40u; };
  auto bits = [p](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(p[k]) & 0x3Fu); };
  if (c - 0xE0u < 0x10u) {
    if (left < 3 || !cont(1) || !cont(2)) return 0;
    cp = ((c & 0x0Fu) << 12) | (bits(1) << 6) | bits(2);
    return cp >= 0x800 && cp - 0xD800u >= 0x800u ? 3 : 0;
  }
  if (c - 0xC2u < 0x1Eu) {
    if (left < 2 || !cont(1)) return 0;
    cp = ((c & 0x1Fu) << 6) | bits(1);
    return 2;
  }
  if (c - 0xF0u < 0x05u) {
    if (left < 4 || !cont(1) || !cont(2) || !cont(3)) return 0;
    cp = ((c & 0x07u) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
    return cp >= 0x10000 && cp <= 0x10FFFF ? 4 : 0;
  }
  return 0;
}

// The bytes of the malformed sequence at p that become one "?": its lead byte and as many of the
// continuation bytes its lead announces as there are (what iconv reports as one bad sequence).
size_t MalformedLength(const char* p, const char* end) {
  const size_t want = Utf8SequenceLength(static_cast<unsigned char>(*p));
  size_t taken = 1;
  while (taken < want && p + taken < end && (static_cast<unsigned char>(p[taken]) & 0xC0) == 0x80) ++taken;
  return taken;
}

// Converts all of `in` with iconv, or gives "" when iconv cannot (or does not know the encodings).
std::string IconvWhole(const char* to, const char* from, std::string_view in) {
  IconvHandle cd(to, from);
  std::string out;
  if (!cd.valid()) return out;
  const char* p = in.data();
  size_t left = in.size();
  if (cd.Convert(p, left, out) != 0) out.clear();
  return out;
}

// Per-character tables filled from iconv on first use of each character, so the common case needs no
// iconv call per character while the results stay exactly iconv's. The look-ups are kept out of line:
// inlined, they would take the registers of the conversion loops.
std::mutex g_tableMutex;

// Internal text of each BMP code point from U+0080: 0 not looked up yet, kCarried when it is carried
// (the code page lacks it, or gives it back as another character), otherwise its code page 932 code
// (one byte below 0x100, else two bytes).
constexpr std::uint16_t kCarried = 0xFFFF;
std::atomic<std::uint16_t> g_toAnsi[0x10000];

__attribute__((noinline)) std::uint16_t LookUpToAnsi(char32_t cp) {
  std::uint16_t code = g_toAnsi[cp].load(std::memory_order_relaxed);
  if (code != 0) return code;
  std::lock_guard<std::mutex> lock(g_tableMutex);
  char utf8[4];
  const std::string_view character(utf8, PutUtf8(cp, utf8));
  const std::string ansi = IconvWhole(kInternalCodePage, "UTF-8", character);
  code = kCarried;
  // Kept as the code page's bytes only when they read back as this very character.
  if ((ansi.size() == 1 || ansi.size() == 2) && ansi[0] != '\0' && IconvWhole("UTF-8", kInternalCodePage, ansi) == character) {
    code = ansi.size() == 1 ? static_cast<unsigned char>(ansi[0])
                            : static_cast<std::uint16_t>((static_cast<unsigned char>(ansi[0]) << 8) | static_cast<unsigned char>(ansi[1]));
  }
  g_toAnsi[cp].store(code, std::memory_order_relaxed);
  return code;
}

// Writes the internal text of the character `cp` (at least U+0080, a scalar value) at `w`: one or two
// bytes of the code page, or kCarriedLength bytes of its carried form. Returns the end.
inline char* PutAnsi(char32_t cp, char* w) {
  std::uint16_t code = kCarried;
  if (cp < 0x10000) {
    code = g_toAnsi[cp].load(std::memory_order_relaxed);
    if (code == 0) code = LookUpToAnsi(cp);
  }
  if (code == kCarried) {
    PutCarried(cp, w);
    return w + kCarriedLength;
  }
  if (code >= 0x100) *w++ = static_cast<char>(code >> 8);
  *w++ = static_cast<char>(code & 0xFF);
  return w;
}

// Whether the character `cp` takes more internal bytes than `utf8Length`, its UTF-8 length; only a
// carried character can.
inline bool OutgrowsUtf8(char32_t cp, size_t utf8Length) {
  if (utf8Length >= kCarriedLength) return false;
  if (cp >= 0x10000) return true;
  std::uint16_t code = g_toAnsi[cp].load(std::memory_order_relaxed);
  if (code == 0) code = LookUpToAnsi(cp);
  return code == kCarried;
}

// Code page 932 to UTF-8, per single byte (index byte) and per byte pair (index 0x100 + lead * 256 +
// trail): 0 not looked up yet, kNoChar when iconv does not read the bytes as one character, otherwise
// the UTF-8 bytes packed with their count in the top byte.
constexpr std::uint32_t kNoChar = 0xFFFFFFFF;
std::atomic<std::uint32_t> g_fromAnsi[0x100 + 0x10000];

__attribute__((noinline)) std::uint32_t LookUpFromAnsi(size_t index, std::string_view bytes) {
  std::uint32_t packed = g_fromAnsi[index].load(std::memory_order_relaxed);
  if (packed != 0) return packed;
  std::lock_guard<std::mutex> lock(g_tableMutex);
  packed = kNoChar;
  const std::string out = IconvWhole("UTF-8", kInternalCodePage, bytes);
  if (!out.empty() && out.size() <= 3 && out != kReplacementUtf8) {
    // Exactly one character: its UTF-8 lead tells the length.
    size_t length = Utf8SequenceLength(static_cast<unsigned char>(out[0]));
    if (length == out.size()) {
      packed = static_cast<std::uint32_t>(out.size()) << 24;
      for (size_t i = 0; i < out.size(); ++i) packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(out[i])) << (8 * i);
    }
  }
  g_fromAnsi[index].store(packed, std::memory_order_relaxed);
  return packed;
}

// Any byte with its top bit set, or any zero byte, ends a run of ASCII.
inline std::uint64_t FlagAsciiStops(std::uint64_t word) { return FlagHighBytes(word) | FlagBytesBelow(word, 1); }

// Length of the run of ASCII bytes (1 to 7F) from `p`, at most `n`.
inline size_t AsciiRun(const char* p, size_t n) {
  size_t i = SkipUnflaggedWords(p, 0, n, FlagAsciiStops);
  while (i < n && static_cast<unsigned char>(p[i]) - 1u < 0x7Fu) ++i;
  return i;
}

// Whether text[i] == kCarriedLead begins a carried character that the end of the text cuts short.
bool CarriedCutShort(std::string_view text, size_t i) {
  if (i + kCarriedLength <= text.size()) return false;
  for (size_t k = i + 1; k < text.size(); ++k) {
    if (!IsCarriedDigit(static_cast<unsigned char>(text[k]))) return false;
  }
  return true;
}

// Converts text[i, ...) to UTF-8 at `w` (advanced) as long as the code page has a character for each
// byte or pair; returns where it stopped: the end, a zero byte, a lead byte at the end of a piece that
// waits for the next (`more`), or bytes the code page has no character for. The loop of the common case
// on its own, so that nothing of the rarer ones takes its registers.
__attribute__((noinline)) size_t ConvertCodePageRun(std::string_view text, size_t i, bool more, char*& out) {
  const char* p = text.data();
  const size_t n = text.size();
  char* w = out;
  while (i < n) {
    // ASCII eight bytes at a time, stored before they are checked: the room allows for it.
    if (i + 8 <= n) {
      const std::uint64_t word = LoadWord(p + i);
      std::memcpy(w, &word, 8);
      const std::uint64_t stops = FlagAsciiStops(word);
      if (stops == 0) {
        i += 8;
        w += 8;
        continue;
      }
      // The lowest flagged byte is a real stop (a false zero only follows a real one).
      const size_t ascii = FirstFlaggedByte(stops);
      i += ascii;
      w += ascii;
    } else {
      while (i < n && static_cast<unsigned char>(p[i]) - 1u < 0x7Fu) *w++ = p[i++];
      if (i == n) break;
    }
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c == 0) break;
    if (IsLeadByte(c) && i + 1 == n && more) break;
    const size_t used = IsLeadByte(c) && i + 1 < n ? 2 : 1;
    const size_t index = used == 2 ? 0x100 + (static_cast<size_t>(c) << 8) + static_cast<unsigned char>(p[i + 1]) : c;
    std::uint32_t packed = g_fromAnsi[index].load(std::memory_order_relaxed);
    if (packed == 0) packed = LookUpFromAnsi(index, text.substr(i, used));
    if (packed == kNoChar) break;
    // Packed: the UTF-8 bytes from the lowest, their count in the top byte.
    w[0] = static_cast<char>(packed & 0xFF);
    w[1] = static_cast<char>((packed >> 8) & 0xFF);
    w[2] = static_cast<char>((packed >> 16) & 0xFF);
    w += packed >> 24;
    i += used;
  }
  out = w;
  return i;
}

// What ConvertNoCodePageChar took and wrote.
struct Converted {
  size_t taken;
  size_t written;
};

// Converts what starts at text[i] where the code page has no character: a carried character, or
// U+FFFD for the one byte (iconv goes on after it), written at `w`. Takes 0 bytes when the start of a
// carried character ends the piece and waits for the rest (`more`).
Converted ConvertNoCodePageChar(std::string_view text, size_t i, bool more, char* w) {
  if (IsCarriedCharAt(text, i)) return {kCarriedLength, PutUtf8(CarriedCharacter(CarriedValueAt(text, i)), w)};
  if (static_cast<unsigned char>(text[i]) == kCarriedLead && more && CarriedCutShort(text, i)) return {0, 0};
  std::memcpy(w, kReplacementUtf8, 3);
  return {1, 3};
}

// UTF-8 to internal text: converts the characters that start in [in, stop) (the last may run on up
// to `end`), writing from `w`, and returns the end of what it wrote; `in` is left after the last
// character converted. The text holds no zero byte. kInPlace: `w` lies at or below `in` in the same
// buffer, and the conversion stops (with `in` at it) before a carried character that would overtake
// the bytes not yet read; otherwise `w` has room for 3 * (stop - in) + 8 bytes.
template <bool kInPlace>
char* ConvertUtf8Run(const char*& in, const char* stop, const char* end, char* w) {
  const char* p = in;
  while (p < stop) {
    const size_t run = AsciiRun(p, static_cast<size_t>(stop - p));
    if (kInPlace) std::memmove(w, p, run);
    else std::memcpy(w, p, run);
    w += run;
    p += run;
    if (p >= stop) break;
    char32_t cp = 0;
    const size_t length = DecodeUtf8(p, end, cp);
    if (length == 0) {
      p += MalformedLength(p, end);  // before writing: in place, the "?" may cover the sequence's lead
      *w++ = '?';
      continue;
    }
    if (kInPlace && w + kCarriedLength > p + length && OutgrowsUtf8(cp, length)) break;
    w = PutAnsi(cp, w);
    p += length;
  }
  in = p;
  return w;
}

// Appends the internal text of the UTF-8 [p, end) (no zero byte, no byte-order mark) to `out`, a piece
// at a time so that the room set aside stays small.
void AppendUtf8AsAnsi(const char* p, const char* end, std::string& out) {
  constexpr size_t kPiece = 1u << 16;
  while (p < end) {
    const char* stop = p + std::min(kPiece, static_cast<size_t>(end - p));
    const size_t at = out.size();
    out.resize(at + 3 * static_cast<size_t>(stop - p) + 8);
    char* w = ConvertUtf8Run<false>(p, stop, end, out.data() + at);
    out.resize(static_cast<size_t>(w - out.data()));
  }
}

// Converts text[from, end) (after the byte-order mark and before any zero byte) into `text` from its
// start, in place while the result fits below the bytes still to read, and the rest from a copy.
void ConvertUtf8Over(std::string& text, size_t from, size_t end) {
  char* base = text.data();
  const char* p = base + from;
  const char* last = base + end;
  char* w = ConvertUtf8Run<true>(p, last, last, base);
  if (p == last) {
    text.resize(static_cast<size_t>(w - base));
    return;
  }
  const std::string rest(p, last);
  text.resize(static_cast<size_t>(w - base));
  AppendUtf8AsAnsi(rest.data(), rest.data() + rest.size(), text);
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  int state = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (state == 1) {
      // Between characters: skip ASCII quickly.
      i += AsciiRun(text.data() + i, text.size() - i);
      if (i == text.size()) break;
    }
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0) break;
    switch (state) {
      case 1:
        if (c <= 0x7F) state = 1;
        else if (c <= 0xBF) return false;
        else if (c <= 0xDF) state = 2;
        else if (c <= 0xEF) state = 3;
        else return false;
        break;
      case 2:
      case 4:
        if (c < 0x80 || c > 0xBF) return false;
        state = 1;
        break;
      case 3:
        if (c < 0x80 || c > 0xBF) return false;
        state = 4;
        break;
    }
  }
  return state == 1;
}

bool IsValidUtf8AllPlanes(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    i += AsciiRun(text.data() + i, n - i);
    if (i == n) break;
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0) break;
    size_t more = c >= 0xC0 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    if (more == 0 || i + more >= n) return false;
    for (size_t k = 1; k <= more; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += more + 1;
  }
  return true;
}

std::string AnsiToUtf8(std::string_view text) {
  // Piece by piece through a buffer of its own, so the result takes no more room than it needs.
  text = UpToZero(text);
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  constexpr size_t kPiece = 4096;
  char buffer[Utf8RoomFor(kPiece)];
  while (!text.empty()) {
    size_t written = 0;
    const size_t used = ConvertAnsiToUtf8(text.substr(0, kPiece), text.size() > kPiece, buffer, written);
    out.append(buffer, written);
    text.remove_prefix(used);  // a character cut short at the end of a piece starts the next one
  }
  return out;
}

size_t ConvertAnsiToUtf8(std::string_view text, bool more, char* out, size_t& written) {
  char* w = out;
  size_t i = 0;
  while (i < text.size()) {
    i = ConvertCodePageRun(text, i, more, w);
    if (i == text.size()) break;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0) break;
    if (IsLeadByte(c) && i + 1 == text.size() && more) break;  // waits for its second byte
    const Converted done = ConvertNoCodePageChar(text, i, more, w);
    if (done.taken == 0) break;
    i += done.taken;
    w += done.written;
  }
  written = static_cast<size_t>(w - out);
  return i;
}

size_t AppendAnsiAsUtf8(std::string_view text, bool more, std::string& out) {
  const size_t start = out.size();
  out.resize(start + Utf8RoomFor(text.size()));
  size_t written = 0;
  size_t used = ConvertAnsiToUtf8(text, more, out.data() + start, written);
  out.resize(start + written);
  return used;
}

std::string Utf8ToAnsi(std::string_view text) {
  text = UpToZero(text);
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.remove_prefix(3);
  std::string out(text);
  ConvertUtf8Over(out, 0, out.size());
  return out;
}

void Utf8ToAnsiInPlace(std::string& text, size_t begin, size_t end) {
  begin = std::min(begin, text.size());
  end = std::min(end, text.size());
  if (end < begin) end = begin;
  const void* zero = std::memchr(text.data() + begin, '\0', end - begin);
  if (zero) end = static_cast<size_t>(static_cast<const char*>(zero) - text.data());
  if (end - begin >= 3 && text.compare(begin, 3, "\xEF\xBB\xBF") == 0) begin += 3;
  ConvertUtf8Over(text, begin, end);
}

void AppendCodePointAsAnsi(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (!IsScalarValue(codePoint)) {
    out += '?';
  } else {
    char bytes[kCarriedLength];
    out.append(bytes, static_cast<size_t>(PutAnsi(codePoint, bytes) - bytes));
  }
}

std::string Utf16LeToAnsi(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2 * 2);
  const size_t n = bytes.size() & ~static_cast<size_t>(1);
  auto unitAt = [&bytes](size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  // Converted into a buffer of its own and appended a piece at a time.
  char buffer[1024];
  char* w = buffer;
  for (size_t i = 0; i < n; i += 2) {
    if (w > buffer + sizeof buffer - kCarriedLength) {
      out.append(buffer, static_cast<size_t>(w - buffer));
      w = buffer;
    }
    char32_t unit = unitAt(i);
    if (unit < 0x80) {
      *w++ = static_cast<char>(unit);
      continue;
    }
    if (unit - 0xD800u < 0x800u) {
      const char32_t next = unit < 0xDC00 && i + 2 < n ? unitAt(i + 2) : 0;
      if (next - 0xDC00u >= 0x400u) {
        *w++ = '?';  // a stray surrogate is no character
        continue;
      }
      unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
      i += 2;
    }
    w = PutAnsi(unit, w);
  }
  out.append(buffer, static_cast<size_t>(w - buffer));
  return out;
}

std::string AnsiToUtf16Le(std::string_view text) {
  const std::string utf8 = AnsiToUtf8(text);
  std::string out;
  out.reserve(utf8.size() * 2);
  auto unit = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    char32_t cp = static_cast<unsigned char>(*p);
    size_t length = 1;
    if (cp >= 0x80) length = DecodeUtf8(p, end, cp);  // AnsiToUtf8 gives only well-formed UTF-8
    if (length == 0) break;
    p += length;
    if (cp < 0x10000) {
      unit(cp);
    } else {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

bool HoldsCarriedChar(std::string_view text) {
  for (size_t at = text.find(static_cast<char>(kCarriedLead)); at != std::string_view::npos;
       at = text.find(static_cast<char>(kCarriedLead), at + 1)) {
    if (IsCarriedCharAt(text, at)) return true;
  }
  return false;
}

bool IsKnownEncoding(const std::string& name) {
  if (name.empty()) return false;
  IconvHandle cd(kInternalCodePage, name.c_str());
  return cd.valid();
}

bool ConvertToAnsi(std::string_view bytes, const std::string& fromEncoding, std::string& out) {
  if (fromEncoding.empty()) return false;
  // Through UTF-8, whose conversion carries what the code page lacks.
  IconvHandle cd("UTF-8", fromEncoding.c_str());
  if (!cd.valid()) return false;
  std::string utf8;
  utf8.reserve(bytes.size() + bytes.size() / 2);
  const char* in = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    if (cd.Convert(in, left, utf8) == 0) break;
    utf8 += '?';
    ++in;
    --left;
  }
  out = Utf8ToAnsi(utf8);
  return true;
}

std::string SystemErrorText(int error) {
  char buffer[256];
  // The GNU strerror_r returns the text, in `buffer` or in a string of its own.
  const char* text = strerror_r(error, buffer, sizeof buffer);
  std::string converted;
  if (ConvertToAnsi(text, nl_langinfo(CODESET), converted)) return converted;
  return Utf8ToAnsi(text);
}

std::string Lit(const char* utf8) {
  // Literals are few and repeated: convert each once.
  static std::mutex mutex;
  static std::unordered_map<const char*, std::string> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(utf8);
  if (it != cache.end()) return it->second;
  return cache.emplace(utf8, Utf8ToAnsi(utf8)).first->second;
}
