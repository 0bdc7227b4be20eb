#include "xml/vxml_character_data.h"

CVXMLCharacterData::CVXMLCharacterData(const CVXMLCharacterData& other)
    : CVXMLNode(other), m_nodeValue(other.m_nodeValue) {
  if (other.m_renamed) m_renamed = std::make_unique<CVXMLText>(*other.m_renamed);
}

void CVXMLCharacterData::SetNodeName(const std::string& name) {
  m_renamed = std::make_unique<CVXMLText>(name);
}

void CVXMLCDATASection::AppendXml(std::string& out, const CVXMLOptions&) const {
  out += "<![CDATA[";
  out.append(m_nodeValue.View());
  out += "]]>";
}

void CVXMLComment::AppendXml(std::string& out, const CVXMLOptions&) const {
  out += "<!--";
  out.append(m_nodeValue.View());
  out += "-->";
}
