// One pass over a loaded feed that finds, for the feed, its channel, its first author and every item or
// entry, the first descendant element of each name the reader looks up.
//
// "The first X below an element" is the first element named X in document order among its descendants.
// Looking that up with a walk per item and name would cost the size of each item's subtree, which is
// quadratic when items nest; this index gives every answer in one walk of the whole tree.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <unordered_set>
#include <vector>

class CVXMLElement;

// The element names the reader looks up (matched exactly, prefixes as written).
enum FeedKey : int {
  kFeedTitle,
  kFeedLink,
  kFeedAlternateLink,  // a "link" whose rel attribute is "alternate", empty or absent
  kFeedDescription,
  kFeedContentEncoded,
  kFeedDcDate,
  kFeedDcSubject,
  kFeedPubDate,
  kFeedCategory,
  kFeedTagline,
  kFeedSubtitle,
  kFeedName,
  kFeedId,
  kFeedIssued,
  kFeedPublished,
  kFeedModified,
  kFeedUpdated,
  kFeedSummary,
  kFeedContent,
  kFeedKeyCount
};

// An element whose descendants are searched: the feed's root, its channel, its author, an item.
struct FeedScope {
  const CVXMLElement* element = nullptr;
  std::array<const CVXMLElement*, kFeedKeyCount> first{};

  const CVXMLElement* First(FeedKey key) const { return first[key]; }
};

class CFeedIndex {
public:
  // Called when the walk leaves an item, whose answers are then complete (its subtree has just been
  // walked, so reading it now is cheap); `ordinal` is the item's place in document order.
  using ItemDone = std::function<void(const CFeedIndex& index, const FeedScope& item, size_t ordinal)>;

  // Walks every element below `root`. Items are the elements named `itemName` ("item" or "entry") below
  // the root, in document order, nested ones included.
  CFeedIndex(const CVXMLElement& root, std::string_view itemName, ItemDone itemDone = nullptr);

  const FeedScope& Root() const { return m_scopes[0]; }
  // The first "channel" and the first "author" below the root; null when there is none.
  const FeedScope* Channel() const { return m_channel < 0 ? nullptr : &m_scopes[static_cast<size_t>(m_channel)]; }
  const FeedScope* Author() const { return m_author < 0 ? nullptr : &m_scopes[static_cast<size_t>(m_author)]; }
  const std::vector<int>& Items() const { return m_items; }
  const FeedScope& Scope(int index) const { return m_scopes[static_cast<size_t>(index)]; }

  // True when `element` is the answer for more than one scope (nested items), so its text is worth
  // keeping once it has been taken.
  bool IsShared(const CVXMLElement* element) const { return m_shared.count(element) != 0; }
  bool HasShared() const { return !m_shared.empty(); }

  // The size of what has been walked so far: bytes of text and CDATA, and the number of nodes.
  size_t TextBytes() const { return m_textBytes; }
  size_t NodeCount() const { return m_nodeCount; }

private:
  void Walk(const CVXMLElement& root, std::string_view itemName, const ItemDone& itemDone);
  // Records `element` as the first `key` of every open scope that has none yet.
  void Assign(FeedKey key, const CVXMLElement* element);

  std::vector<FeedScope> m_scopes;
  std::vector<int> m_items;  // scope indexes of the items, in document order
  int m_channel = -1;
  int m_author = -1;
  // The open scopes (indexes into m_scopes) from the root inwards, and for each key the depth in that
  // stack below which every open scope has its answer already.
  std::vector<int> m_open;
  std::array<size_t, kFeedKeyCount> m_answered{};
  std::unordered_set<const CVXMLElement*> m_shared;
  size_t m_textBytes = 0;
  size_t m_nodeCount = 0;
};
