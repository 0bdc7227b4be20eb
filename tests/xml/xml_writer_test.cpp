// The writer's exact bytes, and saving through the checked file.
#include <string>
#include <sys/stat.h>

#include "platform/text_codec.h"
#include "support/missing.h"
#include "support/test_env.h"
#include "xml/vxml.h"

namespace {

class XmlWriter : public VamelTest {
protected:
  // The worked example: rss version 2.0 > channel > (title "A&amp;B", empty x).
  static void BuildExample(CVXMLDocument& doc) {
    CVXMLElement* rss = doc.CreateElement("rss");
    doc.AppendChild(rss);
    rss->SetAttribute("version", "2.0");
    CVXMLElement* channel = doc.CreateElement("channel");
    rss->AppendChild(channel);
    channel->AppendChild(new CVXMLElement("title", "A&amp;B"));
    channel->AppendChild(doc.CreateElement("x"));
  }
};

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";

}  // namespace

TEST_F(XmlWriter, WorkedExampleIndentedAndCompact) {
  CVXMLDocument doc;
  BuildExample(doc);
  doc.SetOutputLayout(kXmlLayoutIndented);
  EXPECT_EQ(doc.GetXml(), kHeader +
                              "\r\n<rss version=\"2.0\">\r\n\t<channel>\r\n\t\t<title>A&amp;B</title>\r\n"
                              "\t\t<x />\r\n\t</channel>\r\n</rss>");
  doc.SetOutputLayout(kXmlLayoutCompact);
  EXPECT_EQ(doc.GetXml(), kHeader + "<rss version=\"2.0\"><channel><title>A&amp;B</title><x /></channel></rss>");
  // The options of the call win over the document's own, and a subtree starts at the depth given.
  EXPECT_EQ(doc.GetXml(kXmlIndented).substr(kHeader.size()), "\r\n<rss version=\"2.0\">\r\n\t<channel>\r\n"
                                                             "\t\t<title>A&amp;B</title>\r\n\t\t<x />\r\n\t</channel>\r\n</rss>");
  const CVXMLOptions deeper{0, kXmlLayoutIndented, 1};
  EXPECT_EQ(doc.GetDocumentElement()->GetChildNodes()->Item(0)->GetXml(deeper),
            "\t<channel>\r\n\t\t<title>A&amp;B</title>\r\n\t\t<x />\r\n\t</channel>");
}

TEST_F(XmlWriter, MixedContentAndSingleLines) {
  const CVXMLOptions& indented = kXmlIndented;
  CVXMLElement p("p", "");
  p.AppendChild(new CVXMLTextNode("a"));
  p.AppendChild(new CVXMLElement("b", "x"));
  p.AppendChild(new CVXMLTextNode("c"));
  EXPECT_EQ(p.GetXml(indented), "<p>a\r\n\t<b>x</b>c</p>");
  EXPECT_EQ(CVXMLElement("t", "only text").GetXml(indented), "<t>only text</t>");
  CVXMLElement description("description", "");
  description.SetAttribute("lang", "ja");
  EXPECT_EQ(description.GetXml(indented), "<description lang=\"ja\" />");
  // Character data as it stands: nothing escaped.
  CVXMLElement holder("h", "");
  holder.AppendChild(new CVXMLCDATASection("a<b]]"));
  holder.AppendChild(new CVXMLComment(" c "));
  holder.AppendChild(new CVXMLTextNode("&<"));
  EXPECT_EQ(holder.GetXml(indented), "<h><![CDATA[a<b]]]]><!-- c -->&<</h>");
}

TEST_F(XmlWriter, ParsedMarkupWritesBack) {
  CVXMLDocument doc(kXmlIndented);
  doc.LoadText("<r><input checked a='1'><br/><p>x</r>");
  EXPECT_EQ(doc.GetOptions().m_layout, kXmlLayoutCompact);  // a load resets the layout
  EXPECT_EQ(doc.GetXml(), "<?xml version=\"1.0\" encoding=\"utf-8\" ?><r><input checked a=\"1\" /><br /><p />x</r>");
  EXPECT_EQ(doc.GetDocumentElement()->GetXml(), "<r><input checked a=\"1\" /><br /><p />x</r>");
  EXPECT_EQ(doc.GetDocumentElement()->GetStartTag(), "<r>");
  EXPECT_EQ(doc.GetDocumentElement()->GetEndTag(), "</r>");
  CVXMLDocument page(kHtmlCompact);
  page.LoadText("<html><body><br><p class=\"a\">t</body></html>");
  EXPECT_EQ(page.GetXml(),
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"
            "<html><body><br><p class=\"a\">t</body></html>");
  CVXMLElement unnamed;
  unnamed.AppendChild(new CVXMLTextNode("just text"));
  EXPECT_EQ(unnamed.GetXml(kHtmlCompact), "just text");
}

TEST_F(XmlWriter, SaveWritesUtf8WithoutBomAndReadersAgree) {
  CVXMLDocument doc;
  BuildExample(doc);
  doc.GetDocumentElement()->AppendChild(new CVXMLElement("jp", J("日本語")));
  doc.SetOutputLayout(kXmlLayoutIndented);
  std::string path = TempPath("feed.xml");
  ASSERT_TRUE(doc.Save(path));
  std::string bytes = ReadFile(path);
  EXPECT_EQ(bytes.substr(0, kHeader.size()), kHeader);
  EXPECT_EQ(bytes.substr(bytes.size() - 6), "</rss>");  // no final line break
  EXPECT_NE(bytes.find("<jp>日本語</jp>"), std::string::npos);
  if (PresentOrFailInCi(HaveProgram("xmllint"), "xmllint is not installed")) {
    EXPECT_EQ(RunCommand("xmllint --noout '" + path + "' 2>&1"), 0);
  }
  // Reading it back keeps the layout as text nodes: the compact form gives the same bytes again.
  CVXMLDocument again;
  ASSERT_TRUE(again.Load(path));
  EXPECT_EQ(AnsiToUtf8(again.GetDocumentElement()->GetXml()), bytes.substr(kHeader.size() + 2));
  // HTML mode writes internal text unconverted.
  CVXMLDocument page(kHtmlCompact);
  page.AppendChild(new CVXMLElement("p", J("日本")));
  ASSERT_TRUE(page.Save(TempPath("page.html")));
  EXPECT_NE(ReadFile(TempPath("page.html")).find(J("日本")), std::string::npos);
}

TEST_F(XmlWriter, FailedSaveKeepsThePreviousFileAndSaysWhy) {
  std::string folder = TempPath("locked");
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  std::string path = folder + "/feed.xml";
  WriteFile(path, "previous");
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  CVXMLDocument doc;
  BuildExample(doc);
  CResult<> saved = doc.Save(path);
  chmod(folder.c_str(), 0755);
  if (geteuid() == 0) {
    // root writes anyway; the message path is covered below.
    EXPECT_TRUE(saved);
  } else {
    EXPECT_FALSE(saved);
    EXPECT_EQ(U(saved.FirstText()), "ファイルのオープンに失敗しました:" + path);
    EXPECT_EQ(ReadFile(path), "previous");
  }
  // A target that is a folder cannot be written: the open message, and nothing left behind.
  saved = doc.Save(folder);
  EXPECT_FALSE(saved);
  EXPECT_EQ(U(saved.FirstText()), "ファイルのオープンに失敗しました:" + folder);
  std::string listing;
  RunCommand("ls -A '" + folder + "'", &listing);
  EXPECT_EQ(listing, "feed.xml\n");
  // A missing folder: the open message too.
  saved = doc.Save(TempPath("missing/feed.xml"));
  EXPECT_FALSE(saved);
  EXPECT_NE(U(saved.FirstText()).find("missing/feed.xml"), std::string::npos);
}

TEST_F(XmlWriter, LoadReportsMissingFiles) {
  CVXMLDocument doc;
  std::string path = TempPath("absent.xml");
  CResult<> loaded = doc.Load(path);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(U(loaded.FirstText()), "ファイルのオープンに失敗しました:" + path);
  EXPECT_EQ(doc.GetDocumentElement(), nullptr);
  EXPECT_FALSE(doc.Load(TempFolder()));  // a folder is no file
  // A file with a zero byte is read up to it.
  WriteFile(TempPath("zero.xml"), std::string("<a>x</a>\0<b/>", 13));
  ASSERT_TRUE(doc.Load(TempPath("zero.xml")));
  EXPECT_EQ(doc.GetDocumentElement()->GetText(), "x");
}
