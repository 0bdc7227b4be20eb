#include "xml/vxml_node.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define VXML_NODE_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define VXML_NODE_POOL 0
#endif
#endif
#ifndef VXML_NODE_POOL
#define VXML_NODE_POOL 1
#endif

// Free lists of node-sized blocks in 16-byte classes, carved from 64 KB slabs. Slabs are kept for reuse
// for the life of the process (nodes may outlive any owner of the pool, e.g. in static objects).
class CNodePool {
public:
  static constexpr size_t kGranule = 16;
  static constexpr size_t kClasses = 16;  // blocks up to 256 bytes
  static constexpr size_t kSlabSize = 64 * 1024;

  void* Allocate(size_t size) {
    size_t cls = (size + kGranule - 1) / kGranule - 1;
    if (cls >= kClasses) return ::operator new(size);
    if (Block* block = m_free[cls]) {
      m_free[cls] = block->next;
      return block;
    }
    size_t bytes = (cls + 1) * kGranule;
    if (m_left < bytes) {
      void* slab = std::malloc(kSlabSize);
      if (!slab) throw std::bad_alloc();
      m_cursor = static_cast<char*>(slab);
      m_left = kSlabSize;
    }
    void* block = m_cursor;
    m_cursor += bytes;
    m_left -= bytes;
    return block;
  }

  void Free(void* pointer, size_t size) {
    size_t cls = (size + kGranule - 1) / kGranule - 1;
    if (cls >= kClasses) {
      ::operator delete(pointer);
      return;
    }
    auto* block = static_cast<Block*>(pointer);
    block->next = m_free[cls];
    m_free[cls] = block;
  }

private:
  struct Block {
    Block* next;
  };
  Block* m_free[kClasses] = {};
  char* m_cursor = nullptr;
  size_t m_left = 0;
};

#if VXML_NODE_POOL
CNodePool& Pool() {
  thread_local CNodePool* pool = new CNodePool;  // never destroyed: see above
  return *pool;
}
#endif

}  // namespace

void* CVXMLNode::operator new(size_t size) {
#if VXML_NODE_POOL
  return Pool().Allocate(size);
#else
  return ::operator new(size);
#endif
}

void CVXMLNode::operator delete(void* pointer, size_t size) noexcept {
#if VXML_NODE_POOL
  Pool().Free(pointer, size);
#else
  (void)size;
  ::operator delete(pointer);
#endif
}

CVXMLNode::CVXMLNode(const CVXMLNode& other) : m_nodeName(other.m_nodeName), m_nodeValue(other.m_nodeValue) {
  CloneChildrenFrom(other);
}

CVXMLNode& CVXMLNode::operator=(const CVXMLNode& other) {
  if (this == &other) return *this;
  m_nodeName = other.m_nodeName;
  m_nodeValue = other.m_nodeValue;
  DeleteChildren();
  CloneChildrenFrom(other);
  m_previousSibling = m_nextSibling = nullptr;
  m_parent = nullptr;
  return *this;
}

CVXMLNode::~CVXMLNode() {
  if (m_parent) m_parent->Detach(this);
  DeleteChildren();
}

void CVXMLNode::DeleteChildren() {
  // Iterative: each node's children are taken over before it is deleted, so its destructor has nothing
  // left to recurse into, whatever the depth of the tree.
  if (m_childNodes.empty()) return;
  std::vector<CVXMLNode*> pending;
  pending.swap(m_childNodes.m_nodes);
  while (!pending.empty()) {
    CVXMLNode* node = pending.back();
    pending.pop_back();
    node->m_parent = nullptr;
    std::vector<CVXMLNode*>& children = node->m_childNodes.m_nodes;
    if (!children.empty()) {
      pending.insert(pending.end(), children.begin(), children.end());
      children.clear();
    }
    delete node;
  }
}

void CVXMLNode::CloneChildrenFrom(const CVXMLNode& other) {
  for (const CVXMLNode* child : other.m_childNodes) AppendChild(child->CloneNode());
}

void CVXMLNode::Detach(CVXMLNode* node) {
  auto& nodes = m_childNodes.m_nodes;
  // Search from the end: the node moved or deleted is most often a recent child.
  auto it = std::find(nodes.rbegin(), nodes.rend(), node);
  if (it != nodes.rend()) nodes.erase(std::next(it).base());
  if (node->m_previousSibling) node->m_previousSibling->m_nextSibling = node->m_nextSibling;
  if (node->m_nextSibling) node->m_nextSibling->m_previousSibling = node->m_previousSibling;
  node->m_previousSibling = node->m_nextSibling = nullptr;
  node->m_parent = nullptr;
}

CVXMLNode* CVXMLNode::AppendChild(CVXMLNode* node) {
  if (!node || node == this) return node;
  if (node->m_parent) node->m_parent->Detach(node);
  node->m_parent = this;
  CVXMLNode* last = GetLastChild();
  node->m_previousSibling = last;
  node->m_nextSibling = nullptr;
  if (last) last->m_nextSibling = node;
  m_childNodes.m_nodes.push_back(node);
  return node;
}

void CVXMLNode::SetNodeName(const std::string& name) { m_nodeName = name; }
std::string CVXMLNode::GetNodeName() const { return m_nodeName; }
std::string CVXMLNode::GetNodeValue() const { return m_nodeValue; }
bool CVXMLNode::HasChildNodes() const { return !m_childNodes.empty(); }
void CVXMLNode::SetNodeValue(const std::string& text) { m_nodeValue = text; }
std::string CVXMLNode::GetText() const { return m_nodeValue; }

std::string CVXMLNode::GetXml() const {
  std::string out;
  AppendXml(out);
  return out;
}

void CVXMLNode::AppendXml(std::string&) const {}
