// Saving a large document: the text goes to the file in pieces, converted on a second thread, and the
// file must hold exactly the bytes of the whole text converted at once. Loaded documents point into
// their text: nodes that leave them must keep their names and values.

#include <string>

#include "platform/checked_file.h"
#include "platform/text_codec.h"
#include "support/test_env.h"
#include "tree_dump.h"
#include "xml/vxml.h"

namespace {

class XmlStreamSave : public VamelTest {
protected:
  // Megabytes of markup whose text nodes end with the first byte of a double-byte character and begin
  // with its second byte, so that wherever the text is cut into pieces a character spans the cut;
  // CDATA, attributes and Japanese text in between.
  static void BuildLarge(CVXMLDocument& doc, int items) {
    CVXMLElement* root = doc.CreateElement("root");
    doc.AppendChild(root);
    const std::string japanese = J("日本語のテキスト");
    for (int i = 0; i < items; ++i) {
      CVXMLElement* item = doc.CreateElement("item");
      root->AppendChild(item);
      item->SetAttribute("n", std::to_string(i));
      item->AppendChild(new CVXMLTextNode("\xA0" + japanese + std::to_string(i) + "\x82"));
      item->AppendChild(new CVXMLTextNode("\xA0" "x\x81"));
      item->AppendChild(new CVXMLCDATASection(japanese + "<p>" + std::to_string(i * 7) + "</p>"));
    }
  }
};

}  // namespace

TEST_F(XmlStreamSave, LargeDocumentsGiveTheBytesOfTheWholeText) {
  CVXMLDocument doc;
  BuildLarge(doc, 40000);
  for (int layout : {kXmlLayoutCompact, kXmlLayoutIndented}) {
    doc.SetOutputLayout(layout);
    const std::string whole = doc.GetXml();
    ASSERT_GT(whole.size(), 2u << 20);  // many pieces
    const std::string path = TempPath("large.xml");
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(ReadFile(path), AnsiToUtf8(whole)) << layout;
  }
  // Saving again gives the same file: the tree is unchanged.
  const std::string first = ReadFile(TempPath("large.xml"));
  ASSERT_TRUE(doc.Save(TempPath("again.xml")));
  EXPECT_EQ(ReadFile(TempPath("again.xml")), first);
  // HTML mode writes the internal text as it stands.
  doc.SetHtmlMode(true);
  ASSERT_TRUE(doc.Save(TempPath("large.html")));
  EXPECT_EQ(ReadFile(TempPath("large.html")), doc.GetXml());
}

TEST_F(XmlStreamSave, AZeroByteEndsTheTextInEveryPiece) {
  // The text is written as a C string would be: up to its first zero byte, however far into it.
  CVXMLDocument doc;
  BuildLarge(doc, 20000);
  CVXMLElement* root = doc.GetDocumentElement();
  root->GetChildNodes()->Item(16000)->AppendChild(new CVXMLTextNode(std::string("before\0after", 12)));
  const std::string whole = doc.GetXml();
  const size_t zero = whole.find('\0');
  ASSERT_GT(zero, 1u << 20);
  ASSERT_TRUE(doc.Save(TempPath("zero.xml")));
  const std::string bytes = ReadFile(TempPath("zero.xml"));
  EXPECT_EQ(bytes, AnsiToUtf8(whole));
  EXPECT_EQ(bytes.substr(bytes.size() - 6), "before");
  doc.SetHtmlMode(true);
  ASSERT_TRUE(doc.Save(TempPath("zero.html")));
  EXPECT_EQ(ReadFile(TempPath("zero.html")), doc.GetXml().substr(0, doc.GetXml().find('\0')));
}

TEST_F(XmlStreamSave, AFailedWriteOfALargeDocumentKeepsThePreviousFile) {
  // A file size limit makes the writing thread fail part way: Save reports the write message and the
  // previous file stays. Run in a child process, whose limit does not touch the test run.
  const std::string path = TempPath("feed.xml");
  WriteFile(path, "previous");
  EXPECT_TRUE(RunWithFileSizeLimit(1u << 20, [&] {
    CVXMLDocument doc;
    BuildLarge(doc, 40000);
    CResult<> saved = doc.Save(path);
    return !saved.Ok() && saved.FirstText() == CCheckedFile::WriteFailedText() + ":" + path;
  }));
  EXPECT_EQ(ReadFile(path), "previous");
  std::string listing;
  RunCommand("ls -A '" + TempFolder() + "'", &listing);
  EXPECT_EQ(listing, "feed.xml\n");  // no temporary file left behind
}

TEST_F(XmlStreamSave, NodesOfALoadedDocumentStayInItAndCopiesHoldTheirOwnText) {
  // Loaded names and values point into the document's text: a node cannot leave the document (it would
  // outlive that text and the document's memory); a copy holds its own text and outlives both.
  auto* kept = new CVXMLElement("kept", "");
  std::unique_ptr<CVXMLElement> holder(kept);
  std::unique_ptr<CVXMLNode> clone;
  {
    CVXMLDocument doc;
    doc.LoadText(J("<rss><item a=\"1\" b='日本'>text<![CDATA[c]]><!--n--><x y=\"z\">w</x></item></rss>"));
    CVXMLElement* item = static_cast<CVXMLElement*>(doc.GetDocumentElement()->GetChildNodes()->Item(0));
    clone.reset(item->CloneNode());
    EXPECT_EQ(clone->GetArena(), nullptr);
    EXPECT_EQ(kept->AppendChild(item), nullptr);
    CVXMLDocument other;
    EXPECT_EQ(other.AppendChild(item), nullptr);
    EXPECT_EQ(doc.GetDocumentElement()->GetChildNodes()->Item(0), item);  // still where it was
    EXPECT_EQ(kept->AppendChild(clone->CloneNode())->GetParentNode(), kept);  // copies go anywhere
  }
  const std::string expected = J("item[a=1 b=日本](\"text\",C\"c\",#\"n\",x[y=z](\"w\"))");
  EXPECT_EQ(Dump(*clone), expected);
  EXPECT_EQ(Dump(*kept), "kept(" + expected + ")");
}
