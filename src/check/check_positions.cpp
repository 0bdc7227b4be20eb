#include "check/check_positions.h"

#include <algorithm>
#include <cstring>
#include <numeric>

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
  int line = 1;
  int column = 1;
  size_t i = 0;
  for (size_t k : order) {
    size_t target = std::min(offsets[k], text.size());
    for (; i < target; ++i) {
      char c = text[i];
      if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
        ++line;
        column = 1;
      } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') {
        ++column;
      }
    }
    result[k] = {line, column};
  }
  return result;
}
