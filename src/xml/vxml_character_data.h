// Character data nodes: text, CDATA sections and comments. Their value is stored and written exactly
// as given; their names are the shared constants of their class.
#pragma once

#include <string>
#include <string_view>

#include "xml/vxml_node.h"

class CVXMLCharacterData : public CVXMLNode {
protected:
  // The name is a constant that lives as long as the program.
  CVXMLCharacterData(std::string_view constantName, std::string_view value) : CVXMLNode({}, value) {
    m_nodeName.Borrow(constantName);
  }
  CVXMLCharacterData(const CVXMLCharacterData&) = default;
  // The name is a constant or held already; only the value may point into a document.
  void MakeOwnText() override { m_nodeValue.MakeOwn(); }
};

// Text: written as its value, unchanged. Name "#text".
class CVXMLTextNode : public CVXMLCharacterData {
public:
  explicit CVXMLTextNode(std::string_view text = std::string_view()) : CVXMLCharacterData(kName, text) {}
  int GetNodeType() const override { return kXmlTextNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLTextNode(m_nodeValue.View()); }
  std::string GetXml() const override { return m_nodeValue.Str(); }
  void AppendXml(std::string& out) const override { out.append(m_nodeValue.View()); }

  // A text node that points at `text` instead of holding a copy, for a writer that builds a short-lived
  // tree from data that outlives it: `text` must outlive the node (see vxml_text.h).
  static CVXMLTextNode* Borrowing(std::string_view text) {
    auto* node = new CVXMLTextNode;
    node->m_nodeValue.Borrow(text);
    return node;
  }

  static constexpr const char* kName = "#text";

protected:
  CVXMLTextNode(std::string_view constantName, std::string_view text) : CVXMLCharacterData(constantName, text) {}
};

// A CDATA section: written as "<![CDATA[" value "]]>". Name "#cdata-section".
class CVXMLCDATASection : public CVXMLTextNode {
public:
  explicit CVXMLCDATASection(std::string_view text = std::string_view()) : CVXMLTextNode(kName, text) {}
  int GetNodeType() const override { return kXmlCDATASectionNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLCDATASection(m_nodeValue.View()); }
  std::string GetXml() const override;
  void AppendXml(std::string& out) const override;

  // A CDATA section that points at `text` instead of holding a copy (as CVXMLTextNode::Borrowing).
  static CVXMLCDATASection* Borrowing(std::string_view text) {
    auto* node = new CVXMLCDATASection;
    node->m_nodeValue.Borrow(text);
    return node;
  }

  static constexpr const char* kName = "#cdata-section";
};

// A comment: written as "<!--" value "-->"; contributes nothing to GetText. Name "#comment".
class CVXMLComment : public CVXMLCharacterData {
public:
  explicit CVXMLComment(std::string_view text = std::string_view()) : CVXMLCharacterData(kName, text) {}
  int GetNodeType() const override { return kXmlCommentNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLComment(m_nodeValue.View()); }
  std::string GetText() const override { return std::string(); }
  std::string GetXml() const override;
  void AppendXml(std::string& out) const override;

  static constexpr const char* kName = "#comment";
};
