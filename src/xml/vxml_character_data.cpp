#include "xml/vxml_character_data.h"

CVXMLCharacterData::CVXMLCharacterData(const CVXMLCharacterData& other) : CVXMLNode(other) {
  m_nodeValue.Assign(other.m_nodeValue.View(), nullptr);
  if (other.m_renamed) m_renamed = std::make_unique<std::string>(*other.m_renamed);
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
