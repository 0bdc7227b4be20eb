#include "xml/vxml_character_data.h"

std::string CVXMLCDATASection::GetXml() const {
  std::string out;
  AppendXml(out);
  return out;
}

void CVXMLCDATASection::AppendXml(std::string& out) const {
  out += "<![CDATA[";
  out.append(m_nodeValue.View());
  out += "]]>";
}

std::string CVXMLComment::GetXml() const {
  std::string out;
  AppendXml(out);
  return out;
}

void CVXMLComment::AppendXml(std::string& out) const {
  out += "<!--";
  out.append(m_nodeValue.View());
  out += "-->";
}
