#include "xml/vxml_attribute.h"

namespace {

void StripAll(std::string_view& text, char quote) {
  while (!text.empty() && text.front() == quote) text.remove_prefix(1);
  while (!text.empty() && text.back() == quote) text.remove_suffix(1);
}

// SetValue's stripping: single quotes, then double quotes.
std::string_view StripQuotes(std::string_view value) {
  StripAll(value, '\'');
  StripAll(value, '"');
  return value;
}

}  // namespace

CVXMLAttribute::CVXMLAttribute(std::string_view name, std::string_view value) : m_nodeName(name) {
  StripAll(value, '"');
  m_nodeValue.Assign(value);
}

CVXMLAttribute& CVXMLAttribute::operator=(const CVXMLAttribute& other) {
  if (this == &other) return *this;
  m_nodeName = other.m_nodeName;
  m_nodeValue = other.m_nodeValue;
  CVXMLNode::operator=(other);
  return *this;
}

CVXMLAttribute::CVXMLAttribute(CVXMLAttribute&& other) noexcept : CVXMLNode() {
  m_nodeName = std::move(other.m_nodeName);
  m_nodeValue = std::move(other.m_nodeValue);
  if (other.HasChildNodes()) CloneChildrenFrom(other);
}

CVXMLAttribute& CVXMLAttribute::operator=(CVXMLAttribute&& other) noexcept {
  if (this == &other) return *this;
  m_nodeName = std::move(other.m_nodeName);
  m_nodeValue = std::move(other.m_nodeValue);
  DeleteChildren();
  if (other.HasChildNodes()) CloneChildrenFrom(other);
  return *this;
}

void CVXMLAttribute::SetValue(std::string_view value) { m_nodeValue.Assign(StripQuotes(value)); }

void CVXMLAttribute::BorrowValue(std::string_view value) { m_nodeValue.Borrow(StripQuotes(value)); }

void CVXMLAttribute::AppendXml(std::string& out, const CVXMLOptions&) const {
  out.append(m_nodeName.View());
  if (m_nodeValue.empty()) return;
  out += "=\"";
  out.append(m_nodeValue.View());
  out += '"';
}
