// Any bytes through LoadText, in XML mode or HTML mode (the first byte picks). Small inputs are also
// parsed by the simple reference implementation of the tests, and the trees must be identical.
#include <cstdint>
#include <string>

#include "../tests/xml/reference_parser.cpp"
#include "xml/vxml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool html = data[0] & 1;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const CVXMLOptions& options = html ? kHtmlCompact : kXmlCompact;
  CVXMLDocument doc(options);
  doc.LoadText(text);
  const CVXMLElement* root = doc.GetDocumentElement();
  if (!root) __builtin_trap();
  if (text.size() <= 4096) {
    std::unique_ptr<RefNode> expected = ref::LoadText(text, html, nullptr);
    if (!CompareTrees(*expected, *root).empty()) __builtin_trap();
    // Element content as the writers parse it.
    RefNode holderExpected;
    bool expectedResult = ref::ParseContent(text, holderExpected);
    CVXMLElement holder;
    bool result = holder.GetChildNodes()->ParseContent(text, &holder);
    if (result != expectedResult || !CompareTrees(holderExpected, holder).empty()) __builtin_trap();
  }
  root->GetText();
  root->GetElementsByTagName(nullptr, options);
  return 0;
}
