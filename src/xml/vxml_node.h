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
#pragma once

#include <memory>
#include <string>
#include <string_view>

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
  // Returns `node`.
  CVXMLNode* AppendChild(CVXMLNode* node);
  template <class T>
  T* AppendChild(std::unique_ptr<T> node) {
    T* raw = node.release();
    AppendChild(static_cast<CVXMLNode*>(raw));
    return raw;
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

  // Nodes come from the per-thread pool of small blocks (vxml_pool.h).
  static void* operator new(size_t size) { return VXMLPoolAllocate(size); }
  static void operator delete(void* pointer, size_t size) noexcept { VXMLPoolFree(pointer, size); }

protected:
  CVXMLNode() = default;
  // Gives the copy clones of every child and leaves the links null (the classes copy name and value).
  CVXMLNode(const CVXMLNode& other);
  CVXMLNode& operator=(const CVXMLNode& other);

  // Deletes every child and empties the child list.
  void DeleteChildren();
  // Appends a copy of every child of `other` (deep copies of elements).
  void CloneChildrenFrom(const CVXMLNode& other);
  // Adds `node`, which has no parent, as the last child: AppendChild without its checks.
  void AddNewChild(CVXMLNode* node);
  // Makes this node and its whole subtree hold their own names and values (see vxml_text.h).
  void MakeSubtreeOwn();
  // Names and values of this node only (an element adds its attributes).
  virtual void MakeOwnText() {}

  static const CVXMLNodeList& EmptyList();

  CVXMLNode* m_parent = nullptr;            // not owning
  CVXMLNodeList* m_childNodes = nullptr;    // made with the first child

private:
  // The parser and an element's start-tag reader make nodes that point into loaded text.
  friend class CVXMLParser;
  friend class CVXMLElement;
  // Takes `node` out of this node's child list and clears its parent link.
  void Detach(CVXMLNode* node);
};
