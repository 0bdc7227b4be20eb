// Character data nodes: text, CDATA sections and comments. Their value is stored and written exactly
// as given.
#pragma once

#include <string>

#include "xml/vxml_node.h"

class CVXMLCharacterData : public CVXMLNode {
protected:
  CVXMLCharacterData(std::string name, std::string value) : CVXMLNode(std::move(name), std::move(value)) {}
  CVXMLCharacterData(const CVXMLCharacterData&) = default;
};

// Text: written as its value, unchanged. Name "#text".
class CVXMLTextNode : public CVXMLCharacterData {
public:
  explicit CVXMLTextNode(std::string text = std::string()) : CVXMLCharacterData(kName, std::move(text)) {}
  int GetNodeType() const override { return kXmlTextNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLTextNode(m_nodeValue); }
  std::string GetXml() const override { return m_nodeValue; }
  void AppendXml(std::string& out) const override { out += m_nodeValue; }

  static constexpr const char* kName = "#text";

protected:
  CVXMLTextNode(std::string name, std::string text) : CVXMLCharacterData(std::move(name), std::move(text)) {}
};

// A CDATA section: written as "<![CDATA[" value "]]>". Name "#cdata-section".
class CVXMLCDATASection : public CVXMLTextNode {
public:
  explicit CVXMLCDATASection(std::string text = std::string()) : CVXMLTextNode(kName, std::move(text)) {}
  int GetNodeType() const override { return kXmlCDATASectionNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLCDATASection(m_nodeValue); }
  std::string GetXml() const override;
  void AppendXml(std::string& out) const override;

  static constexpr const char* kName = "#cdata-section";
};

// A comment: written as "<!--" value "-->"; contributes nothing to GetText. Name "#comment".
class CVXMLComment : public CVXMLCharacterData {
public:
  explicit CVXMLComment(std::string text = std::string()) : CVXMLCharacterData(kName, std::move(text)) {}
  int GetNodeType() const override { return kXmlCommentNode; }
  CVXMLNode* CloneNode() const override { return new CVXMLComment(m_nodeValue); }
  std::string GetText() const override { return std::string(); }
  std::string GetXml() const override;
  void AppendXml(std::string& out) const override;

  static constexpr const char* kName = "#comment";
};
