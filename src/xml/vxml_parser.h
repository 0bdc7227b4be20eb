// The lenient markup parser behind LoadText, ParseElement, ParseContent and SetNodeValue.
//
// It never reports a syntax error, decodes no reference and keeps all text verbatim. An element's
// extent is found by searching for its matching end tag (FindMatchingEndTag), so malformed markup
// still gives a well-defined tree: an element without its end tag gets no children and its would-be
// content follows it as siblings; a stray end tag becomes an element whose name begins with "/".
//
// The parser works on offsets into one buffer, iteratively (any nesting depth is safe), and answers
// end-tag searches from an index built once per buffer, so its time grows linearly with the input.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

class CEndTagIndex;
class CVXMLArena;
class CVXMLElement;
class CVXMLNode;
class CVXMLNodeList;

// Finds the end tag that closes an element whose start tag "<" + name has just been read, in `text`
// (which begins right after the name). Nested elements of the same name are counted: "<" + name opens
// one (names that merely begin with `name` too) unless the byte before the next ">" is "/", and
// "</" + name + ">" closes one. ASCII letters compare without regard to case. Returns the index where
// the matching end tag begins, or -1.
long FindMatchingEndTag(std::string_view text, std::string_view name);

// Parses one buffer. The buffer must outlive the parser. Nodes copy the text they keep, or with
// `borrow` point into the buffer, which must then outlive them (the loaded text of their document).
// The nodes are made where the element or parent they go into lives (its document's arena, or the
// heap); nodes that go into a list, on the heap.
class CVXMLParser {
public:
  explicit CVXMLParser(std::string_view text, bool borrow = false);
  ~CVXMLParser();
  CVXMLParser(const CVXMLParser&) = delete;
  CVXMLParser& operator=(const CVXMLParser&) = delete;

  // The whole buffer as the markup of one element, read into `element`.
  void ParseElement(CVXMLElement& element);
  // The whole buffer as element content: nodes go to `parent` (AppendChild) when it is given,
  // otherwise to `list`. False when an unterminated comment or CDATA section ended it early.
  bool ParseContent(CVXMLNode* parent, CVXMLNodeList* list);

private:
  bool ParseRange(size_t begin, size_t end, CVXMLNode* parent, CVXMLNodeList* list);
  // Reads the start tag of the element markup [begin, end) into `element` and checks that the markup
  // ends with the element's own end tag; true with the content range when there is content to parse.
  bool ReadElement(CVXMLElement& element, size_t begin, size_t end, size_t& contentBegin, size_t& contentEnd);
  size_t FindEndTag(std::string_view name, size_t nameEnd, size_t contentEnd);
  // A new text, CDATA or comment node holding (or pointing at) text[begin, end).
  template <class Node>
  CVXMLNode* MakeData(size_t begin, size_t end) const;

  std::string_view m_text;
  bool m_borrow;
  CVXMLArena* m_arena = nullptr;  // where the new nodes go
  std::unique_ptr<CEndTagIndex> m_index;
};
