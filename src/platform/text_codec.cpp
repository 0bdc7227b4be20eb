#include "platform/text_codec.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <mutex>
#include <unordered_map>

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

}  // namespace

bool IsValidUtf8(std::string_view text) {
  int state = 1;
  for (unsigned char c : text) {
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

std::string AnsiToUtf8(std::string_view text) {
  text = UpToZero(text);
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  IconvHandle cd("UTF-8", kInternalCodePage);
  if (!cd.valid()) return std::string(text);
  const char* in = text.data();
  size_t left = text.size();
  while (left > 0) {
    if (cd.Convert(in, left, out) == 0) break;
    // An invalid or truncated sequence: one replacement character, then go on after its first byte.
    out += kReplacementUtf8;
    ++in;
    --left;
  }
  return out;
}

std::string Utf8ToAnsi(std::string_view text) {
  text = UpToZero(text);
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.remove_prefix(3);
  std::string out;
  out.reserve(text.size());
  IconvHandle cd(kInternalCodePage, "UTF-8");
  if (!cd.valid()) return std::string(text);
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
  return out;
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
