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
  ~CVXMLAttribute() override;
  // A copy on the heap: name and value copied, children cloned, links cleared.
  CVXMLAttribute(const CVXMLAttribute& other);
  // Name and value copied, children replaced by clones of the other's, links cleared.
  CVXMLAttribute& operator=(const CVXMLAttribute& other);
  // Moves stay in the arena the attribute came from (its element's).
  CVXMLAttribute(CVXMLAttribute&& other) noexcept;
  CVXMLAttribute& operator=(CVXMLAttribute&& other) noexcept;

  int GetNodeType() const override { return kXmlAttributeNode; }
  std::string_view NodeName() const override { return m_nodeName.View(); }
  std::string_view NodeValue() const override { return m_nodeValue.View(); }
  void SetNodeName(const std::string& name) override { m_nodeName.Assign(name, m_arena); }
  void SetNodeValue(const std::string& text) override { m_nodeValue.Assign(text, m_arena); }
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
    m_nodeName.Release(m_arena);
    m_nodeValue.Release(m_arena);
  }

  // Direct setters used by the attribute scanner.
  void SetName(std::string_view name) { m_nodeName.Assign(name, m_arena); }

private:
  friend class CVXMLElement;
  // An empty attribute of an element in `arena`.
  explicit CVXMLAttribute(CVXMLArena* arena) { m_arena = arena; }
  // The same, pointing at text that outlives the attribute (the loaded text of the document; see
  // vxml_text.h).
  void BorrowName(std::string_view name) { m_nodeName.Borrow(name, m_arena); }
  void BorrowValue(std::string_view value);
  // Takes name and value from `other`, which belongs to the same arena, and clones its children.
  void TakeFrom(CVXMLAttribute& other) noexcept;

  CVXMLText m_nodeName;
  CVXMLText m_nodeValue;
};
