// The XML library: an in-memory XML/HTML tree with a lenient parser and an exact writer.
//
//   CVXMLDocument doc;                       // owns its tree
//   doc.Load(path);                          // or LoadText(text); file errors show a message
//   CVXMLElement* root = doc.GetDocumentElement();
//   CVXMLNodeList items = root->GetElementsByTagName("item");   // points into the tree
//   for (int i = 0; i < items.GetCount(); ++i) ... items.Item(i)->GetText() ...
//
//   CVXMLDocument out;
//   SetXmlOutputLayout(kXmlLayoutIndented);
//   CVXMLElement* rss = out.CreateElement("rss");
//   out.AppendChild(rss);
//   rss->SetAttribute("version", "2.0");
//   rss->AppendChild(new CVXMLElement("title", EscapedText));   // text is parsed as markup
//   out.Save(path);                          // UTF-8, CR LF, tabs
//
// Text is internal text (code page 932); the library neither escapes nor unescapes. The parser never
// fails: malformed markup gives a well-defined (lenient) tree. Everything is single-threaded: the
// HTML-mode switch and the output layout are process-wide (vxml_options.h).
#pragma once

#include "xml/vxml_attribute.h"
#include "xml/vxml_character_data.h"
#include "xml/vxml_document.h"
#include "xml/vxml_element.h"
#include "xml/vxml_names.h"
#include "xml/vxml_node.h"
#include "xml/vxml_node_list.h"
#include "xml/vxml_options.h"
#include "xml/checked_file.h"
#include "xml/vxml_encoding.h"
#include "xml/vxml_parser.h"
