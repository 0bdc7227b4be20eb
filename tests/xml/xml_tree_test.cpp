// The node tree: ownership, children, attributes, lookups, copies.
#include <memory>
#include <string>

#include "support/test_env.h"
#include "tree_dump.h"
#include "xml/vxml.h"

namespace {

class XmlTree : public VamelTest {};

}  // namespace

TEST_F(XmlTree, AppendChildOwnsAndMoves) {
  CVXMLDocument doc;
  CVXMLElement* root = doc.CreateElement("root");
  doc.AppendChild(root);
  EXPECT_EQ(doc.GetDocumentElement(), root);
  auto* a = root->AppendChild(new CVXMLTextNode("a"));
  auto* b = root->AppendChild(std::make_unique<CVXMLElement>("b", "x"));
  EXPECT_EQ(a->GetNextSibling(), b);
  EXPECT_EQ(b->GetPreviousSibling(), a);
  EXPECT_EQ(b->GetParentNode(), root);
  // Appending an existing child again moves it to the end: one entry.
  root->AppendChild(a);
  EXPECT_EQ(Dump(*root), "root(b(\"x\"),\"a\")");
  EXPECT_EQ(root->GetLastChild(), a);
  EXPECT_EQ(b->GetNextSibling(), a);
  // A node owned elsewhere moves instead of being owned twice.
  CVXMLElement other("other", "");
  other.AppendChild(b);
  EXPECT_EQ(Dump(*root), "root(\"a\")");
  EXPECT_EQ(Dump(other), "other(b(\"x\"))");
  // Deleting a child takes it out of its parent.
  delete b;
  EXPECT_FALSE(other.HasChildNodes());
  // Every node has a child list, even text and attributes.
  CVXMLTextNode text("t");
  EXPECT_EQ(text.GetChildNodes()->GetCount(), 0);
  EXPECT_EQ(doc.GetNodeType(), 9);
  EXPECT_EQ(doc.GetNodeName(), "");
  EXPECT_EQ(text.GetNodeName(), "#text");
  EXPECT_EQ(CVXMLCDATASection("c").GetNodeName(), "#cdata-section");
  EXPECT_EQ(CVXMLComment("c").GetNodeType(), 8);
  CVXMLDocument empty;
  EXPECT_EQ(empty.GetDocumentElement(), nullptr);
  empty.AppendChild(new CVXMLComment("first"));
  EXPECT_EQ(empty.GetDocumentElement(), nullptr);
}

TEST_F(XmlTree, ElementTextIsParsedAsMarkup) {
  EXPECT_EQ(Dump(CVXMLElement("title", "a < b")), "title(\"a \",\"< b\")");
  EXPECT_EQ(Dump(CVXMLElement("title", "a &lt; b")), "title(\"a &lt; b\")");
  EXPECT_EQ(Dump(CVXMLElement("content", "<p>x</p><br>")), "content(p(\"x\"),br!)");
  CVXMLElement description("description", "");
  EXPECT_FALSE(description.HasChildNodes());
  // SetNodeValue replaces the children and keeps the element's own value.
  CVXMLElement e("e", "<a/>");
  e.SetNodeValue("new");
  EXPECT_EQ(Dump(e), "e(\"new\")");
  EXPECT_EQ(e.GetNodeValue(), "");
  CVXMLTextNode t("old");
  t.SetNodeValue("new");
  EXPECT_EQ(t.GetNodeValue(), "new");
}

TEST_F(XmlTree, SetAttributeCases) {
  CVXMLElement e("e", "");
  e.SetAttribute("a", "1");
  e.SetAttribute("b", "\"quoted\"");
  e.SetAttribute("c", "'x'");
  EXPECT_EQ(Dump(e), "e[a=1 b=quoted c='x']");  // the constructor strips double quotes only
  e.SetAttribute("c", "'x'");
  EXPECT_EQ(e.GetAttribute("c"), "x");  // SetValue strips both kinds
  e.SetAttribute("a", "\"\"");          // unusable: removes
  e.SetAttribute("zz", "");             // absent and unusable: nothing
  e.SetAttribute("zz", "\"\"");
  EXPECT_EQ(Dump(e), "e[b=quoted c=x]");
  e.SetAttribute("b", "");
  EXPECT_EQ(Dump(e), "e[c=x]");
  EXPECT_EQ(e.FindAttribute("c"), 0);
  EXPECT_EQ(e.FindAttribute("missing"), -1);
  EXPECT_EQ(e.GetAttribute("missing"), "");
  CVXMLAttribute attribute("n", "\"\"v\"\"");
  EXPECT_EQ(attribute.GetNodeValue(), "v");
  attribute.SetValue("'\"w\"'");
  EXPECT_EQ(attribute.GetNodeValue(), "w");
  EXPECT_FALSE(attribute.IsEmpty());
  attribute.Clear();
  EXPECT_TRUE(attribute.IsEmpty());
  // HTML mode finds attributes without regard to case; XML mode does not.
  CVXMLElement link("a", "");
  link.SetAttribute("href", "x");
  EXPECT_EQ(link.GetAttribute("HREF"), "");
  EXPECT_EQ(link.GetAttribute("HREF", kHtmlCompact), "x");
  link.SetAttribute("HREF", "y", kHtmlCompact);
  EXPECT_EQ(Dump(link), "a[href=y]");
}

TEST_F(XmlTree, GetElementsByTagNameInDocumentOrder) {
  CVXMLDocument doc;
  doc.LoadText("<r><item id=\"1\"><item id=\"2\"/></item><x><item id=\"3\"/></x><Item id=\"4\"/></r>");
  CVXMLElement* root = doc.GetDocumentElement();
  CVXMLNodeList items = root->GetElementsByTagName("item");
  ASSERT_EQ(items.GetCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(static_cast<CVXMLElement*>(items.Item(i))->GetAttribute("id"), std::to_string(i + 1));
  }
  EXPECT_EQ(items.Item(3), nullptr);
  EXPECT_EQ(items.Item(-1), nullptr);
  EXPECT_EQ(root->GetElementsByTagName(nullptr).GetCount(), 5);  // every descendant element
  EXPECT_EQ(root->GetElementsByTagName("r").GetCount(), 0);        // never the element itself
  EXPECT_EQ(items.FindNode(items.Item(1)), 1);
  CVXMLNodeList all;
  all.AppendList(items);
  all.AppendList(items);
  EXPECT_EQ(all.GetCount(), 6);
  // A list never owns: it goes away and the tree stays whole.
  { CVXMLNodeList copy = items; }
  EXPECT_EQ(root->GetElementsByTagName("item").GetCount(), 3);
}

TEST_F(XmlTree, ClonesAreDeepAndIndependent) {
  CVXMLDocument doc;
  doc.LoadText("<r a=\"1\"><b/>t<![CDATA[c]]><!--m--><d><e>x</e></d><f></r>");
  CVXMLElement* root = doc.GetDocumentElement();
  std::unique_ptr<CVXMLNode> clone(root->CloneNode());
  EXPECT_EQ(Dump(*clone), Dump(*root));
  root->SetAttribute("a", "2");
  static_cast<CVXMLElement*>(root->GetElementsByTagName("e").Item(0))->SetNodeValue("changed");
  EXPECT_NE(Dump(*clone), Dump(*root));
  EXPECT_EQ(static_cast<CVXMLElement*>(clone.get())->GetAttribute("a"), "1");
  std::unique_ptr<CVXMLNode> docClone(doc.CloneNode());
  EXPECT_EQ(Dump(*docClone->GetChildNodes()->Item(0)), Dump(*root));
  // CloneAll gives owned copies.
  std::unique_ptr<CVXMLNodeList> copies(root->GetChildNodes()->CloneAll());
  EXPECT_EQ(copies->GetCount(), root->GetChildNodes()->GetCount());
  EXPECT_NE(copies->Item(0), root->GetChildNodes()->Item(0));
  copies->DeleteAllNodes();
  EXPECT_EQ(copies->GetCount(), 0);
  // An attribute clone goes through the constructor (double quotes stripped).
  CVXMLAttribute attribute;
  attribute.SetName("q");
  std::unique_ptr<CVXMLNode> attributeClone(CVXMLAttribute("q", "v").CloneNode());
  EXPECT_EQ(attributeClone->GetXml(), "q=\"v\"");
}

TEST_F(XmlTree, ParseContentIntoAFreshList) {
  CVXMLNodeList list;
  EXPECT_TRUE(list.ParseContent("a<b>c</b><!--d-->"));
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.Item(1)->GetParentNode(), nullptr);
  EXPECT_EQ(list.GetXml(), "a<b>c</b><!--d-->");
  list.DeleteAllNodes();
}
