// Character data nodes: text, CDATA sections and comments. Their value is stored and written exactly
// as given; their names are the shared constants of their class.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "xml/vxml_node.h"

class CVXMLCharacterData : public CVXMLNode {
public:
  // The fixed name of the class, or the name SetNodeName gave.
  std::string_view NodeName() const override { return m_renamed ? m_renamed->View() : FixedName(); }
  std::string_view NodeValue() const override { return m_nodeValue.View(); }
  void SetNodeName(const std::string& name) override;
  void SetNodeValue(const std::string& text) override { m_nodeValue.Assign(text); }

protected:
  explicit CVXMLCharacterData(std::string_view value) : m_nodeValue(value) {}
  CVXMLCharacterData(const CVXMLCharacterData& other);
  virtual std::string_view FixedName() const = 0;
  // Only the value may point into a document (a new name is held).
  void MakeOwnText() override { m_nodeValue.MakeOwn(); }

  CVXMLText m_nodeValue;
  std::unique_ptr<CVXMLText> m_renamed;  // only after SetNodeName, which nothing in the program calls

private:
  friend class CVXMLParser;
  friend class CVXMLElement;
};

// Text: written as its value, unchanged. Name "#text".
class CVXMLTextNode : public CVXMLCharacterData {
public:
  explicit CVXMLTextNode(std::string_view text = std::string_view()) : CVXMLCharacterData(text) {}
  int GetNodeType() const override { return kXmlTextNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLTextNode(m_nodeValue.View()); }
  void AppendXml(std::string& out, const CVXMLOptions&) const override { out.append(m_nodeValue.View()); }

  // A text node that points at `text` instead of holding a copy, for a writer that builds a short-lived
  // tree from data that outlives it: `text` must outlive the node (see vxml_text.h).
  static CVXMLTextNode* Borrowing(std::string_view text) {
    auto* node = new CVXMLTextNode;
    node->m_nodeValue.Borrow(text);
    return node;
  }

  static constexpr const char* kName = "#text";

protected:
  std::string_view FixedName() const override { return kName; }
};

// A CDATA section: written as "<![CDATA[" value "]]>". Name "#cdata-section".
class CVXMLCDATASection : public CVXMLTextNode {
public:
  explicit CVXMLCDATASection(std::string_view text = std::string_view()) : CVXMLTextNode(text) {}
  int GetNodeType() const override { return kXmlCDATASectionNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLCDATASection(m_nodeValue.View()); }
  void AppendXml(std::string& out, const CVXMLOptions& options) const override;

  // A CDATA section that points at `text` instead of holding a copy (as CVXMLTextNode::Borrowing).
  static CVXMLCDATASection* Borrowing(std::string_view text) {
    auto* node = new CVXMLCDATASection;
    node->m_nodeValue.Borrow(text);
    return node;
  }

  static constexpr const char* kName = "#cdata-section";

protected:
  std::string_view FixedName() const override { return kName; }
};

// A comment: written as "<!--" value "-->"; contributes nothing to GetText. Name "#comment".
class CVXMLComment : public CVXMLCharacterData {
public:
  explicit CVXMLComment(std::string_view text = std::string_view()) : CVXMLCharacterData(text) {}
  int GetNodeType() const override { return kXmlCommentNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLComment(m_nodeValue.View()); }
  std::string GetText() const override { return std::string(); }
  void AppendXml(std::string& out, const CVXMLOptions& options) const override;

  static constexpr const char* kName = "#comment";

protected:
  std::string_view FixedName() const override { return kName; }
};
