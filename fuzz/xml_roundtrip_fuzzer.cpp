// Parse, write, parse again, in both layouts and both modes: nothing may crash, and writing the second
// tree compactly gives text the parser accepts again.
#include <cstdint>
#include <memory>
#include <string>

#include "xml/vxml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool html = data[0] & 1;
  const bool indented = data[0] & 2;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const CVXMLOptions options{html ? 1 : 0, indented ? kXmlLayoutIndented : kXmlLayoutCompact, 0};
  CVXMLDocument doc(options);
  doc.LoadText(text);
  doc.SetOutputLayout(options.m_layout);
  std::string written = doc.GetXml();
  std::unique_ptr<CVXMLNode> clone(doc.GetDocumentElement()->CloneNode());
  if (clone->GetXml(options) != doc.GetDocumentElement()->GetXml(options)) __builtin_trap();
  CVXMLDocument again(options);
  again.LoadText(written);
  again.GetXml();
  CVXMLElement element("e", text);
  element.GetXml(html ? kHtmlCompact : kXmlCompact);
  return 0;
}
