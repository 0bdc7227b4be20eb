// The node tree of the XML library: the abstract node with its children and links.
//
// Text is internal text (code page 932) throughout and is stored exactly as given: the library never
// escapes or unescapes anything. A node owns the nodes in its child list; node lists returned by
// value (GetElementsByTagName) only point into the tree.
//
// A node is kept small, since a large feed has hundreds of thousands of them: its child list is made
// when it gets its first child, only the parent link is stored (siblings are found in the parent's
// list when asked for; nothing in the program asks), each class stores only the name and value it can
// have (the names of text, CDATA and comment nodes are shared constants, an element's value is always
// empty), and the names and values of a loaded document point into its text (vxml_text.h).
//
// Where a node's memory comes from: a node made by a document (CVXMLDocument::Create, CreateElement,
// and every node its parser makes) lives in the document's arena (vxml_arena.h), and so do the nodes
// parsed into it and its names, values, child list and attributes. It belongs to that document for good:
// it may move within the document's tree, but never into another tree, and it goes with the document
// at the latest. A node made with plain `new` (or on the stack) takes all of this from the heap; it may
// be appended anywhere, and a copy (CloneNode) is always such a node.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "xml/vxml_arena.h"
#include "xml/vxml_node_list.h"
#include "xml/vxml_options.h"
#include "xml/vxml_text.h"

// Node type numbers.
enum : int {
  kXmlElementNode = 1,
  kXmlAttributeNode = 2,
  kXmlTextNode = 3,
  kXmlCDATASectionNode = 4,
  kXmlCommentNode = 8,
  kXmlDocumentNode = 9,
};

// Takes serialised text while a large tree is written, so that the whole text is never held at once.
class CVXMLSink {
public:
  virtual ~CVXMLSink() = default;
  // Takes the text out of `text`; it may leave a few bytes there to be completed by what follows.
  virtual void Take(std::string& text) = 0;
};

class CVXMLNode {
public:
  // Deletes the whole subtree (iteratively, so any depth is safe). A node that is still in a parent's
  // child list takes itself out of it first.
  virtual ~CVXMLNode();

  // 1 element, 2 attribute, 3 text, 4 CDATA section, 8 comment, 9 document.
  virtual int GetNodeType() const = 0;
  virtual void SetNodeName(const std::string& name) = 0;
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
  // The node as markup, written with `options` (mode, layout, depth): what AppendXml appends (empty
  // for the abstract classes). A document without options writes with its own.
  std::string GetXml(const CVXMLOptions& options) const;
  virtual std::string GetXml() const { return GetXml(kXmlCompact); }

  // Makes `node` the last child and takes ownership of it. A node already in this list moves to the
  // end; a node still in another node's list is taken out of it first, so it is never owned twice.
  // Returns `node`; null, with nothing changed, when `node` belongs to another document than this node
  // (or to one at all, when this node belongs to none): it cannot outlive its document.
  CVXMLNode* AppendChild(CVXMLNode* node);
  template <class T>
  T* AppendChild(std::unique_ptr<T> node) {
    if (!AppendChild(static_cast<CVXMLNode*>(node.get()))) return nullptr;
    return node.release();
  }

  // A new, empty node of class Node (CVXMLElement, CVXMLTextNode, CVXMLCDATASection or CVXMLComment),
  // made by this node's document (in its arena; on the heap for a node of none), appended as the last
  // child. Returns it.
  template <class Node>
  Node* AppendNew() {
    Node* node = NewIn<Node>(m_arena);
    AddNewChild(node);
    return node;
  }

  // The node's own child list (callers may walk it, must not delete it).
  CVXMLNodeList* GetChildNodes();
  const CVXMLNodeList* GetChildNodes() const { return m_childNodes ? m_childNodes : &EmptyList(); }
  // The last child, or null when there is none.
  CVXMLNode* GetLastChild() const { return HasChildNodes() ? m_childNodes->m_nodes.back() : nullptr; }

  CVXMLNode* GetParentNode() const { return m_parent; }
  // Found in the parent's child list.
  CVXMLNode* GetPreviousSibling() const;
  CVXMLNode* GetNextSibling() const;

  // The name and value without a copy (valid while the node and its document live).
  virtual std::string_view NodeName() const = 0;
  virtual std::string_view NodeValue() const { return std::string_view(); }

  // Appends GetXml(options) to `out` (the writer builds one string without intermediate copies).
  virtual void AppendXml(std::string& out, const CVXMLOptions& options) const;

  // A node made with new comes from the heap; one that a document made goes back to its arena.
  static void* operator new(size_t size);
  static void operator delete(void* pointer, size_t size) noexcept;

  // The arena of the document the node belongs to; null for a node of the heap.
  CVXMLArena* GetArena() const { return m_arena; }

protected:
  CVXMLNode() = default;
  // A new, empty node of class Node in `arena` (the heap when null).
  template <class Node>
  static Node* NewIn(CVXMLArena* arena) {
    Node* node = ::new (VXMLAllocate(arena, sizeof(Node))) Node;
    node->m_arena = arena;
    return node;
  }
  // Gives the copy clones of every child and leaves the links null (the classes copy name and value).
  CVXMLNode(const CVXMLNode& other);
  CVXMLNode& operator=(const CVXMLNode& other);

  // Deletes every child and empties the child list.
  void DeleteChildren();
  // Appends a copy of every child of `other` (deep copies of elements).
  void CloneChildrenFrom(const CVXMLNode& other);
  // Adds `node`, which has no parent, as the last child: AppendChild without its checks.
  void AddNewChild(CVXMLNode* node);
  // Deletes the child list itself (after DeleteChildren).
  void DeleteChildList() noexcept;

  static const CVXMLNodeList& EmptyList();

  CVXMLNode* m_parent = nullptr;            // not owning
  CVXMLNodeList* m_childNodes = nullptr;    // made with the first child
  CVXMLArena* m_arena = nullptr;            // where the node and its parts live; null: the heap

private:
  // The parser, an element's start-tag reader and the document make nodes in an arena.
  friend class CVXMLParser;
  friend class CVXMLElement;
  friend class CVXMLDocument;
  // Takes `node` out of this node's child list and clears its parent link.
  void Detach(CVXMLNode* node);
};
