// A compact text form of a tree for test expectations:
//   element   name[attr=value attr2=value2] then / (self-closing), % (script tag), ! (no end tag),
//             then (children, separated by commas) when it has any
//   text      "value"      CDATA  C"value"      comment  #"value"
#pragma once

#include <string>

#include "xml/vxml_options.h"

class CVXMLNode;

std::string Dump(const CVXMLNode& node);
// The document element of markup loaded with LoadText in the mode of `options`, dumped.
std::string LoadDump(const std::string& text, const CVXMLOptions& options = kXmlCompact);
