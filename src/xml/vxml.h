// The XML library: an in-memory XML/HTML tree with a lenient parser and an exact writer.
//
//   CVXMLDocument doc;                       // owns its tree
//   doc.Load(path);                          // or LoadText(text); file errors show a message
//   CVXMLElement* root = doc.GetDocumentElement();
//   CVXMLNodeList items = root->GetElementsByTagName("item");   // points into the tree
//   for (int i = 0; i < items.GetCount(); ++i) ... items.Item(i)->GetText() ...
//
//   CVXMLDocument out(kXmlIndented);         // XML mode, indented layout
//   CVXMLElement* rss = out.CreateElement("rss");
//   out.AppendChild(rss);
//   rss->SetAttribute("version", "2.0");
//   rss->AppendChild(new CVXMLElement("title", EscapedText));   // text is parsed as markup
//   out.Save(path);                          // UTF-8, CR LF, tabs
//   rss->GetXml(kHtmlCompact);               // a node on its own: the options of the call
//
// Text is internal text (code page 932); the library neither escapes nor unescapes. The parser never
// fails: malformed markup gives a well-defined (lenient) tree. The library has no process-wide state:
// the HTML mode and the output layout belong to a document or to a call (vxml_options.h), and the
// node pool is per thread (vxml_pool.h), so different trees may be used on different threads at once.
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
