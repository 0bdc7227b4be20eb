// An element: tag name, attributes in insertion order, children, and the three flags the parser sets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xml/vxml_attribute.h"
#include "xml/vxml_node.h"

// The attributes of an element, in insertion order (the output order).
using CVXMLAttributes = std::vector<CVXMLAttribute, CVXMLArenaAllocator<CVXMLAttribute>>;

class CVXMLElement : public CVXMLNode {
public:
  // Empty name, no attributes, flags 0, 0, 1.
  CVXMLElement() = default;
  // Sets the name, then parses `text` as the element's content (SetNodeValue): text without "<" becomes
  // one text child holding it unchanged, so literal text must be escaped by the caller first.
  CVXMLElement(std::string_view name, const std::string& text);
  // The parsing constructor: builds the element from the markup of one whole element (ParseElement).
  explicit CVXMLElement(std::string_view markup);
  // Deep copy on the heap: name, value, flags, attributes and clones of all children.
  CVXMLElement(const CVXMLElement& other);
  CVXMLElement& operator=(const CVXMLElement&) = delete;
  ~CVXMLElement() override;

  int GetNodeType() const override { return kXmlElementNode; }
  std::string_view NodeName() const override { return m_nodeName.View(); }
  void SetNodeName(const std::string& name) override { m_nodeName.Assign(name, m_arena); }
  // Makes the name point at `name` instead of holding a copy: `name` must outlive the element (a
  // literal, or data that outlives a writer's short-lived tree; see vxml_text.h).
  void BorrowName(std::string_view name) { m_nodeName.Borrow(name, m_arena); }
  // Destroys the children, then parses `text` as the new content; the element's own value is kept.
  void SetNodeValue(const std::string& text) override;
  std::string GetText() const override;
  CVXMLNode* CloneNode() const override { return new CVXMLElement(*this); }
  void AppendXml(std::string& out, const CVXMLOptions& options) const override { WriteXml(out, nullptr, options); }
  // AppendXml, handing the text to `sink` (when given) each time some hundreds of kilobytes are ready.
  void WriteXml(std::string& out, CVXMLSink* sink, const CVXMLOptions& options) const;

  // Attributes. Names compare byte for byte in XML mode and with ASCII letters folded in HTML mode
  // (the mode of `options`).
  int FindAttribute(std::string_view name, const CVXMLOptions& options = kXmlCompact) const;  // index or -1
  std::string GetAttribute(std::string_view name, const CVXMLOptions& options = kXmlCompact) const;  // "" when absent
  // A usable value (not empty, not exactly two double quotes) replaces the value of an existing
  // attribute through CVXMLAttribute::SetValue, or adds a new one through the attribute constructor;
  // an unusable value removes an existing attribute and never creates one.
  void SetAttribute(const std::string& name, const std::string& value, const CVXMLOptions& options = kXmlCompact);
  // SetAttribute in XML mode, but a new attribute points at `name` and `value` instead of holding
  // copies: both must outlive the element (literals, or data that outlives a short-lived tree; see
  // vxml_text.h).
  void SetAttributeBorrowing(std::string_view name, std::string_view value);
  const CVXMLAttributes& GetAttributes() const { return m_attributes ? m_attributes->list : NoAttributes(); }

  // Every descendant element whose name matches (as the mode of `options` compares names), in document
  // order (a match before its own descendants); all descendant elements when `name` is null. The list
  // points into the tree.
  CVXMLNodeList GetElementsByTagName(const char* name, const CVXMLOptions& options = kXmlCompact) const;
  CVXMLNodeList GetElementsByTagName(const std::string& name, const CVXMLOptions& options = kXmlCompact) const {
    return GetElementsByTagName(name.c_str(), options);
  }

  // "<name attributes>" (" />" in XML mode when there are no children); "" for an unnamed element.
  std::string GetStartTag(const CVXMLOptions& options = kXmlCompact) const;
  // "</name>" while the has-end-tag flag is 1 and the name is not empty; otherwise "".
  std::string GetEndTag() const;

  // Parsing (lenient; never reports an error). ParseElement builds this element from the markup of one
  // whole element; ParseStartTag reads name, flags and attributes; ParseAttributes scans attribute
  // text and appends what it finds as it stands (duplicates and empty values included).
  void ParseElement(std::string_view markup);
  void ParseStartTag(std::string_view markup);
  void ParseAttributes(std::string_view text);

  // 1 when the parsed start tag ended with "/". Kept and copied, not used by the writer.
  std::int8_t m_selfClosing = 0;
  // 1 when the parsed tag had the form <% ... %>. Kept and copied, not used by the writer.
  std::int8_t m_scriptTag = 0;
  // 1 unless the parsed element did not end with its own end tag; the writer writes the end tag only
  // while it is 1.
  std::int8_t m_hasEndTag = 1;

private:
  friend class CVXMLParser;
  struct CopyFlagsTag {};
  // Name, value, flags and attributes only.
  CVXMLElement(const CVXMLElement& other, CopyFlagsTag);
  void AppendStartTag(std::string& out, bool html) const;
  void AppendEndTag(std::string& out) const;
  // ParseStartTag and ParseAttributes; with `borrow` the name and attributes point into `markup`,
  // which is the loaded text of the element's document (vxml_text.h).
  void ReadStartTag(std::string_view markup, bool borrow);
  void ReadAttributes(std::string_view text, bool borrow);
  CVXMLAttributes& Attributes();
  static const CVXMLAttributes& NoAttributes();

  CVXMLText m_nodeName;
  // Made with the first attribute (most elements of a feed have none), in the element's arena.
  struct AttributeArray {
    explicit AttributeArray(CVXMLArena* arena) : list(CVXMLArenaAllocator<CVXMLAttribute>(arena)) {}
    CVXMLAttributes list;
  };
  // A new attribute at the end, empty, in the element's arena.
  CVXMLAttribute& AddAttribute();
  AttributeArray* m_attributes = nullptr;
};

// Calls visit(node) for every node below `root` in document order, a node before its children,
// without recursion, so that a deep tree cannot exhaust the stack. The walk stops when visit
// returns false.
template <class Visit>
void VisitDescendants(const CVXMLElement& root, Visit&& visit) {
  std::vector<std::pair<const CVXMLElement*, size_t>> stack{{&root, 0}};
  while (!stack.empty()) {
    auto& [element, next] = stack.back();
    const CVXMLNodeList& children = *element->GetChildNodes();
    if (next == children.size()) {
      stack.pop_back();
      continue;
    }
    CVXMLNode* child = children[next++];  // the tree's nodes, as the list holds them
    if (!visit(child)) return;
    if (child->GetNodeType() == kXmlElementNode) stack.emplace_back(static_cast<const CVXMLElement*>(child), 0);
  }
}
