#include "check/check_positions.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "check/check_bytes.h"
#include "check/check_nodes.h"

namespace {

constexpr size_t npos = std::string_view::npos;

// The end (one past) of the construct "<!..." at `at`, which is not a start tag.
size_t SkipDeclaration(std::string_view text, size_t at) {
  if (text.compare(at, 4, "<!--") == 0) {
    size_t end = text.find("-->", at + 4);
    return end == npos ? text.size() : end + 3;
  }
  if (text.compare(at, 9, "<![CDATA[") == 0) {
    size_t end = text.find("]]>", at + 9);
    return end == npos ? text.size() : end + 3;
  }
  // <!DOCTYPE ...>, with an internal subset in brackets that may hold quoted text, comments and
  // declarations of its own.
  int depth = 0;
  for (size_t i = at + 2; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"' || c == '\'') {
      size_t end = text.find(c, i + 1);
      if (end == npos) return text.size();
      i = end;
    } else if (c == '<' && text.compare(i, 4, "<!--") == 0) {
      size_t end = text.find("-->", i + 4);
      if (end == npos) return text.size();
      i = end + 2;
    } else if (c == '[') {
      ++depth;
    } else if (c == ']') {
      --depth;
    } else if (c == '>' && depth <= 0) {
      return i + 1;
    }
  }
  return text.size();
}

// Whether a CR stands in `text` without an LF after it.
bool HasLoneCr(std::string_view text) {
  const char* const s = text.data();
  const size_t n = text.size();
  size_t i = 0;
  for (; i + 9 <= n; i += 8) {
    const std::uint64_t word = WordAt(s + i);
    const std::uint64_t cr = BytesEqual(word, '\r');
    if (!cr) continue;
    // An LF after each CR: the LF mask shifted back one byte, the ninth byte for the last.
    std::uint64_t lf = BytesEqual(word, '\n') >> 8;
    if (s[i + 8] == '\n') lf |= 0x80ull << 56;
    if (cr & ~lf) return true;
  }
  for (; i < n; ++i) {
    if (s[i] == '\r' && (i + 1 >= n || s[i + 1] != '\n')) return true;
  }
  return false;
}

}  // namespace

std::vector<size_t> StartTagOffsets(std::string_view text, const std::vector<size_t>& sortedIndices) {
  std::vector<size_t> offsets(sortedIndices.size(), npos);
  size_t want = 0;
  size_t count = 0;
  size_t i = 0;
  while (want < sortedIndices.size()) {
    const void* lt = i < text.size() ? std::memchr(text.data() + i, '<', text.size() - i) : nullptr;
    if (!lt) break;
    i = static_cast<size_t>(static_cast<const char*>(lt) - text.data());
    char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (next == '!') {
      i = SkipDeclaration(text, i);
      continue;
    }
    if (next == '?') {
      size_t end = text.find("?>", i + 2);
      i = end == npos ? text.size() : end + 2;
      continue;
    }
    if (next != '/') {
      while (want < sortedIndices.size() && sortedIndices[want] == count) offsets[want++] = i;
      ++count;
    }
    ++i;
  }
  return offsets;
}

size_t AttributeOffset(std::string_view text, size_t tagOffset, std::string_view qname) {
  if (tagOffset >= text.size()) return tagOffset;
  size_t i = tagOffset + 1;
  // Past the element name, then attribute by attribute (values may hold '>' but never '<').
  while (i < text.size() && !IsXmlSpace(text[i]) && text[i] != '/' && text[i] != '>') ++i;
  while (i < text.size()) {
    while (i < text.size() && IsXmlSpace(text[i])) ++i;
    if (i >= text.size() || text[i] == '>' || text[i] == '/') break;
    size_t nameStart = i;
    while (i < text.size() && !IsXmlSpace(text[i]) && text[i] != '=' && text[i] != '/' && text[i] != '>') ++i;
    if (text.substr(nameStart, i - nameStart) == qname) return nameStart;
    while (i < text.size() && text[i] != '"' && text[i] != '\'' && text[i] != '>') ++i;
    if (i >= text.size() || text[i] == '>') break;
    size_t close = text.find(text[i], i + 1);
    if (close == npos) break;
    i = close + 1;
  }
  return tagOffset;
}

std::vector<std::pair<int, int>> LineColumns(std::string_view text, const std::vector<size_t>& offsets) {
  std::vector<size_t> order(offsets.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return offsets[a] < offsets[b]; });
  std::vector<std::pair<int, int>> result(offsets.size());
  const char* const s = text.data();
  const size_t n = text.size();
  // Lines end at LF, CR LF (at its LF) or CR alone. Without a CR alone (nearly every file) line ends
  // are LFs, counted eight bytes at a time; characters only from the start of a target's line.
  const bool hasCr = HasLoneCr(text);
  auto find = [&](char c, size_t from) {
    const void* p = from < n ? std::memchr(s + from, c, n - from) : nullptr;
    return p ? static_cast<size_t>(static_cast<const char*>(p) - s) : n;
  };
  size_t nextLf = hasCr ? find('\n', 0) : n, nextCr = hasCr ? find('\r', 0) : n;
  int line = 1;
  int column = 1;
  size_t counted = 0;  // characters before `counted` on the current line are in `column`
  for (size_t k : order) {
    const size_t target = std::min(offsets[k], n);
    if (!hasCr) {
      size_t lineStart = npos;  // the start of the last line begun before `target`
      size_t i = counted;
      for (; i + 8 <= target; i += 8) {
        const std::uint64_t lf = BytesEqual(WordAt(s + i), '\n');
        if (!lf) continue;
        line += MarkedBytes(lf);
        lineStart = i + static_cast<size_t>(LastMarked(lf)) + 1;
      }
      for (; i < target; ++i) {
        if (s[i] == '\n') {
          ++line;
          lineStart = i + 1;
        }
      }
      if (lineStart != npos) {
        column = 1;
        counted = lineStart;
      }
    } else {
      while (true) {
        // The next line end at or after `counted`: an LF, or a CR not followed by LF.
        while (nextCr < n && nextCr + 1 < n && s[nextCr + 1] == '\n') nextCr = find('\r', nextCr + 1);
        const size_t end = std::min(nextLf, nextCr);
        if (end >= target) break;
        ++line;
        column = 1;
        counted = end + 1;
        if (nextLf == end) nextLf = find('\n', end + 1);
        if (nextCr <= end) nextCr = find('\r', end + 1);
      }
    }
    for (; counted < target; ++counted) {
      const char c = s[counted];
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') ++column;
    }
    result[k] = {line, column};
  }
  return result;
}
