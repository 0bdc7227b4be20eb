// Stackless: deeply nested and very wide input parses, writes, copies and goes away without recursion.
#include <memory>
#include <string>

#include "support/test_env.h"
#include "xml/vxml.h"

namespace {

class XmlDeep : public VamelTest {};

constexpr int kDepth = 100000;

}  // namespace

TEST_F(XmlDeep, HundredThousandNestedElements) {
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "<a>";
  text += "x";
  for (int i = 0; i < kDepth; ++i) text += "</a>";
  auto doc = std::make_unique<CVXMLDocument>();
  doc->LoadText(text);
  CVXMLElement* root = doc->GetDocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetElementsByTagName("a").GetCount(), kDepth - 1);
  EXPECT_EQ(root->GetText(), "x");
  EXPECT_EQ(root->GetXml(), text);
  std::unique_ptr<CVXMLNode> clone(root->CloneNode());
  EXPECT_EQ(clone->GetXml(), text);
  clone.reset();
  // Indented, the tabs alone grow with the square of the depth: a tenth of the depth is enough there.
  CVXMLDocument indented;
  std::string shallower;
  for (int i = 0; i < kDepth / 10; ++i) shallower += "<a>";
  for (int i = 0; i < kDepth / 10; ++i) shallower += "</a>";
  indented.LoadText(shallower);
  indented.SetOutputLayout(kXmlLayoutIndented);
  std::string written = indented.GetXml();
  EXPECT_GT(written.size(), shallower.size());
  doc.reset();  // iterative teardown
}

TEST_F(XmlDeep, UnclosedAndStrayTagsInBulk) {
  // Every element unclosed, and as many stray end tags: a flat list, built in linear time.
  std::string text = "<html><body>";
  for (int i = 0; i < kDepth; ++i) text += i % 2 ? "<p>t" : "</div>";
  text += "</body></html>";
  CVXMLDocument doc(kHtmlCompact);
  doc.LoadText(text);
  CVXMLElement* body =
      static_cast<CVXMLElement*>(doc.GetDocumentElement()->GetElementsByTagName("body", kHtmlCompact).Item(0));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->GetChildNodes()->GetCount(), kDepth + kDepth / 2);
  // A page of nothing but "<": no element, no stall.
  CVXMLDocument lt;
  lt.LoadText(std::string(kDepth, '<') + ">");
  ASSERT_NE(lt.GetDocumentElement(), nullptr);
}
