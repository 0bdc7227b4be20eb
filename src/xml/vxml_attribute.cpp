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

CVXMLAttribute::CVXMLAttribute(std::string_view name, std::string_view value) {
  m_nodeName.Assign(name, nullptr);
  StripAll(value, '"');
  m_nodeValue.Assign(value, nullptr);
}

CVXMLAttribute::~CVXMLAttribute() { Clear(); }

CVXMLAttribute::CVXMLAttribute(const CVXMLAttribute& other) : CVXMLNode(other) {
  m_nodeName.Assign(other.m_nodeName.View(), nullptr);
  m_nodeValue.Assign(other.m_nodeValue.View(), nullptr);
}

CVXMLAttribute& CVXMLAttribute::operator=(const CVXMLAttribute& other) {
  if (this == &other) return *this;
  m_nodeName.Assign(other.m_nodeName.View(), m_arena);
  m_nodeValue.Assign(other.m_nodeValue.View(), m_arena);
  CVXMLNode::operator=(other);
  return *this;
}

CVXMLAttribute::CVXMLAttribute(CVXMLAttribute&& other) noexcept : CVXMLNode() {
  m_arena = other.m_arena;
  TakeFrom(other);
}

CVXMLAttribute& CVXMLAttribute::operator=(CVXMLAttribute&& other) noexcept {
  if (this == &other) return *this;
  Clear();
  DeleteChildren();
  DeleteChildList();
  m_arena = other.m_arena;
  TakeFrom(other);
  return *this;
}

void CVXMLAttribute::TakeFrom(CVXMLAttribute& other) noexcept {
  m_nodeName = std::move(other.m_nodeName);
  m_nodeValue = std::move(other.m_nodeValue);
  if (other.HasChildNodes()) CloneChildrenFrom(other);
}

void CVXMLAttribute::SetValue(std::string_view value) { m_nodeValue.Assign(StripQuotes(value), m_arena); }

void CVXMLAttribute::BorrowValue(std::string_view value) { m_nodeValue.Borrow(StripQuotes(value), m_arena); }

void CVXMLAttribute::AppendXml(std::string& out, const CVXMLOptions&) const {
  out.append(m_nodeName.View());
  if (m_nodeValue.empty()) return;
  out += "=\"";
  out.append(m_nodeValue.View());
  out += '"';
}
