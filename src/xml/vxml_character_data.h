// Character data nodes: text, CDATA sections and comments. Their value is stored and written exactly
// as given; their names are the shared constants of their class.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "xml/vxml_node.h"

class CVXMLCharacterData : public CVXMLNode {
public:
  ~CVXMLCharacterData() override;
  // The fixed name of the class, or the name SetNodeName gave.
  std::string_view NodeName() const override { return m_nodeValue.Marked() ? RenamedName() : FixedName(); }
  std::string_view NodeValue() const override { return m_nodeValue.View(); }
  void SetNodeName(const std::string& name) override;
  void SetNodeValue(const std::string& text) override { m_nodeValue.Assign(text, m_arena); }
  // SetNodeValue without a string to make.
  void AssignValue(std::string_view text) { m_nodeValue.Assign(text, m_arena); }
  // Makes the value point at `text` instead of holding a copy: `text` must outlive the node (a
  // writer's tree built from data that outlives it; see vxml_text.h).
  void BorrowValue(std::string_view text) { m_nodeValue.Borrow(text, m_arena); }

protected:
  CVXMLCharacterData() = default;
  explicit CVXMLCharacterData(std::string_view value) { m_nodeValue.Assign(value, nullptr); }
  // A copy on the heap.
  CVXMLCharacterData(const CVXMLCharacterData& other);
  virtual std::string_view FixedName() const = 0;

  // The value; its mark says that SetNodeName gave the node a name of its own. Nothing in the program
  // renames character data, so such names are kept beside the nodes rather than in every one of them.
  CVXMLText m_nodeValue;

private:
  friend class CVXMLParser;
  friend class CVXMLElement;
  std::string_view RenamedName() const;
};

// Text: written as its value, unchanged. Name "#text".
class CVXMLTextNode : public CVXMLCharacterData {
public:
  CVXMLTextNode() = default;
  explicit CVXMLTextNode(std::string_view text) : CVXMLCharacterData(text) {}
  int GetNodeType() const override { return kXmlTextNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLTextNode(m_nodeValue.View()); }
  void AppendXml(std::string& out, const CVXMLOptions&) const override { out.append(m_nodeValue.View()); }

  static constexpr const char* kName = "#text";

protected:
  std::string_view FixedName() const override { return kName; }
};

// A CDATA section: written as "<![CDATA[" value "]]>". Name "#cdata-section".
class CVXMLCDATASection : public CVXMLTextNode {
public:
  CVXMLCDATASection() = default;
  explicit CVXMLCDATASection(std::string_view text) : CVXMLTextNode(text) {}
  int GetNodeType() const override { return kXmlCDATASectionNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLCDATASection(m_nodeValue.View()); }
  void AppendXml(std::string& out, const CVXMLOptions& options) const override;

  static constexpr const char* kName = "#cdata-section";

protected:
  std::string_view FixedName() const override { return kName; }
};

// A comment: written as "<!--" value "-->"; contributes nothing to GetText. Name "#comment".
class CVXMLComment : public CVXMLCharacterData {
public:
  CVXMLComment() = default;
  explicit CVXMLComment(std::string_view text) : CVXMLCharacterData(text) {}
  int GetNodeType() const override { return kXmlCommentNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLComment(m_nodeValue.View()); }
  std::string GetText() const override { return std::string(); }
  void AppendXml(std::string& out, const CVXMLOptions& options) const override;

  static constexpr const char* kName = "#comment";

protected:
  std::string_view FixedName() const override { return kName; }
};
