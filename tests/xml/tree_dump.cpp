#include "tree_dump.h"

#include "xml/vxml.h"

std::string Dump(const CVXMLNode& node) {
  switch (node.GetNodeType()) {
    case kXmlTextNode: return "\"" + std::string(node.NodeValue()) + "\"";
    case kXmlCDATASectionNode: return "C\"" + std::string(node.NodeValue()) + "\"";
    case kXmlCommentNode: return "#\"" + std::string(node.NodeValue()) + "\"";
    default: break;
  }
  std::string out(node.NodeName());
  if (node.GetNodeType() == kXmlElementNode) {
    const auto& element = static_cast<const CVXMLElement&>(node);
    if (!element.GetAttributes().empty()) {
      out += "[";
      bool first = true;
      for (const CVXMLAttribute& a : element.GetAttributes()) {
        if (!first) out += " ";
        first = false;
        out.append(a.NodeName()).append("=").append(a.NodeValue());
      }
      out += "]";
    }
    if (element.m_selfClosing) out += "/";
    if (element.m_scriptTag) out += "%";
    if (!element.m_hasEndTag) out += "!";
  }
  if (node.HasChildNodes()) {
    out += "(";
    bool first = true;
    for (const CVXMLNode* child : *node.GetChildNodes()) {
      if (!first) out += ",";
      first = false;
      out += Dump(*child);
    }
    out += ")";
  }
  return out;
}

std::string LoadDump(const std::string& text, const CVXMLOptions& options) {
  CVXMLDocument doc(options);
  doc.LoadText(text);
  const CVXMLElement* root = doc.GetDocumentElement();
  return root ? Dump(*root) : std::string("(none)");
}
