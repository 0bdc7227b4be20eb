#include "xml/vxml_attribute.h"

namespace {

void StripAll(std::string_view& text, char quote) {
  while (!text.empty() && text.front() == quote) text.remove_prefix(1);
  while (!text.empty() && text.back() == quote) text.remove_suffix(1);
}

}  // namespace

CVXMLAttribute::CVXMLAttribute(const std::string& name, const std::string& value) : CVXMLNode(name, std::string()) {
  std::string_view v = value;
  StripAll(v, '"');
  m_nodeValue.assign(v.data(), v.size());
}

CVXMLAttribute& CVXMLAttribute::operator=(const CVXMLAttribute& other) {
  CVXMLNode::operator=(other);
  return *this;
}

CVXMLAttribute::CVXMLAttribute(CVXMLAttribute&& other) noexcept : CVXMLNode() {
  m_nodeName.swap(other.m_nodeName);
  m_nodeValue.swap(other.m_nodeValue);
  if (!other.m_childNodes.empty()) CloneChildrenFrom(other);
}

CVXMLAttribute& CVXMLAttribute::operator=(CVXMLAttribute&& other) noexcept {
  if (this == &other) return *this;
  m_nodeName.swap(other.m_nodeName);
  m_nodeValue.swap(other.m_nodeValue);
  DeleteChildren();
  if (!other.m_childNodes.empty()) CloneChildrenFrom(other);
  return *this;
}

void CVXMLAttribute::SetValue(std::string_view value) {
  StripAll(value, '\'');
  StripAll(value, '"');
  m_nodeValue.assign(value.data(), value.size());
}

std::string CVXMLAttribute::GetXml() const {
  std::string out;
  AppendXml(out);
  return out;
}

void CVXMLAttribute::AppendXml(std::string& out) const {
  out += m_nodeName;
  if (m_nodeValue.empty()) return;
  out += "=\"";
  out += m_nodeValue;
  out += '"';
}
