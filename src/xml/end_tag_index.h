// Answers the parser's matching-end-tag searches in linear total time.
//
// The search for an element's end tag runs two matchers over the rest of its parent's content: one for
// "<" + name (a nested opening, counted unless the byte before the next ">" is "/") and one for
// "</" + name + ">". Run from the start of the buffer, the matchers pass the point right after any
// start tag's name in the same state as a fresh search begun there (that byte is ">" or white space,
// which neither pattern can continue with). So for each name, the first time it is needed, the
// opening and closing events over the whole buffer are recorded once with a running nesting sum; the
// matching end tag for a search begun at c is then the first later event where the sum drops below its
// value at c, accepted only if it ends inside the parent's content.
//
// Ordinary names find their candidate openings and closings among the "<" followed by the name's first
// byte for the first few dozen names; after that a token index (the name-like text after each "<") is built, so that
// a further name costs only its own occurrences. Names that contain "<", are empty, or consist of "/"
// only run the matchers byte by byte over the buffer, skipping to each "<".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CEndTagIndex {
public:
  // The largest buffer the index handles.
  static constexpr size_t kMaxText = 0xFFFFFFFEu;

  // `text` must outlive the index and be at most kMaxText bytes.
  explicit CEndTagIndex(std::string_view text);

  // The position of the first "<" at or after `from` and before `to`, or npos. Fast when the calls
  // move forward through the text, as the parser's do.
  size_t NextLt(size_t from, size_t to);

  // For an element whose tentative name `name` ends at `nameEnd` (the ">" or white space after it),
  // inside content that ends at `contentEnd`: the position where its matching end tag begins, or npos.
  size_t Find(std::string_view name, size_t nameEnd, size_t contentEnd);

private:
  struct Events {
    std::vector<size_t> position;    // the byte that completes each event, increasing
    std::vector<std::int32_t> drop;  // per count of events passed: the first later event (index) where
                                     // the nesting sum falls below its value there, or -1
    size_t cursor = 0;               // events passed at the last search (searches mostly move forward)
  };

  Events& EventsFor(std::string_view name);
  void BuildTokens();
  void TokenEvents(std::string_view name, std::vector<size_t>& opens, std::vector<size_t>& closes);
  void ScanCandidates(std::string_view name, std::vector<std::uint32_t>& opens, std::vector<std::uint32_t>& closes);
  void BuildBuckets();
  void WindowEvents(std::string_view name, std::vector<size_t>& position, std::vector<int>& delta);
  // Runs both matchers over [begin, end], starting at their first byte, recording every event.
  void ScanEvents(std::string_view name, size_t begin, size_t end, std::vector<size_t>& position, std::vector<int>& delta);
  void BuildGt();
  // True when a matcher for `pattern` would be at the start of an attempt at "<" number `j`, given the
  // chain of earlier "<" whose attempts could still be running there.
  bool Started(size_t j, std::string_view pattern);
  // True when an opening completed at `i` counts as nested (the byte before the next ">" is not "/").
  bool CountsAsOpening(size_t i);
  size_t RunStart(size_t j);

  std::string_view m_text;
  // Positions are 32-bit: the parser uses the index only for buffers below 4 GiB.
  std::vector<std::uint32_t> m_lt;        // positions of "<"
  std::vector<std::uint32_t> m_gt;        // positions of ">", built when first needed
  bool m_gtBuilt = false;
  std::vector<std::uint32_t> m_runStart;  // per "<": first "<" of the run of adjacent "<" holding it (lazy)
  bool m_tokensBuilt = false;
  std::unordered_map<std::string, std::uint32_t> m_tokenGroup;  // folded token after "<" -> group
  std::vector<std::vector<std::uint32_t>> m_groups;             // "<" numbers per group, increasing
  std::vector<std::pair<const std::string*, std::uint32_t>> m_sortedTokens;
  std::unordered_map<std::string, Events> m_events;  // by folded name
  size_t m_scannedNames = 0;                          // names whose candidates came from the buckets
  // "<" numbers grouped by the two folded bytes after "<" (m_after), and, for "</", by the two folded
  // bytes after the "/" (m_afterSlash); each group is the range [offsets[k], offsets[k + 1]) of its
  // array, k = first * 257 + second (256 for no byte), so a name is compared only with the tokens
  // that begin like it.
  bool m_bucketsBuilt = false;
  bool m_twoByteKeys = false;  // by one byte only (k = first) in a text with few "<"
  std::vector<std::uint32_t> m_after, m_afterOffsets, m_afterSlash, m_afterSlashOffsets;
  size_t m_nextLt = 0;  // NextLt's place in m_lt

  // The last names looked up, by their exact bytes (element names repeat a lot).
  struct Recent {
    std::string name;
    Events* events = nullptr;
  };
  Recent m_recent[8];
  size_t m_recentNext = 0;
};
