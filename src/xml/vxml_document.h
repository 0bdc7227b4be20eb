// A document: the owner of a parsed or built tree, with load and save, and the options (mode and
// layout) that its load and its output use. Look-ups in its tree take them from the caller
// (GetOptions), as nodes do not know their document.
//
// The document makes the nodes of its tree (Create, CreateElement, and its parser) in an arena of its
// own (vxml_arena.h): they belong to it, may move within its tree but never leave it, and their memory
// goes back to the system with the document. A document belongs to one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/result.h"
#include "xml/vxml_element.h"
#include "xml/vxml_node.h"


class CVXMLDocument : public CVXMLNode {
public:
  explicit CVXMLDocument(const CVXMLOptions& options = kXmlCompact) : m_options(options) { m_arena = &m_ownArena; }
  // The tree goes before the loaded text it points into, and the arena with it.
  ~CVXMLDocument() override;
  CVXMLDocument(const CVXMLDocument&) = delete;
  CVXMLDocument& operator=(const CVXMLDocument&) = delete;

  int GetNodeType() const override { return kXmlDocumentNode; }
  std::string_view NodeName() const override { return m_nodeName.View(); }
  std::string_view NodeValue() const override { return m_nodeValue.View(); }
  void SetNodeName(const std::string& name) override { m_nodeName.Assign(name, m_arena); }
  void SetNodeValue(const std::string& text) override { m_nodeValue.Assign(text, m_arena); }
  // A deep copy of the document with its children (copies on the heap), declared encoding and options.
  CVXMLNode* CloneNode() const override;

  // XML or HTML mode (the load, and the output), and the output layout. Set by the owner; a load makes
  // the layout compact, so that a loaded document is written back compact unless told otherwise.
  const CVXMLOptions& GetOptions() const { return m_options; }
  void SetHtmlMode(bool html) { m_options.m_htmlMode = html ? 1 : 0; }
  void SetOutputLayout(int layout) { m_options.m_layout = layout; }

  // The header (XML or HTML by the mode), a line break unless the layout is compact, then the document
  // element from depth 0. No final line break. Without options, the document's own.
  using CVXMLNode::GetXml;
  std::string GetXml() const override { return GetXml(m_options); }
  void AppendXml(std::string& out, const CVXMLOptions& options) const override { WriteXml(out, nullptr, options); }
  // AppendXml, handing the text to `sink` (when given) piece by piece.
  void WriteXml(std::string& out, CVXMLSink* sink, const CVXMLOptions& options) const;

  // A new, empty node of this document, of class Node (CVXMLElement, CVXMLTextNode, CVXMLCDATASection
  // or CVXMLComment), to be appended somewhere in its tree. One that never is goes with the document
  // (or earlier, when deleted).
  template <class Node>
  Node* Create() {
    return NewIn<Node>(m_arena);
  }
  // A new element of this document with the name and no content.
  CVXMLElement* CreateElement(std::string_view name);
  // A new element of this document whose content is `text` parsed as markup (as the constructor
  // CVXMLElement(name, text) does: text without "<" becomes one text child).
  CVXMLElement* CreateElement(std::string_view name, const std::string& text);
  // Parses `markup` as one whole element (ParseElement) into a new element of this document, which is
  // appended as its last child. The element holds copies of its text.
  CVXMLElement* AppendParsedElement(std::string_view markup);
  // The first child when it is an element, otherwise null.
  CVXMLElement* GetDocumentElement() const;

  // Reads the file and loads its text. A file error leaves the document unchanged and is returned
  // with its message.
  CResult<> Load(const std::string& path);
  // Loads markup in the document's mode: prolog handling, encoding, then one new document element
  // appended to the document (a document is loaded once). Sets the output layout to compact. Always
  // true.
  bool LoadText(std::string text);
  // Writes GetXml() to `path`: UTF-8 without byte-order mark in XML mode, internal text in HTML mode.
  // The previous file is replaced only when the new one is complete. A file error is returned with
  // its message.
  CResult<> Save(const std::string& path) const;

  // The encoding declared by the <?xml ...?> declaration of the last load, "" otherwise. Informational.
  const std::string& GetDeclaredEncoding() const { return m_encoding; }

private:
  CVXMLArena m_ownArena;  // first made, last gone
  CVXMLOptions m_options;
  CVXMLText m_nodeName;
  CVXMLText m_nodeValue;
  std::string m_encoding;
  // The text of each load, converted: the names and values of the loaded nodes point into it.
  std::vector<std::unique_ptr<std::string>> m_loadedTexts;
};
