// An ordered list of node pointers. A list never owns the nodes it points to: destroying or emptying
// it frees only the list itself. The one exception is DeleteAllNodes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml/vxml_arena.h"
#include "xml/vxml_options.h"

class CVXMLNode;

class CVXMLNodeList {
public:
  using Nodes = std::vector<CVXMLNode*, CVXMLArenaAllocator<CVXMLNode*>>;

  CVXMLNodeList() = default;
  // A node's child list, in the node's arena (the heap when null).
  explicit CVXMLNodeList(CVXMLArena* arena) : m_nodes(CVXMLArenaAllocator<CVXMLNode*>(arena)) {}
  // A new list with the same pointers (shallow), on the heap.
  CVXMLNodeList(const CVXMLNodeList&) = default;
  CVXMLNodeList& operator=(const CVXMLNodeList&) = default;
  CVXMLNodeList(CVXMLNodeList&&) noexcept = default;
  CVXMLNodeList& operator=(CVXMLNodeList&&) noexcept = default;

  int GetCount() const { return static_cast<int>(m_nodes.size()); }
  // The node at `index`, or null when `index` is negative or not below the count.
  CVXMLNode* Item(int index) const;
  // The position of `node` in the list, or -1.
  int FindNode(const CVXMLNode* node) const;
  void AddTail(CVXMLNode* node) { m_nodes.push_back(node); }
  // Adds every pointer of `other`, in order, at the end.
  void AppendList(const CVXMLNodeList& other);
  // A new list (the caller owns it and the clones in it) holding CloneNode() of every entry.
  CVXMLNodeList* CloneAll() const;
  // Deletes every node in the list, then empties it.
  void DeleteAllNodes();
  // Forgets every pointer without deleting anything.
  void RemoveAll() { m_nodes.clear(); }
  // Removes the entry at `index` (the node is not deleted).
  void RemoveAt(int index);

  // Parses `text` as element content. The new nodes are appended to `parent` with AppendChild when it
  // is given (the parent owns them); otherwise they are added to this list, and the caller owns them
  // (DeleteAllNodes frees them). False when an unterminated comment or CDATA section cut the content
  // short; everything before it is kept.
  bool ParseContent(std::string_view text, CVXMLNode* parent = nullptr);

  // The markup of every entry, written with `options`, in order, with nothing between them.
  std::string GetXml(const CVXMLOptions& options = kXmlCompact) const;

  // Direct access for iteration.
  Nodes::const_iterator begin() const { return m_nodes.begin(); }
  Nodes::const_iterator end() const { return m_nodes.end(); }
  CVXMLNode* operator[](size_t index) const { return m_nodes[index]; }
  size_t size() const { return m_nodes.size(); }
  bool empty() const { return m_nodes.empty(); }

private:
  friend class CVXMLNode;
  Nodes m_nodes;
};
