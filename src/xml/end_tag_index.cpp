#include "xml/end_tag_index.h"

#include <algorithm>
#include <cstring>

#include "platform/byte_scan.h"
#include "platform/sjis.h"
#include "xml/vxml_names.h"

namespace {

// Names whose candidates are found by testing every "<" before the token index is built.
constexpr size_t kScannedNameLimit = 24;

// Keys of the candidate groups: a byte (folded) or 256 for none, for each of two bytes.
constexpr size_t kKeyBase = 257;
// From this many "<" on, candidates are grouped by two bytes after the "<" rather than one.
constexpr size_t kTwoByteKeyMinimum = 16384;

// Bytes that end the tentative name of an element, and so never occur in a name.
inline bool EndsName(char c) { return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline unsigned char LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c; }

// A pattern for the byte-by-byte matchers: its bytes, and which of them are letters that fold.
struct Pattern {
  std::string bytes;
  std::vector<bool> folds;

  explicit Pattern(std::string text) : bytes(std::move(text)), folds(bytes.size(), false) {
    for (size_t i = 0; i < bytes.size(); i += CharLengthAt(bytes, i)) {
      const char c = bytes[i];
      folds[i] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
  }
  bool Matches(size_t k, char c) const {
    if (c == bytes[k]) return true;
    return folds[k] && LowerAscii(static_cast<unsigned char>(c)) == LowerAscii(static_cast<unsigned char>(bytes[k]));
  }
  size_t size() const { return bytes.size(); }
};

// Names that the token index handles: not empty, no "<", not made of "/" only.
bool IsOrdinaryName(std::string_view name) {
  if (name.empty() || name.find('<') != std::string_view::npos) return false;
  return name.find_first_not_of('/') != std::string_view::npos;
}

}  // namespace

CEndTagIndex::CEndTagIndex(std::string_view text) : m_text(text) {
  // Eight bytes at a time: the "<" in a word are the zero bytes of the word xor "<<<<<<<<" (the lowest
  // flagged byte is always a real one; the flags above it are checked one by one).
  const char* base = text.data();
  const size_t n = text.size();
  m_lt.reserve(n / 16);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t flags = FlagBytesEqual(LoadWord(base + i), '<');
    while (flags) {
      const size_t k = FirstFlaggedByte(flags);
      if (base[i + k] == '<') m_lt.push_back(static_cast<std::uint32_t>(i + k));
      flags &= flags - 1;
    }
  }
  for (; i < n; ++i) {
    if (base[i] == '<') m_lt.push_back(static_cast<std::uint32_t>(i));
  }
}

size_t CEndTagIndex::NextLt(size_t from, size_t to) {
  size_t j = m_nextLt;
  if (j > m_lt.size() || (j > 0 && m_lt[j - 1] >= from)) {
    j = static_cast<size_t>(std::lower_bound(m_lt.begin(), m_lt.end(), from) - m_lt.begin());
  } else {
    size_t steps = 0;
    while (j < m_lt.size() && m_lt[j] < from && ++steps < 16) ++j;
    if (j < m_lt.size() && m_lt[j] < from) {
      j = static_cast<size_t>(std::lower_bound(m_lt.begin() + static_cast<long>(j), m_lt.end(), from) - m_lt.begin());
    }
  }
  m_nextLt = j;
  return j < m_lt.size() && m_lt[j] < to ? m_lt[j] : std::string_view::npos;
}

size_t CEndTagIndex::RunStart(size_t j) {
  if (m_runStart.empty()) {
    m_runStart.resize(m_lt.size());
    for (size_t k = 0; k < m_lt.size(); ++k) {
      m_runStart[k] = (k > 0 && m_lt[k] == m_lt[k - 1] + 1) ? m_runStart[k - 1] : static_cast<std::uint32_t>(k);
    }
  }
  return m_runStart[j];
}

void CEndTagIndex::BuildTokens() {
  m_tokensBuilt = true;
  std::string folded;
  const size_t n = m_text.size();
  for (size_t j = 0; j < m_lt.size(); ++j) {
    size_t start = m_lt[j] + 1;
    size_t stop = start;
    while (stop < n && !EndsName(m_text[stop]) && m_text[stop] != '<') ++stop;
    FoldAsciiInto(m_text.substr(start, stop - start), folded);
    auto it = m_tokenGroup.find(folded);
    if (it == m_tokenGroup.end()) {
      it = m_tokenGroup.emplace(folded, static_cast<std::uint32_t>(m_groups.size())).first;
      m_groups.emplace_back();
    }
    m_groups[it->second].push_back(static_cast<std::uint32_t>(j));
  }
  m_sortedTokens.reserve(m_tokenGroup.size());
  for (const auto& entry : m_tokenGroup) m_sortedTokens.emplace_back(&entry.first, entry.second);
  std::sort(m_sortedTokens.begin(), m_sortedTokens.end(),
            [](const auto& a, const auto& b) { return *a.first < *b.first; });
}

void CEndTagIndex::BuildGt() {
  if (m_gtBuilt) return;
  m_gtBuilt = true;
  for (const char* p = m_text.data(), *end = p + m_text.size(); p < end;) {
    const void* hit = std::memchr(p, '>', static_cast<size_t>(end - p));
    if (!hit) break;
    const char* q = static_cast<const char*>(hit);
    m_gt.push_back(static_cast<std::uint32_t>(q - m_text.data()));
    p = q + 1;
  }
}

bool CEndTagIndex::CountsAsOpening(size_t i) {
  // The next ">" is nearly always within the start tag: look a little way first, then in the list.
  const size_t from = i + 1;
  const size_t near = std::min(m_text.size(), from + 256);
  size_t gt = from < near ? FindByteNear(m_text.substr(0, near), '>', from) : std::string_view::npos;
  if (gt == std::string_view::npos && near < m_text.size()) {
    BuildGt();
    auto it = std::upper_bound(m_gt.begin(), m_gt.end(), i);
    if (it != m_gt.end()) gt = *it;
  }
  char before = gt == std::string_view::npos ? m_text.back() : m_text[gt - 1];
  return before != '/';
}

bool CEndTagIndex::Started(size_t j, std::string_view pattern) {
  // An attempt begun at "<" number k-1 is still running at "<" number k exactly when the bytes between
  // them are a proper prefix of the rest of the pattern; the "<" then only ends that attempt. Walking
  // back to the first "<" that nothing reaches, each such link flips whether an attempt starts.
  size_t flips = 0;
  size_t k = j;
  while (k > 0) {
    if (m_lt[k] == m_lt[k - 1] + 1) {
      // Adjacent "<": the empty gap is a prefix of any pattern.
      size_t first = RunStart(k);
      flips += k - first;
      k = first;
      continue;
    }
    size_t gapStart = m_lt[k - 1] + 1;
    size_t gap = m_lt[k] - gapStart;
    if (gap >= pattern.size() || !EqualsFoldedAscii(m_text.substr(gapStart, gap), pattern.substr(0, gap))) break;
    ++flips;
    --k;
  }
  return flips % 2 == 0;
}

void CEndTagIndex::BuildBuckets() {
  m_bucketsBuilt = true;
  const size_t size = m_text.size();
  auto byteKey = [&](size_t at) -> size_t {
    return at < size ? LowerAscii(static_cast<unsigned char>(m_text[at])) : 256;
  };
  // A page has too few "<" to pay for the 66,049 groups of two bytes: its groups go by one byte.
  m_twoByteKeys = m_lt.size() >= kTwoByteKeyMinimum;
  // The key of the two bytes from `at`; no first byte sorts with the 256 of "no byte".
  auto key = [&](size_t at) -> size_t {
    const size_t first = byteKey(at);
    if (!m_twoByteKeys) return first;
    return first * kKeyBase + (first == 256 ? 256 : byteKey(at + 1));
  };
  // Counting sort keeps each group in increasing order.
  const size_t keys = m_twoByteKeys ? kKeyBase * kKeyBase : kKeyBase;
  m_afterOffsets.assign(keys + 1, 0);
  m_afterSlashOffsets.assign(keys + 1, 0);
  for (std::uint32_t p : m_lt) {
    ++m_afterOffsets[key(p + 1) + 1];
    if (p + 1 < size && m_text[p + 1] == '/') ++m_afterSlashOffsets[key(p + 2) + 1];
  }
  for (size_t b = 1; b <= keys; ++b) {
    m_afterOffsets[b] += m_afterOffsets[b - 1];
    m_afterSlashOffsets[b] += m_afterSlashOffsets[b - 1];
  }
  m_after.resize(m_afterOffsets[keys]);
  m_afterSlash.resize(m_afterSlashOffsets[keys]);
  std::vector<std::uint32_t> fill(m_afterOffsets.begin(), m_afterOffsets.end() - 1);
  std::vector<std::uint32_t> fillSlash(m_afterSlashOffsets.begin(), m_afterSlashOffsets.end() - 1);
  for (size_t j = 0; j < m_lt.size(); ++j) {
    std::uint32_t p = m_lt[j];
    m_after[fill[key(p + 1)]++] = static_cast<std::uint32_t>(j);
    if (p + 1 < size && m_text[p + 1] == '/') m_afterSlash[fillSlash[key(p + 2)]++] = static_cast<std::uint32_t>(j);
  }
}

void CEndTagIndex::ScanCandidates(std::string_view name, std::vector<std::uint32_t>& opens,
                                  std::vector<std::uint32_t>& closes) {
  if (!m_bucketsBuilt) BuildBuckets();
  const size_t size = m_text.size();
  // The group of the tokens that begin with `prefix` (its first one or two bytes decide).
  auto group = [&](const std::vector<std::uint32_t>& items, const std::vector<std::uint32_t>& offsets,
                   std::string_view prefix) {
    const size_t first = LowerAscii(static_cast<unsigned char>(prefix[0]));
    if (!m_twoByteKeys) return std::make_pair(items.begin() + offsets[first], items.begin() + offsets[first + 1]);
    size_t from = first * kKeyBase, to = from + kKeyBase;  // one byte: every second byte
    if (prefix.size() > 1) {
      from += LowerAscii(static_cast<unsigned char>(prefix[1]));
      to = from + 1;
    }
    return std::make_pair(items.begin() + offsets[from], items.begin() + offsets[to]);
  };
  const size_t n = name.size();
  // Openings: "<" + name. A name that begins with "/" is found among the "</".
  auto [openBegin, openEnd] = name[0] == '/' ? group(m_afterSlash, m_afterSlashOffsets, name.substr(1))
                                             : group(m_after, m_afterOffsets, name);
  for (auto it = openBegin; it != openEnd; ++it) {
    size_t at = m_lt[*it] + 1;
    if (at + n <= size && EqualsFoldedAscii(m_text.substr(at, n), name)) opens.push_back(*it);
  }
  // Closings: "</" + name + ">".
  auto [closeBegin, closeEnd] = group(m_afterSlash, m_afterSlashOffsets, name);
  for (auto it = closeBegin; it != closeEnd; ++it) {
    size_t at = m_lt[*it] + 2;
    if (at + n < size && m_text[at + n] == '>' && EqualsFoldedAscii(m_text.substr(at, n), name)) closes.push_back(*it);
  }
  // A one-byte prefix took several groups, each in order but not together.
  const size_t openPrefix = name[0] == '/' ? n - 1 : n;
  if (m_twoByteKeys && openPrefix == 1) std::sort(opens.begin(), opens.end());
  if (m_twoByteKeys && n == 1) std::sort(closes.begin(), closes.end());
}

void CEndTagIndex::TokenEvents(std::string_view name, std::vector<size_t>& opens, std::vector<size_t>& closes) {
  const size_t n = name.size();
  std::vector<std::uint32_t> openCandidates, closeCandidates;
  if (!m_tokensBuilt && m_scannedNames < kScannedNameLimit) {
    // Testing every "<" is cheapest while few names are in use.
    ++m_scannedNames;
    ScanCandidates(name, openCandidates, closeCandidates);
  } else {
    if (!m_tokensBuilt) BuildTokens();
    std::string folded;
    FoldAsciiInto(name, folded);
    // Openings: every "<" whose token begins with the name.
    auto first = std::lower_bound(m_sortedTokens.begin(), m_sortedTokens.end(), folded,
                                  [](const auto& entry, const std::string& key) { return *entry.first < key; });
    size_t groupsTaken = 0;
    for (auto it = first; it != m_sortedTokens.end() && it->first->compare(0, folded.size(), folded) == 0; ++it) {
      const auto& group = m_groups[it->second];
      openCandidates.insert(openCandidates.end(), group.begin(), group.end());
      ++groupsTaken;
    }
    if (groupsTaken > 1) std::sort(openCandidates.begin(), openCandidates.end());
    // Closings: every "<" whose token is "/" + name, followed by ">".
    auto group = m_tokenGroup.find("/" + folded);
    if (group != m_tokenGroup.end()) {
      for (std::uint32_t j : m_groups[group->second]) {
        size_t gt = m_lt[j] + n + 2;
        if (gt < m_text.size() && m_text[gt] == '>') closeCandidates.push_back(j);
      }
    }
  }

  for (std::uint32_t j : openCandidates) {
    if (!Started(j, name)) continue;
    size_t completes = m_lt[j] + n;
    if (CountsAsOpening(completes)) opens.push_back(completes);
  }
  if (closeCandidates.empty()) return;
  std::string closePattern = "/" + std::string(name) + ">";
  for (std::uint32_t j : closeCandidates) {
    if (Started(j, closePattern)) closes.push_back(m_lt[j] + n + 2);
  }
}

void CEndTagIndex::ScanEvents(std::string_view name, size_t begin, size_t end, std::vector<size_t>& position,
                              std::vector<int>& delta) {
  const Pattern open("<" + std::string(name));
  const Pattern close("</" + std::string(name) + ">");
  size_t oi = 0, ci = 0;
  size_t next = static_cast<size_t>(std::lower_bound(m_lt.begin(), m_lt.end(), begin) - m_lt.begin());
  size_t i = begin;
  while (true) {
    if (oi == 0 && ci == 0) {
      // Both matchers wait for "<": skip to it.
      while (next < m_lt.size() && m_lt[next] < i) ++next;
      if (next == m_lt.size()) break;
      i = m_lt[next];
    }
    if (i > end) break;
    char c = m_text[i];
    oi = open.Matches(oi, c) ? oi + 1 : 0;
    if (oi == open.size()) {
      if (CountsAsOpening(i)) {
        position.push_back(i);
        delta.push_back(1);
        ci = 0;
      }
      oi = 0;
    }
    ci = close.Matches(ci, c) ? ci + 1 : 0;
    if (ci == close.size()) {
      position.push_back(i);
      delta.push_back(-1);
      oi = 0;
      ci = 0;
    }
    ++i;
  }
}

void CEndTagIndex::WindowEvents(std::string_view name, std::vector<size_t>& position, std::vector<int>& delta) {
  if (!m_tokensBuilt) BuildTokens();
  BuildGt();
  const std::string open = "<" + std::string(name);
  const std::string close = "</" + std::string(name) + ">";
  const size_t size = m_text.size();

  // Where each complete match could lie: found through the last non-empty "<"-separated part of the
  // name (its token after a "<"), then checked in full. Spans are [first byte, last byte].
  std::vector<std::pair<size_t, size_t>> spans;
  auto check = [&](const std::string& pattern, long start) {
    if (start < 0 || static_cast<size_t>(start) + pattern.size() > size) return;
    if (EqualsFoldedAscii(m_text.substr(static_cast<size_t>(start), pattern.size()), pattern)) {
      spans.emplace_back(static_cast<size_t>(start), static_cast<size_t>(start) + pattern.size() - 1);
    }
  };
  size_t lastPart = name.rfind('<');
  size_t partStart = lastPart == std::string_view::npos ? 0 : lastPart + 1;
  size_t partEnd = name.size();
  while (partStart == partEnd && lastPart != std::string_view::npos && lastPart > 0) {
    // An empty last part: take the one before it.
    partEnd = lastPart;
    lastPart = name.rfind('<', lastPart - 1);
    partStart = lastPart == std::string_view::npos ? 0 : lastPart + 1;
  }
  if (partStart == partEnd) {
    // No part to look up (an empty name, or "<" only): every "<" is a candidate.
    for (std::uint32_t q : m_lt) {
      check(open, static_cast<long>(q));
      check(close, static_cast<long>(q));
    }
  } else {
    std::string part;
    FoldAsciiInto(name.substr(partStart, partEnd - partStart), part);
    const bool isLast = partEnd == name.size();
    const bool isFirst = lastPart == std::string_view::npos;
    // The "<" before the part sits at partStart in the opening pattern and at partStart + 1 in the
    // closing one; the part's token ends with "<" unless it is the last part.
    auto candidates = [&](bool prefix, char terminator, const std::string& pattern, size_t ltOffset) {
      auto take = [&](std::uint32_t group) {
        for (std::uint32_t j : m_groups[group]) {
          size_t q = m_lt[j];
          size_t after = q + 1 + part.size();
          if (!prefix && (after >= size || m_text[after] != terminator)) continue;
          if (isFirst && isLast) {
            // The part is the whole name: the token match is the whole pattern match.
            spans.emplace_back(q, q + pattern.size() - 1);
            continue;
          }
          check(pattern, static_cast<long>(q) - static_cast<long>(ltOffset));
        }
      };
      if (prefix) {
        auto first = std::lower_bound(m_sortedTokens.begin(), m_sortedTokens.end(), part,
                                      [](const auto& entry, const std::string& key) { return *entry.first < key; });
        for (auto it = first; it != m_sortedTokens.end() && it->first->compare(0, part.size(), part) == 0; ++it) take(it->second);
      } else {
        auto found = m_tokenGroup.find(part);
        if (found != m_tokenGroup.end()) take(found->second);
      }
    };
    // Openings end inside the last part's token (a prefix of it); closings end with ">" after it. The
    // first part follows the patterns' leading "<", in the closing pattern as "/" + part.
    candidates(isLast, '<', open, partStart);
    if (isFirst) part.insert(0, "/");
    candidates(false, isLast ? '>' : '<', close, isFirst ? 0 : partStart + 1);
  }
  if (spans.empty()) return;

  // Windows: from just after the last ">" before each span (both matchers are at their start after any
  // ">"), to the span's end; overlapping windows merge.
  std::sort(spans.begin(), spans.end());
  size_t windowBegin = 0, windowEnd = 0;
  bool open_ = false;
  for (const auto& [first, last] : spans) {
    auto gt = std::lower_bound(m_gt.begin(), m_gt.end(), first);
    size_t begin = gt == m_gt.begin() ? 0 : *(gt - 1) + 1;
    if (open_ && begin <= windowEnd + 1) {
      windowEnd = std::max(windowEnd, last);
      continue;
    }
    if (open_) ScanEvents(name, windowBegin, windowEnd, position, delta);
    windowBegin = begin;
    windowEnd = last;
    open_ = true;
  }
  if (open_) ScanEvents(name, windowBegin, windowEnd, position, delta);
}

CEndTagIndex::Events& CEndTagIndex::EventsFor(std::string_view name) {
  for (const Recent& recent : m_recent) {
    if (recent.events && recent.name == name) return *recent.events;
  }
  std::string key;
  FoldAsciiInto(name, key);
  auto remember = [&](Events& events) -> Events& {
    m_recent[m_recentNext].name.assign(name.data(), name.size());
    m_recent[m_recentNext].events = &events;
    m_recentNext = (m_recentNext + 1) % (sizeof m_recent / sizeof m_recent[0]);
    return events;
  };
  auto found = m_events.find(key);
  if (found != m_events.end()) return remember(found->second);

  std::vector<size_t> position;
  std::vector<int> delta;
  if (IsOrdinaryName(name)) {
    std::vector<size_t> opens, closes;
    TokenEvents(name, opens, closes);
    position.reserve(opens.size() + closes.size());
    delta.reserve(opens.size() + closes.size());
    size_t a = 0, b = 0;
    while (a < opens.size() || b < closes.size()) {
      if (b == closes.size() || (a < opens.size() && opens[a] < closes[b])) {
        position.push_back(opens[a++]);
        delta.push_back(1);
      } else {
        position.push_back(closes[b++]);
        delta.push_back(-1);
      }
    }
  } else {
    WindowEvents(name, position, delta);
  }

  // sum[t] is the nesting sum after t events; drop[t] the first u > t with sum[u] < sum[t], as an event
  // index (u - 1), found with a stack of candidates from the right.
  const size_t m = position.size();
  std::vector<long> sum(m + 1, 0);
  for (size_t t = 0; t < m; ++t) sum[t + 1] = sum[t] + delta[t];
  Events events;
  events.drop.assign(m + 1, -1);
  std::vector<size_t> stack;
  for (size_t t = m + 1; t-- > 0;) {
    while (!stack.empty() && sum[stack.back()] >= sum[t]) stack.pop_back();
    if (!stack.empty()) events.drop[t] = static_cast<std::int32_t>(stack.back() - 1);
    stack.push_back(t);
  }
  events.position = std::move(position);
  return remember(m_events.emplace(std::move(key), std::move(events)).first->second);
}

size_t CEndTagIndex::Find(std::string_view name, size_t nameEnd, size_t contentEnd) {
  Events& events = EventsFor(name);
  // Events passed: those at or before nameEnd. Searches come in document order, so walk forward from
  // the last answer when that is close, else search.
  const auto& position = events.position;
  size_t passed = events.cursor;
  if (passed > position.size() || (passed > 0 && position[passed - 1] > nameEnd)) {
    passed = static_cast<size_t>(std::upper_bound(position.begin(), position.end(), nameEnd) - position.begin());
  } else {
    size_t steps = 0;
    while (passed < position.size() && position[passed] <= nameEnd && ++steps < 16) ++passed;
    if (passed < position.size() && position[passed] <= nameEnd) {
      passed = static_cast<size_t>(std::upper_bound(position.begin() + static_cast<long>(passed), position.end(), nameEnd) -
                                   position.begin());
    }
  }
  events.cursor = passed;
  std::int32_t drop = events.drop[passed];
  if (drop < 0) return std::string_view::npos;
  size_t closeEnd = events.position[static_cast<size_t>(drop)];
  if (closeEnd >= contentEnd) return std::string_view::npos;
  return closeEnd + 1 - (name.size() + 3);
}
