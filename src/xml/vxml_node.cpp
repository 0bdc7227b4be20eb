#include "xml/vxml_node.h"

#include <algorithm>
#include <vector>

CVXMLNode::CVXMLNode(const CVXMLNode& other) { CloneChildrenFrom(other); }

CVXMLNode& CVXMLNode::operator=(const CVXMLNode& other) {
  if (this == &other) return *this;
  DeleteChildren();
  CloneChildrenFrom(other);
  if (m_parent) m_parent->Detach(this);
  return *this;
}

namespace {

// The arena of the node whose destructor ran last: operator delete, which follows at once for a node
// made with new or by a document, gives the memory back there. (The destructor is the last place
// where the node can be read.)
thread_local CVXMLArena* t_deletedFrom = nullptr;

}  // namespace

CVXMLNode::~CVXMLNode() {
  if (m_parent) m_parent->Detach(this);
  DeleteChildren();
  DeleteChildList();
  t_deletedFrom = m_arena;
}

void* CVXMLNode::operator new(size_t size) { return VXMLAllocate(nullptr, size); }

void CVXMLNode::operator delete(void* pointer, size_t size) noexcept {
  CVXMLArena* arena = t_deletedFrom;
  t_deletedFrom = nullptr;
  VXMLFree(arena, pointer, size);
}

void CVXMLNode::DeleteChildList() noexcept {
  if (!m_childNodes) return;
  m_childNodes->~CVXMLNodeList();
  VXMLFree(m_arena, m_childNodes, sizeof(CVXMLNodeList));
  m_childNodes = nullptr;
}

const CVXMLNodeList& CVXMLNode::EmptyList() {
  static const CVXMLNodeList empty;
  return empty;
}

CVXMLNodeList* CVXMLNode::GetChildNodes() {
  if (!m_childNodes) m_childNodes = ::new (VXMLAllocate(m_arena, sizeof(CVXMLNodeList))) CVXMLNodeList(m_arena);
  return m_childNodes;
}

bool CVXMLNode::HasChildNodes() const { return m_childNodes && !m_childNodes->empty(); }

void CVXMLNode::DeleteChildren() {
  // Iterative: each node's children are taken over before it is deleted, so its destructor has nothing
  // left to recurse into, whatever the depth of the tree.
  if (!HasChildNodes()) return;
  std::vector<CVXMLNode*> pending(m_childNodes->m_nodes.begin(), m_childNodes->m_nodes.end());
  m_childNodes->m_nodes.clear();
  while (!pending.empty()) {
    CVXMLNode* node = pending.back();
    pending.pop_back();
    node->m_parent = nullptr;
    if (node->HasChildNodes()) {
      CVXMLNodeList::Nodes& children = node->m_childNodes->m_nodes;
      pending.insert(pending.end(), children.begin(), children.end());
      children.clear();
    }
    delete node;
  }
}

void CVXMLNode::CloneChildrenFrom(const CVXMLNode& other) {
  for (const CVXMLNode* child : *other.GetChildNodes()) AddNewChild(child->CloneNode());
}

void CVXMLNode::Detach(CVXMLNode* node) {
  if (m_childNodes) {
    auto& nodes = m_childNodes->m_nodes;
    // Search from the end: the node moved or deleted is most often a recent child.
    auto it = std::find(nodes.rbegin(), nodes.rend(), node);
    if (it != nodes.rend()) nodes.erase(std::next(it).base());
  }
  node->m_parent = nullptr;
}

void CVXMLNode::AddNewChild(CVXMLNode* node) {
  node->m_parent = this;
  CVXMLNodeList::Nodes& nodes = GetChildNodes()->m_nodes;
  // Most elements have one child (their text); one with a second has more as a rule (a feed item):
  // room for eight then saves the reallocations in between.
  if (nodes.size() == 1 && nodes.capacity() == 1) nodes.reserve(8);
  nodes.push_back(node);
}

CVXMLNode* CVXMLNode::AppendChild(CVXMLNode* node) {
  if (!node || node == this) return node;
  if (node->m_arena && node->m_arena != m_arena) return nullptr;  // it cannot leave its document
  if (node->m_parent) node->m_parent->Detach(node);
  AddNewChild(node);
  return node;
}

CVXMLNode* CVXMLNode::GetPreviousSibling() const {
  if (!m_parent) return nullptr;
  const CVXMLNodeList& siblings = *m_parent->GetChildNodes();
  int index = siblings.FindNode(this);
  return index > 0 ? siblings.Item(index - 1) : nullptr;
}

CVXMLNode* CVXMLNode::GetNextSibling() const {
  if (!m_parent) return nullptr;
  const CVXMLNodeList& siblings = *m_parent->GetChildNodes();
  int index = siblings.FindNode(this);
  return index >= 0 ? siblings.Item(index + 1) : nullptr;
}

std::string CVXMLNode::GetNodeName() const { return std::string(NodeName()); }
std::string CVXMLNode::GetNodeValue() const { return std::string(NodeValue()); }
void CVXMLNode::SetNodeValue(const std::string&) {}
std::string CVXMLNode::GetText() const { return std::string(NodeValue()); }

std::string CVXMLNode::GetXml(const CVXMLOptions& options) const {
  std::string out;
  AppendXml(out, options);
  return out;
}

void CVXMLNode::AppendXml(std::string&, const CVXMLOptions&) const {}
