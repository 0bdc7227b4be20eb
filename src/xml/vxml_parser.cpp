#include "xml/vxml_parser.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/byte_scan.h"
#include "platform/sjis.h"
#include "xml/end_tag_index.h"
#include "xml/vxml_character_data.h"
#include "xml/vxml_element.h"
#include "xml/vxml_names.h"
#include "xml/vxml_node_list.h"

namespace {

constexpr size_t npos = std::string_view::npos;

inline bool EndsTentativeName(char c) { return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t FindByte(std::string_view text, char c, size_t from, size_t to) {
  if (from >= to) return npos;
  return FindByteNear(text.substr(0, to), c, from);
}

size_t FindText(std::string_view text, std::string_view what, size_t from, size_t to) {
  size_t hit = text.substr(0, to).find(what, from);
  return hit;
}

// The first "]]>" at a character boundary from `from`: the second byte of a double-byte character can be
// "]", so the scan steps over whole characters.
size_t FindCdataEnd(std::string_view text, size_t from, size_t to) {
  // Eight single-byte characters without "]" at a time.
  auto stops = [](std::uint64_t word) { return FlagHighBytes(word) | FlagBytesEqual(word, ']'); };
  size_t i = from;
  while (i + 3 <= to) {
    i = SkipUnflaggedWords(text.data(), i, to, stops);
    if (i + 3 > to) break;
    if (text[i] == ']' && text[i + 1] == ']' && text[i + 2] == '>') return i;
    i += CharLengthAt(text, i);
  }
  return npos;
}

}  // namespace

long FindMatchingEndTag(std::string_view text, std::string_view name) {
  // The two matchers, byte by byte; a mismatching byte resets a matcher without being tried again.
  const std::string open = "<" + std::string(name);
  const std::string close = "</" + std::string(name) + ">";
  // Which pattern bytes are letters that fold: not the second byte of a double-byte character.
  auto foldMask = [](const std::string& pattern) {
    std::vector<bool> folds(pattern.size(), false);
    for (size_t k = 0; k < pattern.size(); k += CharLengthAt(pattern, k)) {
      const char c = pattern[k];
      folds[k] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
    return folds;
  };
  const std::vector<bool> openFolds = foldMask(open), closeFolds = foldMask(close);
  auto matches = [](const std::string& pattern, const std::vector<bool>& folds, size_t k, char c) {
    return c == pattern[k] || (folds[k] && (c | 0x20) == (pattern[k] | 0x20));
  };
  size_t oi = 0, ci = 0;
  long depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    oi = matches(open, openFolds, oi, c) ? oi + 1 : 0;
    if (oi == open.size()) {
      size_t gt = text.find('>', i + 1);
      char before = gt == npos ? text.back() : text[gt - 1];
      if (before != '/') {
        ++depth;
        ci = 0;
      }
      oi = 0;
    }
    ci = matches(close, closeFolds, ci, c) ? ci + 1 : 0;
    if (ci == close.size()) {
      if (depth == 0) return static_cast<long>(i + 1 - close.size());
      --depth;
      oi = 0;
      ci = 0;
    }
  }
  return -1;
}

CVXMLParser::CVXMLParser(std::string_view text, bool borrow) : m_text(text), m_borrow(borrow) {}

template <class Node>
CVXMLNode* CVXMLParser::MakeData(size_t begin, size_t end) const {
  Node* node = CVXMLNode::NewIn<Node>(m_arena);
  std::string_view value = m_text.substr(begin, end - begin);
  if (m_borrow) node->m_nodeValue.Borrow(value, m_arena);
  else node->m_nodeValue.Assign(value, m_arena);
  return node;
}

CVXMLParser::~CVXMLParser() = default;

size_t CVXMLParser::FindEndTag(std::string_view name, size_t nameEnd, size_t contentEnd) {
  if (m_text.size() > CEndTagIndex::kMaxText) {
    // Beyond what the index addresses: search the content directly.
    long found = FindMatchingEndTag(m_text.substr(nameEnd, contentEnd - nameEnd), name);
    return found < 0 ? npos : nameEnd + static_cast<size_t>(found);
  }
  if (!m_index) m_index = std::make_unique<CEndTagIndex>(m_text);
  return m_index->Find(name, nameEnd, contentEnd);
}

bool CVXMLParser::ReadElement(CVXMLElement& element, size_t begin, size_t end, size_t& contentBegin,
                              size_t& contentEnd) {
  std::string_view markup = m_text.substr(begin, end - begin);
  element.m_hasEndTag = 1;
  element.ReadStartTag(markup, m_borrow);
  const std::string_view name = element.m_nodeName.View();
  if (name.empty()) return false;
  // The markup must end with the element's own end tag, letters compared without regard to case.
  size_t endTagLength = name.size() + 3;
  if (markup.size() < endTagLength || markup.back() != '>' || markup[markup.size() - endTagLength] != '<' ||
      markup[markup.size() - endTagLength + 1] != '/' ||
      !EqualsFoldedAscii(markup.substr(markup.size() - endTagLength + 2, name.size()), name)) {
    element.m_hasEndTag = 0;
    return false;
  }
  // The content lies between the first ">" and the end tag.
  size_t gt = FindByteNear(markup, '>');
  contentBegin = begin + gt + 1;
  contentEnd = end - endTagLength;
  return contentBegin < contentEnd;
}

void CVXMLParser::ParseElement(CVXMLElement& element) {
  m_arena = element.m_arena;
  size_t contentBegin = 0, contentEnd = 0;
  if (ReadElement(element, 0, m_text.size(), contentBegin, contentEnd)) {
    ParseRange(contentBegin, contentEnd, &element, nullptr);
  }
}

bool CVXMLParser::ParseContent(CVXMLNode* parent, CVXMLNodeList* list) {
  m_arena = parent ? parent->m_arena : nullptr;
  return ParseRange(0, m_text.size(), parent, list);
}

bool CVXMLParser::ParseRange(size_t begin, size_t end, CVXMLNode* parent, CVXMLNodeList* list) {
  // Each frame is the content of one element still being read; children are read after their parent
  // has been added, so the tree grows in document order without recursion.
  struct Frame {
    CVXMLNode* parent;
    size_t pos;
    size_t end;
  };
  std::vector<Frame> frames;
  frames.push_back({parent, begin, end});
  bool complete = true;
  const std::string_view text = m_text;

  while (!frames.empty()) {
    Frame& frame = frames.back();
    if (frame.pos >= frame.end) {
      frames.pop_back();
      continue;
    }
    CVXMLNode* into = frame.parent;
    const bool outermost = frames.size() == 1;
    auto add = [&](CVXMLNode* node) {
      if (into) into->AddNewChild(node);
      else list->AddTail(node);
    };
    const size_t pos = frame.pos;
    const size_t stop = frame.end;

    size_t lt = m_index ? m_index->NextLt(pos, stop) : FindByte(text, '<', pos, stop);
    if (lt == npos) {
      add(MakeData<CVXMLTextNode>(pos, stop));
      frame.pos = stop;
      continue;
    }
    if (lt > pos) {
      add(MakeData<CVXMLTextNode>(pos, lt));
      frame.pos = lt;
      continue;
    }
    const size_t length = stop - pos;
    if (length >= 7 && text.compare(pos, 4, "<!--") == 0) {
      size_t close = FindText(text, "-->", pos, stop);
      if (close == npos) {
        if (outermost) complete = false;
        frame.pos = stop;
        continue;
      }
      add(close >= pos + 4 ? MakeData<CVXMLComment>(pos + 4, close) : CVXMLNode::NewIn<CVXMLComment>(m_arena));
      frame.pos = close + 3;
      continue;
    }
    if (length >= 12 && text.compare(pos, 9, "<![CDATA[") == 0) {
      size_t close = FindCdataEnd(text, pos + 9, stop);
      if (close == npos) {
        if (outermost) complete = false;
        frame.pos = stop;
        continue;
      }
      add(MakeData<CVXMLCDATASection>(pos + 9, close));
      frame.pos = close + 3;
      continue;
    }

    // An element. Without any ">" ahead the rest stays text, so a stray "<" never stalls the parse.
    size_t gt = FindByte(text, '>', pos, stop);
    if (gt == npos) {
      add(MakeData<CVXMLTextNode>(pos, stop));
      frame.pos = stop;
      continue;
    }
    size_t nameEnd = pos + 1;
    while (!EndsTentativeName(text[nameEnd])) ++nameEnd;
    std::string_view name = text.substr(pos + 1, nameEnd - pos - 1);
    size_t endTag = FindEndTag(name, nameEnd, stop);
    size_t markupEnd = endTag == npos ? gt + 1 : endTag + name.size() + 3;

    CVXMLElement* element = CVXMLNode::NewIn<CVXMLElement>(m_arena);
    add(element);
    frame.pos = markupEnd;  // `frame` may move when a frame is pushed below
    size_t contentBegin = 0, contentEnd = 0;
    if (ReadElement(*element, pos, markupEnd, contentBegin, contentEnd)) {
      frames.push_back({element, contentBegin, contentEnd});
    }
  }
  return complete;
}
