// The node tree of the XML library: the abstract node with its children and links.
//
// Text is internal text (code page 932) throughout and is stored exactly as given: the library never
// escapes or unescapes anything. A node owns the nodes in its child list; node lists returned by
// value (GetElementsByTagName) only point into the tree.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xml/vxml_node_list.h"

// Node type numbers.
enum : int {
  kXmlElementNode = 1,
  kXmlAttributeNode = 2,
  kXmlTextNode = 3,
  kXmlCDATASectionNode = 4,
  kXmlCommentNode = 8,
  kXmlDocumentNode = 9,
};

class CVXMLNode {
public:
  // Deletes the whole subtree (iteratively, so any depth is safe). A node that is still in a parent's
  // child list takes itself out of it first.
  virtual ~CVXMLNode();

  // 1 element, 2 attribute, 3 text, 4 CDATA section, 8 comment, 9 document.
  virtual int GetNodeType() const = 0;
  virtual void SetNodeName(const std::string& name);
  virtual std::string GetNodeName() const;
  virtual std::string GetNodeValue() const;
  virtual bool HasChildNodes() const;
  // Replaces the node value; an element instead parses `text` as its new content.
  virtual void SetNodeValue(const std::string& text);
  // The text of the node: an element concatenates its descendants' text and CDATA, a comment gives
  // nothing, every other node its value. No reference is decoded.
  virtual std::string GetText() const;
  // A copy that the caller owns; an element is copied deeply.
  virtual CVXMLNode* CloneNode() const = 0;
  // The node as markup (see the writer); empty for the abstract classes.
  virtual std::string GetXml() const;

  // Makes `node` the last child and takes ownership of it. A node already in this list moves to the
  // end; a node still in another node's list is taken out of it first, so it is never owned twice.
  // Returns `node`.
  CVXMLNode* AppendChild(CVXMLNode* node);
  template <class T>
  T* AppendChild(std::unique_ptr<T> node) {
    T* raw = node.release();
    AppendChild(static_cast<CVXMLNode*>(raw));
    return raw;
  }

  // The node's own child list (callers may walk it, must not delete it).
  CVXMLNodeList* GetChildNodes() { return &m_childNodes; }
  const CVXMLNodeList* GetChildNodes() const { return &m_childNodes; }
  // The last child, or null when there is none.
  CVXMLNode* GetLastChild() const { return m_childNodes.empty() ? nullptr : m_childNodes.m_nodes.back(); }

  CVXMLNode* GetParentNode() const { return m_parent; }
  CVXMLNode* GetPreviousSibling() const { return m_previousSibling; }
  CVXMLNode* GetNextSibling() const { return m_nextSibling; }

  // The name and value without a copy.
  const std::string& NodeName() const { return m_nodeName; }
  const std::string& NodeValue() const { return m_nodeValue; }

  // Appends GetXml() to `out` (the writer builds one string without intermediate copies).
  virtual void AppendXml(std::string& out) const;

  // Nodes come from a per-thread pool of small blocks: a large tree is built and freed without a
  // malloc call per node. (Off in sanitizer builds, so that they see every node.)
  static void* operator new(size_t size);
  static void operator delete(void* pointer, size_t size) noexcept;

protected:
  CVXMLNode() = default;
  CVXMLNode(std::string name, std::string value) : m_nodeName(std::move(name)), m_nodeValue(std::move(value)) {}
  // Copies name and value, gives the copy clones of every child, leaves the links null.
  CVXMLNode(const CVXMLNode& other);
  CVXMLNode& operator=(const CVXMLNode& other);

  // Deletes every child and empties the child list.
  void DeleteChildren();
  // Appends a copy of every child of `other` (deep copies of elements).
  void CloneChildrenFrom(const CVXMLNode& other);

  CVXMLNodeList m_childNodes;
  CVXMLNode* m_previousSibling = nullptr;  // not owning
  CVXMLNode* m_nextSibling = nullptr;      // not owning
  CVXMLNode* m_parent = nullptr;           // not owning
  std::string m_nodeName;
  std::string m_nodeValue;

private:
  // Takes `node` out of this node's child list and clears its links.
  void Detach(CVXMLNode* node);
};
