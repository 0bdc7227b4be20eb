// An attribute: name and value, held by value in its element's attribute array.
#pragma once

#include <string>
#include <string_view>

#include "xml/vxml_node.h"

class CVXMLAttribute : public CVXMLNode {
public:
  CVXMLAttribute() = default;
  // Sets both, then strips every leading and trailing double quote from the value.
  CVXMLAttribute(std::string_view name, std::string_view value);
  CVXMLAttribute(const CVXMLAttribute& other) : CVXMLNode(other), m_nodeName(other.m_nodeName), m_nodeValue(other.m_nodeValue) {}
  // Name and value copied, children replaced by clones of the other's, links cleared.
  CVXMLAttribute& operator=(const CVXMLAttribute& other);
  CVXMLAttribute(CVXMLAttribute&& other) noexcept;
  CVXMLAttribute& operator=(CVXMLAttribute&& other) noexcept;

  int GetNodeType() const override { return kXmlAttributeNode; }
  std::string_view NodeName() const override { return m_nodeName.View(); }
  std::string_view NodeValue() const override { return m_nodeValue.View(); }
  void SetNodeName(const std::string& name) override { m_nodeName.Assign(name); }
  void SetNodeValue(const std::string& text) override { m_nodeValue.Assign(text); }
  // A new attribute from name and value through the constructor (double quotes stripped).
  CVXMLNode* CloneNode() const override { return new CVXMLAttribute(m_nodeName.View(), m_nodeValue.View()); }
  // The name, then ="value" only when the value is not empty.
  void AppendXml(std::string& out, const CVXMLOptions& options) const override;

  // Assigns, then strips all leading single quotes, all trailing single quotes, all leading double
  // quotes and all trailing double quotes, in that order.
  void SetValue(std::string_view value);
  // True when both name and value are empty.
  bool IsEmpty() const { return m_nodeName.empty() && m_nodeValue.empty(); }
  void Clear() {
    m_nodeName.clear();
    m_nodeValue.clear();
  }

  // Direct setters used by the attribute scanner.
  void SetName(std::string_view name) { m_nodeName.Assign(name); }

protected:
  void MakeOwnText() override {
    m_nodeName.MakeOwn();
    m_nodeValue.MakeOwn();
  }

private:
  friend class CVXMLElement;
  // The same, pointing into the loaded text of the document (vxml_text.h).
  void BorrowName(std::string_view name) { m_nodeName.Borrow(name); }
  void BorrowValue(std::string_view value);

  CVXMLText m_nodeName;
  CVXMLText m_nodeValue;
};
