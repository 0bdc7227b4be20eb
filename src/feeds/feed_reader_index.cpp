#include "feeds/feed_reader_index.h"

#include <algorithm>

#include "feeds/char_refs.h"
#include "xml/vxml_element.h"

namespace {

struct KeyName {
  std::string_view name;
  FeedKey key;
};

constexpr KeyName kKeyNames[] = {
    {"title", kFeedTitle},         {"link", kFeedLink},          {"description", kFeedDescription},
    {"content:encoded", kFeedContentEncoded},                    {"dc:date", kFeedDcDate},
    {"dc:subject", kFeedDcSubject}, {"pubDate", kFeedPubDate},   {"category", kFeedCategory},
    {"tagline", kFeedTagline},     {"subtitle", kFeedSubtitle},  {"name", kFeedName},
    {"id", kFeedId},               {"issued", kFeedIssued},      {"published", kFeedPublished},
    {"modified", kFeedModified},   {"updated", kFeedUpdated},    {"summary", kFeedSummary},
    {"content", kFeedContent},
};

// The key of an element name, or -1. Names are compared byte for byte.
int KeyOf(std::string_view name) {
  for (const KeyName& entry : kKeyNames) {
    if (entry.name.size() == name.size() && entry.name == name) return entry.key;
  }
  return -1;
}

bool IsAlternateRel(const std::string& rel) {
  return rel.empty() || DecodeCharacterReferences(rel, false) == "alternate";
}

}  // namespace

CFeedIndex::CFeedIndex(const CVXMLElement& root, std::string_view itemName, ItemDone itemDone) {
  m_scopes.push_back(FeedScope{&root, {}});
  m_open.push_back(0);
  Walk(root, itemName, itemDone);
}

void CFeedIndex::Assign(FeedKey key, const CVXMLElement* element) {
  size_t& answered = m_answered[key];
  if (answered >= m_open.size()) return;
  if (m_open.size() - answered > 1) m_shared.insert(element);
  for (size_t depth = answered; depth < m_open.size(); ++depth) {
    m_scopes[static_cast<size_t>(m_open[depth])].first[key] = element;
  }
  answered = m_open.size();
}

void CFeedIndex::Walk(const CVXMLElement& root, std::string_view itemName, const ItemDone& itemDone) {
  // Pre-order without recursion (any depth is safe). A frame remembers the scope its element opened
  // (-1 for none) and, for an item, its place among the items; the scope closes when the walk leaves
  // the element.
  struct Frame {
    const CVXMLElement* element;
    size_t next;
    int scope;
    size_t ordinal;
  };
  std::vector<Frame> stack{{&root, 0, -1, 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const CVXMLNodeList& children = *frame.element->GetChildNodes();
    if (frame.next == children.size()) {
      if (frame.scope >= 0) {
        m_open.pop_back();
        for (size_t& answered : m_answered) answered = std::min(answered, m_open.size());
        const FeedScope& scope = m_scopes[static_cast<size_t>(frame.scope)];
        if (itemDone && scope.element->NodeName() == itemName) itemDone(*this, scope, frame.ordinal);
      }
      stack.pop_back();
      continue;
    }
    const CVXMLNode* child = children[frame.next++];
    ++m_nodeCount;
    const int type = child->GetNodeType();
    if (type == kXmlTextNode || type == kXmlCDATASectionNode) m_textBytes += child->NodeValue().size();
    if (type != kXmlElementNode) continue;

    const auto* element = static_cast<const CVXMLElement*>(child);
    const std::string_view name = element->NodeName();
    int key = KeyOf(name);
    if (key >= 0) {
      Assign(static_cast<FeedKey>(key), element);
      if (key == kFeedLink && IsAlternateRel(element->GetAttribute("rel"))) Assign(kFeedAlternateLink, element);
    }

    int scope = -1;
    const size_t ordinal = m_items.size();
    if (name == itemName) {
      scope = static_cast<int>(m_scopes.size());
      m_items.push_back(scope);
    } else if (m_channel < 0 && name == "channel") {
      scope = m_channel = static_cast<int>(m_scopes.size());
    } else if (m_author < 0 && name == "author") {
      scope = m_author = static_cast<int>(m_scopes.size());
    }
    if (scope >= 0) {
      m_scopes.push_back(FeedScope{element, {}});
      m_open.push_back(scope);
    }
    stack.push_back(Frame{element, 0, scope, ordinal});
  }
}
