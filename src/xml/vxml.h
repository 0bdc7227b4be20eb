// The XML library: an in-memory XML/HTML tree with a lenient parser and an exact writer.
//
//   CVXMLDocument doc;                       // owns its tree, made in an arena of its own
//   doc.Load(path);                          // or LoadText(text); a file error comes back with its message
//   CVXMLElement* root = doc.GetDocumentElement();
//   CVXMLNodeList items = root->GetElementsByTagName("item");   // points into the tree
//   for (int i = 0; i < items.GetCount(); ++i) ... items.Item(i)->GetText() ...
//
//   CVXMLDocument out(kXmlIndented);         // XML mode, indented layout
//   CVXMLElement* rss = out.CreateElement("rss");              // nodes are made by the document
//   out.AppendChild(rss);
//   rss->SetAttribute("version", "2.0");
//   rss->AppendChild(out.CreateElement("title", EscapedText));  // text is parsed as markup
//   rss->AppendNew<CVXMLTextNode>()->AssignValue(text);         // or made in place, in the same document
//   out.Save(path);                          // UTF-8, CR LF, tabs
//   rss->GetXml(kHtmlCompact);               // a node on its own: the options of the call
//
// Text is internal text (code page 932); the library neither escapes nor unescapes. The parser never
// fails: malformed markup gives a well-defined (lenient) tree. The library has no process-wide state:
// the HTML mode and the output layout belong to a document or to a call (vxml_options.h), and each
// document has its own memory (vxml_arena.h), so different documents may be used on different threads
// at once. Reading and writing files is the platform's (platform/checked_file.h).
#pragma once

#include "xml/vxml_attribute.h"
#include "xml/vxml_character_data.h"
#include "xml/vxml_document.h"
#include "xml/vxml_element.h"
#include "xml/vxml_names.h"
#include "xml/vxml_node.h"
#include "xml/vxml_node_list.h"
#include "xml/vxml_options.h"
#include "xml/vxml_encoding.h"
#include "xml/vxml_parser.h"
