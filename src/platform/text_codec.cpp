#include "platform/text_codec.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
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

// The conversions by iconv, character by character through any failure: the definition of the results.
void AnsiToUtf8ByIconv(std::string_view text, std::string& out) {
  IconvHandle cd("UTF-8", kInternalCodePage);
  if (!cd.valid()) {
    out.append(text.data(), text.size());
    return;
  }
  const char* in = text.data();
  size_t left = text.size();
  while (left > 0) {
    if (cd.Convert(in, left, out) == 0) break;
    // An invalid or truncated sequence: one replacement character, then go on after its first byte.
    out += kReplacementUtf8;
    ++in;
    --left;
  }
}


void Utf8ToAnsiByIconv(std::string_view text, std::string& out) {
  IconvHandle cd(kInternalCodePage, "UTF-8");
  if (!cd.valid()) {
    out.append(text.data(), text.size());
    return;
  }
  const char* in = text.data();
  size_t left = text.size();
  while (left > 0) {
    if (cd.Convert(in, left, out) == 0) break;
    // A character that code page 932 lacks, or a malformed sequence: "?" for the whole sequence.
    out += '?';
    size_t skip = Utf8SequenceLength(static_cast<unsigned char>(*in));
    size_t taken = 1;
    while (taken < skip && taken < left && (static_cast<unsigned char>(in[taken]) & 0xC0) == 0x80) ++taken;
    in += taken;
    left -= taken;
  }
}


// Per-character tables filled from iconv on first use of each character, so the common case needs no
// iconv call per character while the results stay exactly iconv's. A character or byte sequence that
// the tables do not cover (malformed input, four-byte UTF-8) sends the rest of the text through iconv.
std::mutex g_tableMutex;

// UTF-8 to code page 932, per BMP code point: 0 not looked up yet, kUnmapped not in code page 932,
// otherwise the code (one byte below 0x100, else two bytes).
constexpr std::uint16_t kUnmapped = 0xFFFF;
std::atomic<std::uint16_t> g_toAnsi[0x10000];

std::uint16_t LookUpToAnsi(std::uint32_t codePoint, std::string_view utf8) {
  std::uint16_t code = g_toAnsi[codePoint].load(std::memory_order_relaxed);
  if (code != 0) return code;
  std::lock_guard<std::mutex> lock(g_tableMutex);
  std::string out;
  Utf8ToAnsiByIconv(utf8, out);
  if (out == "?" || out.empty() || out.size() > 2) code = kUnmapped;
  else if (out.size() == 1) code = static_cast<unsigned char>(out[0]);
  else code = static_cast<std::uint16_t>((static_cast<unsigned char>(out[0]) << 8) | static_cast<unsigned char>(out[1]));
  if (code == 0) code = kUnmapped;
  g_toAnsi[codePoint].store(code, std::memory_order_relaxed);
  return code;
}

// Code page 932 to UTF-8, per single byte (index byte) and per byte pair (index 0x100 + lead * 256 +
// trail): 0 not looked up yet, kNoChar when iconv does not read the bytes as one character, otherwise
// the UTF-8 bytes packed with their count in the top byte.
constexpr std::uint32_t kNoChar = 0xFFFFFFFF;
std::atomic<std::uint32_t> g_fromAnsi[0x100 + 0x10000];

std::uint32_t LookUpFromAnsi(size_t index, std::string_view bytes) {
  std::uint32_t packed = g_fromAnsi[index].load(std::memory_order_relaxed);
  if (packed != 0) return packed;
  std::lock_guard<std::mutex> lock(g_tableMutex);
  packed = kNoChar;
  IconvHandle cd("UTF-8", kInternalCodePage);
  if (cd.valid()) {
    const char* in = bytes.data();
    size_t left = bytes.size();
    std::string out;
    if (cd.Convert(in, left, out) == 0 && !out.empty() && out.size() <= 3 && out != kReplacementUtf8) {
      // Exactly one character: its UTF-8 lead tells the length.
      size_t length = Utf8SequenceLength(static_cast<unsigned char>(out[0]));
      if (length == out.size()) {
        packed = static_cast<std::uint32_t>(out.size()) << 24;
        for (size_t i = 0; i < out.size(); ++i) packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(out[i])) << (8 * i);
      }
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
  text = UpToZero(text);
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  const char* p = text.data();
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    size_t run = AsciiRun(p + i, n - i);
    out.append(p + i, run);
    i += run;
    if (i == n) break;
    unsigned char c = static_cast<unsigned char>(p[i]);
    std::uint32_t packed;
    size_t used;
    if (CharLengthAt(text, i) == 2) {
      unsigned char trail = static_cast<unsigned char>(p[i + 1]);
      packed = LookUpFromAnsi(0x100 + (static_cast<size_t>(c) << 8) + trail, text.substr(i, 2));
      used = 2;
    } else {
      packed = LookUpFromAnsi(c, text.substr(i, 1));
      used = 1;
    }
    if (packed == kNoChar) {
      AnsiToUtf8ByIconv(text.substr(i), out);
      break;
    }
    size_t length = packed >> 24;
    for (size_t k = 0; k < length; ++k) out += static_cast<char>((packed >> (8 * k)) & 0xFF);
    i += used;
  }
  return out;
}

size_t ConvertAnsiToUtf8(std::string_view text, bool more, char* out, size_t& written) {
  // The loop of AnsiToUtf8; where that hands the rest to iconv, a sequence that iconv does not read as
  // one character becomes U+FFFD and the conversion goes on after its first byte, which is what iconv
  // does with it (the code page has no state between characters).
  const char* p = text.data();
  const size_t n = text.size();
  char* w = out;
  size_t i = 0;
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
    unsigned char c = static_cast<unsigned char>(p[i]);
    if (c == 0) break;
    // A lead byte at the end of a piece waits for its second byte, which comes with the next piece.
    if (IsLeadByte(c) && i + 1 == n && more) break;
    const size_t used = CharLengthAt(text, i);
    const size_t index = used == 2 ? 0x100 + (static_cast<size_t>(c) << 8) + static_cast<unsigned char>(p[i + 1]) : c;
    std::uint32_t packed = g_fromAnsi[index].load(std::memory_order_relaxed);
    if (packed == 0) packed = LookUpFromAnsi(index, text.substr(i, used));
    if (packed == kNoChar) {
      std::memcpy(w, kReplacementUtf8, 3);
      w += 3;
      ++i;
      continue;
    }
    // Packed: the UTF-8 bytes from the lowest, their count in the top byte.
    w[0] = static_cast<char>(packed & 0xFF);
    w[1] = static_cast<char>((packed >> 8) & 0xFF);
    w[2] = static_cast<char>((packed >> 16) & 0xFF);
    w += packed >> 24;
    i += used;
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

namespace {

// Converts text[from, end) (after the byte-order mark and before any zero byte) into text from `to` on,
// which is at most `from`: code page 932 never takes more bytes than UTF-8 for the same text, so the
// writing never overtakes the reading. Resizes `text` to what was written.
void ConvertUtf8Over(std::string& text, size_t from, size_t end, size_t to) {
  char* base = text.data();
  const char* p = base;
  char* w = base + to;
  size_t i = from;
  const size_t n = end;
  while (i < n) {
    size_t run = AsciiRun(p + i, n - i);
    std::memmove(w, p + i, run);
    w += run;
    i += run;
    if (i == n) break;
    // A well-formed two- or three-byte sequence of a BMP character other than a surrogate.
    unsigned char c = static_cast<unsigned char>(p[i]);
    std::uint32_t codePoint = 0;
    size_t length = 0;
    auto cont = [&](size_t k) { return i + k < n && (static_cast<unsigned char>(p[i + k]) & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF && cont(1)) {
      codePoint = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(p[i + 1]) & 0x3Fu);
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF && cont(1) && cont(2)) {
      codePoint = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(p[i + 1]) & 0x3Fu) << 6) |
                  (static_cast<unsigned char>(p[i + 2]) & 0x3Fu);
      if (codePoint >= 0x800 && (codePoint < 0xD800 || codePoint > 0xDFFF)) length = 3;
    } else if (c >= 0xF0 && c <= 0xF4 && cont(1) && cont(2) && cont(3)) {
      // A character beyond the basic plane: code page 932 has none of them.
      std::uint32_t high = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(p[i + 1]) & 0x3Fu) << 12);
      if (high >= 0x10000 && high <= 0x10FFFF) {
        *w++ = '?';
        i += 4;
        continue;
      }
    }
    if (length == 0) {
      // Anything else: the rest goes through iconv.
      std::string rest(p + i, n - i);
      text.resize(static_cast<size_t>(w - base));
      Utf8ToAnsiByIconv(rest, text);
      return;
    }
    std::uint16_t code = LookUpToAnsi(codePoint, std::string_view(p + i, length));
    if (code == kUnmapped) *w++ = '?';
    else if (code < 0x100) *w++ = static_cast<char>(code);
    else {
      *w++ = static_cast<char>(code >> 8);
      *w++ = static_cast<char>(code & 0xFF);
    }
    i += length;
  }
  text.resize(static_cast<size_t>(w - base));
}

}  // namespace

std::string Utf8ToAnsi(std::string_view text) {
  text = UpToZero(text);
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.remove_prefix(3);
  std::string out(text);
  ConvertUtf8Over(out, 0, out.size(), 0);
  return out;
}

void Utf8ToAnsiInPlace(std::string& text, size_t begin, size_t end) {
  begin = std::min(begin, text.size());
  end = std::min(end, text.size());
  if (end < begin) end = begin;
  const void* zero = std::memchr(text.data() + begin, '\0', end - begin);
  if (zero) end = static_cast<size_t>(static_cast<const char*>(zero) - text.data());
  if (end - begin >= 3 && text.compare(begin, 3, "\xEF\xBB\xBF") == 0) begin += 3;
  ConvertUtf8Over(text, begin, end, 0);
}

std::string Utf16LeToAnsi(std::string_view bytes) {
  std::string out;
  IconvHandle cd(kInternalCodePage, "UTF-16LE");
  if (!cd.valid()) return out;
  const char* in = bytes.data();
  size_t left = bytes.size() & ~static_cast<size_t>(1);
  while (left > 0) {
    if (cd.Convert(in, left, out) == 0) break;
    out += '?';
    size_t skip = 2;
    // A surrogate pair that cannot be mapped goes as one "?".
    unsigned unit = static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && left >= 4) {
      unsigned next = static_cast<unsigned char>(in[2]) | (static_cast<unsigned char>(in[3]) << 8);
      if (next >= 0xDC00 && next <= 0xDFFF) skip = 4;
    }
    in += skip;
    left -= skip;
  }
  return out;
}

bool IsKnownEncoding(const std::string& name) {
  if (name.empty()) return false;
  IconvHandle cd(kInternalCodePage, name.c_str());
  return cd.valid();
}

bool ConvertToAnsi(std::string_view bytes, const std::string& fromEncoding, std::string& out) {
  if (fromEncoding.empty()) return false;
  // Go through UTF-8 so that every failure is handled by the one character-by-character fallback.
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

std::string Lit(const char* utf8) {
  // Literals are few and repeated: convert each once.
  static std::mutex mutex;
  static std::unordered_map<const char*, std::string> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(utf8);
  if (it != cache.end()) return it->second;
  return cache.emplace(utf8, Utf8ToAnsi(utf8)).first->second;
}
