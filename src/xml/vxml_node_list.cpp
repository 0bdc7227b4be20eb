#include "xml/vxml_node_list.h"

#include "xml/vxml_node.h"
#include "xml/vxml_parser.h"

CVXMLNode* CVXMLNodeList::Item(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_nodes.size()) return nullptr;
  return m_nodes[static_cast<size_t>(index)];
}

int CVXMLNodeList::FindNode(const CVXMLNode* node) const {
  for (size_t i = 0; i < m_nodes.size(); ++i) {
    if (m_nodes[i] == node) return static_cast<int>(i);
  }
  return -1;
}

void CVXMLNodeList::AppendList(const CVXMLNodeList& other) {
  m_nodes.insert(m_nodes.end(), other.m_nodes.begin(), other.m_nodes.end());
}

CVXMLNodeList* CVXMLNodeList::CloneAll() const {
  auto* copy = new CVXMLNodeList;
  copy->m_nodes.reserve(m_nodes.size());
  for (const CVXMLNode* node : m_nodes) copy->m_nodes.push_back(node->CloneNode());
  return copy;
}

void CVXMLNodeList::DeleteAllNodes() {
  Nodes nodes;
  nodes.swap(m_nodes);
  for (CVXMLNode* node : nodes) delete node;
}

void CVXMLNodeList::RemoveAt(int index) {
  if (index >= 0 && static_cast<size_t>(index) < m_nodes.size()) m_nodes.erase(m_nodes.begin() + index);
}

bool CVXMLNodeList::ParseContent(std::string_view text, CVXMLNode* parent) {
  CVXMLParser parser(text);
  return parser.ParseContent(parent, parent ? nullptr : this);
}

std::string CVXMLNodeList::GetXml(const CVXMLOptions& options) const {
  std::string out;
  for (const CVXMLNode* node : m_nodes) node->AppendXml(out, options);
  return out;
}
