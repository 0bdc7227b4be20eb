// Reading pages into items: the four import modes on the example site, marked regions, links, page
// encodings, decoded titles and descriptions, and pages that cannot be read.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/harvest_fixture.h"
#include "harvest/page_links.h"
#include "harvest/page_reader.h"
#include "model/rss_item.h"
#include "xml/vxml.h"

namespace {

class PageReader : public HarvestTest {
protected:
  // Reads `page` of the example site copy with `mode` into a fresh item (or `item`).
  CRssItem Read(const std::string& page, int mode) {
    CRssItem item;
    item.description = "old description";
    item.content = "old content";
    item.title = "old title";
    ReadInto(page, mode, item);
    return item;
  }
  void ReadInto(const std::string& page, int mode, CRssItem& item) {
    if (site.empty()) site = CopyExampleSite();
    project.importMode = mode;
    ReadPageIntoItem(project, kSite + page, site + "/" + page, item);
  }
  // A page of tests/data/pages read with `mode`.
  CRssItem ReadData(const std::string& name, int mode) {
    CRssItem item;
    project.importMode = mode;
    ReadPageIntoItem(project, kSite + "d/" + name, std::string(VAMELRSS_TEST_DATA) + "/pages/" + name, item);
    return item;
  }
  // The item's content from `markup` parsed as page content.
  std::string Content(const std::string& url, const std::string& markup) {
    CVXMLNodeList nodes;
    nodes.ParseContent(markup);
    CRssItem item;
    item.url = url;
    SetContentFromNodes(item, nodes);
    nodes.DeleteAllNodes();
    return item.content;
  }

  const std::string kSite = "https://yamanote.example.jp/";
  std::string site;
  CRssFile project;
};

TEST_F(PageReader, FourModesOnTheExampleSite) {
  // Mode 0: URL, title and date; description and content untouched.
  CRssItem item = Read("news/2006/0320.html", 0);
  EXPECT_EQ(item.url, kSite + "news/2006/0320.html");
  EXPECT_EQ(U(item.title), "春の坂道めぐり");
  EXPECT_EQ(item.date, Local(2006, 1, 1, 0, 0, 0));
  EXPECT_EQ(item.description, "old description");
  EXPECT_EQ(item.content, "old content");

  // Mode 1: the body's text on one line, runs of spaces collapsed, the content untouched.
  item = Read("news/2006/0320.html", 1);
  EXPECT_EQ(U(item.description), "春の坂道めぐり 桜の咲く坂を三つ歩きました。 （ここは取り込まれない本文の間の文章です） "
                                 "次回は 日記 で詳しく書きます。 ");
  EXPECT_EQ(item.content, "old content");

  // Mode 2: the body's markup with absolute links; the description untouched.
  item = Read("news/2006/0101.html", 2);
  EXPECT_EQ(U(item.content),
            "\r\n<h1>新年のごあいさつ</h1>\r\n<!--VAMELRSS START-->\r\n<p>あけましておめでとうございます。今年も坂道を歩きます。</p>\r\n"
            "<p><img src=\"https://yamanote.example.jp/img/logo.gif\" alt=\"ロゴ\"> "
            "<a href=\"https://yamanote.example.jp/index.html\">トップページ</a></p>\r\n<!--VAMELRSS END-->\r\n");
  EXPECT_EQ(item.description, "old description");

  // Mode 3 on the page with two marked regions: the two parts with nothing between them.
  item = Read("news/2006/0320.html", 3);
  EXPECT_EQ(U(item.content), "\r\n<p>桜の咲く坂を三つ歩きました。</p>\r\n\r\n<p>次回は "
                             "<a href=\"https://yamanote.example.jp/diary/index.html\">日記</a> で詳しく書きます。</p>\r\n");
  EXPECT_EQ(U(item.description), "\r\n桜の咲く坂を三つ歩きました。\r\n\r\n次回は 日記 で詳しく書きます。\r\n");

  // Mode 3 on a Shift_JIS page and on a UTF-8 one: both come out as the same internal text.
  item = Read("news/2006/0215.html", 3);
  EXPECT_EQ(U(item.title), "雪の日の坂道");
  EXPECT_EQ(U(item.content), "\r\n<p>二月の雪で、いつもの坂が白くなりました。滑らないように歩きました。</p>\r\n"
                             "<p><img src=\"https://yamanote.example.jp/img/photo.png\" alt=\"雪の坂\"></p>\r\n");
  item = Read("diary/2006-05-05.html", 3);
  EXPECT_EQ(U(item.content), "\r\n<p>鯉のぼりを見ながら <b>三十分</b> ほど歩きました。</p>\r\n<p><a "
                             "href=\"https://yamanote.example.jp/news/2006/0320.html\">春の坂道めぐり</a> の続きです。</p>\r\n");

  // Mode 3 on a page without markers keeps description and content.
  item = Read("diary/index.html", 3);
  EXPECT_EQ(U(item.title), "日記の目次");
  EXPECT_EQ(item.content, "old content");
  EXPECT_EQ(item.description, "old description");

  // The date is the page file's own time.
  SetModified(site + "/about.html", Local(2006, 5, 1, 12, 0, 0));
  item = Read("about.html", 3);
  EXPECT_EQ(item.date, Local(2006, 5, 1, 12, 0, 0));
  EXPECT_NE(U(item.content).find("<a href=\"mailto:aruku@example.jp\">"), std::string::npos);
}

TEST_F(PageReader, MarkedRegions) {
  CRssItem item;
  const std::string S = "<!--VAMELRSS START-->", E = "<!--VAMELRSS END-->";
  EXPECT_EQ(ExtractMarkedText("x" + S + "<p>a</p>" + E + "between" + S + "<p>b</p>" + E + "y", item), "<p>a</p><p>b</p>");
  // Letter case matters; an unterminated region gives nothing; tags are never part of the result.
  EXPECT_EQ(ExtractMarkedText("<!--vamelrss start-->a" + E, item), "");
  EXPECT_EQ(ExtractMarkedText(S + "a" + E + S + "b", item), "a");
  EXPECT_EQ(ExtractMarkedText(S + S + "a" + E, item), S + "a");
  // The item's own tags take the place of the defaults, each on its own.
  item.startTag = "[[";
  EXPECT_EQ(ExtractMarkedText("[[a" + E + S + "b" + E, item), "a");
  item.endTag = "]]";
  EXPECT_EQ(ExtractMarkedText("[[a]]" + S + "b" + E + "[[c]]", item), "ac");
  // Character-aware: the 0x5C second byte of 表 is not the tag "\".
  item.startTag = "\\";
  item.endTag = "/";
  EXPECT_EQ(ExtractMarkedText(J("表") + "\\a/", item), "a");
  EXPECT_EQ(ExtractMarkedText(J("表表"), item), "");
  // An empty end tag marks nothing (and never loops), even with an empty start tag.
  CRssFile::SetDefaultStartTag("");
  CRssFile::SetDefaultEndTag("");
  item.startTag.clear();
  item.endTag.clear();
  EXPECT_EQ(ExtractMarkedText("anything", item), "");
  item.endTag = "|";
  EXPECT_EQ(ExtractMarkedText("a|b|c", item), "ab");

  // Custom tags in Japanese on a Shift_JIS page whose characters end in 0x5C.
  CRssItem sjis;
  sjis.startTag = J("<!--ここから-->");
  sjis.endTag = J("<!--ここまで-->");
  project.importMode = 3;
  ReadPageIntoItem(project, kSite + "s.html", std::string(VAMELRSS_TEST_DATA) + "/pages/sjis_5c.html", sjis);
  EXPECT_EQ(U(sjis.title), "表示とソフトの能力");
  EXPECT_EQ(U(sjis.content), "\n<p>予定表：ソフト開発の能力表</p>\n");
  EXPECT_EQ(U(sjis.description), "\n予定表：ソフト開発の能力表\n");
}

TEST_F(PageReader, LinksBecomeAbsolute) {
  const std::string page = "https://server/d/p.html?x=1#here";
  EXPECT_EQ(Content("scheme://server/d/p.html", "<img src=\"img/a.gif\">"), "<img src=\"scheme://server/d/img/a.gif\">");
  EXPECT_EQ(Content(page, "<a href=\"http://other/x\">x</a>"), "<a href=\"http://other/x\">x</a>");
  // Element and attribute names in any case; the element itself and the elements below it.
  EXPECT_EQ(Content(page, "<A HREF=\"../up.html\">u</A><div><p><Img Src='i.png'></div>"),
            "<A HREF=\"https://server/up.html\">u</A><div><p><Img Src=\"https://server/d/i.png\"></div>");
  // Values with a scheme stay; fragments and queries replace the page's own.
  for (const char* kept : {"mailto:a@example.jp", "javascript:void(0)", "data:image/png;base64,AAAA", "tel:+81-3-0000",
                           "ftp://files/x"}) {
    EXPECT_EQ(Content(page, std::string("<a href=\"") + kept + "\">k</a>"), std::string("<a href=\"") + kept + "\">k</a>");
  }
  EXPECT_EQ(Content(page, "<a href=\"#top\">t</a>"), "<a href=\"https://server/d/p.html?x=1#top\">t</a>");
  EXPECT_EQ(Content(page, "<a href=\"?page=2\">n</a>"), "<a href=\"https://server/d/p.html?page=2\">n</a>");
  // Root-relative and protocol-relative links.
  EXPECT_EQ(Content(page, "<a href=\"/about.html\">a</a>"), "<a href=\"https://server/about.html\">a</a>");
  EXPECT_EQ(Content("http://server:8080/d/p.html", "<img src=\"/i.png\">"), "<img src=\"http://server:8080/i.png\">");
  EXPECT_EQ(Content(page, "<img src=\"//cdn.example/i.png\">"), "<img src=\"https://cdn.example/i.png\">");
  // "./" and "../" go through the relative path arithmetic; steps above the site's top stop there,
  // without a message.
  EXPECT_EQ(Content(page, "<a href=\"./x.html\">x</a>"), "<a href=\"https://server/d/./x.html\">x</a>");
  EXPECT_EQ(Content(page, "<a href=\"../../../x.html\">x</a>"), "<a href=\"https://server/x.html\">x</a>");
  EXPECT_EQ(Content("https://server/", "<a href=\"../x.html\">x</a>"), "<a href=\"https://server/x.html\">x</a>");
  EXPECT_EQ(Content("https://server", "<a href=\"x.html\">x</a>"), "<a href=\"https://server/x.html\">x</a>");
  // Against a URL that is not absolute nothing can be resolved.
  EXPECT_EQ(Content("", "<a href=\"../x.html\">x</a>"), "<a href=\"../x.html\">x</a>");
  EXPECT_EQ(Content("news/a.html", "<img src=\"i.png\">"), "<img src=\"i.png\">");
  // Content is markup in HTML form even when the caller is not in HTML mode.
  EXPECT_EQ(Content(page, "<br><p>x</p>"), "<br><p>x</p>");

  EXPECT_TRUE(HasUrlScheme("mailto:x"));
  EXPECT_TRUE(HasUrlScheme("svn+ssh:x"));
  EXPECT_FALSE(HasUrlScheme("a/b:c"));
  EXPECT_FALSE(HasUrlScheme("1x:y"));
  EXPECT_FALSE(HasUrlScheme("plain.html"));
}

// Every attribute that makes a reader load a URL, not only A/HREF and IMG/SRC: each srcset candidate
// (descriptors, white space and data: URLs with commas kept), SOURCE, VIDEO poster and source, AUDIO,
// TRACK and OBJECT.
TEST_F(PageReader, EveryAttributeThatLoadsAUrlBecomesAbsolute) {
  const std::string page = "https://server/d/p.html";
  EXPECT_EQ(Content(page, "<picture><source srcset=\"s.webp 1x, big/s.webp 2x\" type=\"image/webp\">"
                          "<img src=\"s.png\" srcset=\"  a.png 640w,\n b.png 1280w , //cdn/c.png\"></picture>"),
            "<picture><source srcset=\"https://server/d/s.webp 1x, https://server/d/big/s.webp 2x\" type=\"image/webp\">"
            "<img src=\"https://server/d/s.png\" srcset=\"  https://server/d/a.png 640w,\n https://server/d/b.png 1280w , "
            "https://cdn/c.png\"></picture>");
  // A URL ends at white space; commas at its end separate it from the next candidate.
  EXPECT_EQ(Content(page, "<img srcset=\"data:image/png;base64,AA,BB 1x,x.png,, y.png 2x\">"),
            "<img srcset=\"data:image/png;base64,AA,BB 1x,https://server/d/x.png,, https://server/d/y.png 2x\">");
  EXPECT_EQ(Content(page, "<VIDEO POSTER=\"p.jpg\" src=\"/v.mp4\"><source src=\"v.webm\"><track src=\"t.vtt\"></VIDEO>"
                          "<audio src=\"../a.mp3\">a</audio><object data=\"o.svg\">o</object>"),
            "<VIDEO POSTER=\"https://server/d/p.jpg\" src=\"https://server/v.mp4\"><source src=\"https://server/d/v.webm\">"
            "<track src=\"https://server/d/t.vtt\"></VIDEO><audio src=\"https://server/a.mp3\">a</audio>"
            "<object data=\"https://server/d/o.svg\">o</object>");
  // Absolute values and other elements' attributes stay as they are.
  const std::string kept = "<img srcset=\"https://x/a.png 1x\"><div src=\"a\" poster=\"b\" data=\"c\">d</div>";
  EXPECT_EQ(Content(page, kept), kept);
  EXPECT_EQ(ResolveSrcset(page, ""), "");
  EXPECT_EQ(ResolveSrcset(page, " , "), " , ");
  EXPECT_EQ(ResolveSrcset(page, "a.png (x, y) 1x, b.png"), "https://server/d/a.png (x, y) 1x, https://server/d/b.png");
}

// With item images on, reading a page takes the first image of the marked part (mode 3) or the body,
// else the page's og:image, made absolute; with them off the item's image stays.
TEST_F(PageReader, ItemImagesFromThePage) {
  const std::string path = TempPath("image.html");
  WriteFile(path,
            "<html><head><title>t</title><meta property=\"og:image\" content=\"/og.png?a=1&amp;b=2\"></head><body>"
            "<p><img alt=\"none\"><img src=\"first.png\"></p><!--VAMELRSS START--><p>x<img src=\"img/marked.png\"></p>"
            "<!--VAMELRSS END--></body></html>");
  const std::string noImages = TempPath("plain.html");
  WriteFile(noImages, "<html><head><meta name=\"OG:IMAGE\" content=\"pics/og.jpg\"></head><body><p>x</p></body></html>");
  const std::string none = TempPath("none.html");
  WriteFile(none, "<html><body><p>x</p></body></html>");
  const std::string url = "https://server/d/p.html";
  auto image = [&](const std::string& page, int mode, bool on) {
    project.importMode = mode;
    project.ext.itemImages = on;
    CRssItem item;
    item.ext.image = "kept";
    ReadPageIntoItem(project, url, page, item);
    return item.ext.image;
  };
  EXPECT_EQ(image(path, 3, true), "https://server/d/img/marked.png");
  EXPECT_EQ(image(path, 2, true), "https://server/d/first.png");
  EXPECT_EQ(image(path, 0, true), "https://server/d/first.png");
  EXPECT_EQ(image(noImages, 3, true), "https://server/d/pics/og.jpg");
  EXPECT_EQ(image(none, 1, true), "");
  EXPECT_EQ(image(path, 3, false), "kept");
  WriteFile(path, "<html><head><meta property=\"og:image\" content=\"/og.png?a=1&amp;b=2\"></head><body></body></html>");
  EXPECT_EQ(image(path, 2, true), "https://server/og.png?a=1&b=2");
}

TEST_F(PageReader, EncodingsAndDecodedText) {
  // EUC-JP, ISO-2022-JP and UTF-16 pages: the title decoded once, the content as the page has it.
  for (const char* name : {"eucjp.html", "iso2022jp.html", "utf16le.html", "utf16be.html"}) {
    SCOPED_TRACE(name);
    CRssItem item = ReadData(name, 3);
    EXPECT_EQ(U(item.title), "坂と階段 & 路地");
    std::string content = U(item.content);
    EXPECT_NE(content.find("で書かれた古いページです。&nbsp;表示と能力の「表」「能」も正しく読めます。</p>"), std::string::npos)
        << content;
    EXPECT_NE(content.find("<a href=\"https://yamanote.example.jp/index.html\">戻る</a>"), std::string::npos) << content;
    EXPECT_NE(U(item.description).find("ページです。\u00A0表示と能力"), std::string::npos) << U(item.description);
  }

  // Titles and descriptions: references decoded (predefined, numeric, HTML named); content as it stands.
  WriteFile(TempPath("refs.html"),
            "<html><head><title>A &amp; B &#x5742;&nbsp;&#22338; &hellip; &bogus;</title></head><body>"
            "<p>x &lt;b&gt; &amp;amp; y</p><!--VAMELRSS START--><p>R&amp;D &quot;q&quot;</p><!--VAMELRSS END-->"
            "</body></html>");
  CRssItem item;
  project.importMode = 1;
  ReadPageIntoItem(project, kSite + "r.html", TempPath("refs.html"), item);
  EXPECT_EQ(U(item.title), "A & B 坂\u00A0坂 … &bogus;");
  EXPECT_EQ(U(item.description), "x <b> &amp; yR&D \"q\"");
  project.importMode = 3;
  ReadPageIntoItem(project, kSite + "r.html", TempPath("refs.html"), item);
  EXPECT_EQ(item.content, "<p>R&amp;D &quot;q&quot;</p>");
  EXPECT_EQ(item.description, "R&D \"q\"");

  // One emoji does not turn a UTF-8 page into code page 932 text, and it is kept.
  WriteFile(TempPath("emoji.html"), "<html><head><title>坂道 \xF0\x9F\x8C\xB8 散歩</title></head><body></body></html>");
  ReadPageIntoItem(project, kSite + "e.html", TempPath("emoji.html"), item);
  EXPECT_EQ(U(item.title), "坂道 🌸 散歩");
}

TEST_F(PageReader, WhatSurroundsTheRoot) {
  // The usual page parses exactly as the XML library's own load parses it.
  const std::string usual = ReadFile(ExampleSite() + "/index.html");
  CVXMLDocument doc(kHtmlCompact);
  doc.LoadText(usual);
  EXPECT_EQ(ParsePage(PageTextToInternal(usual))->GetDocumentElement()->GetXml(), doc.GetDocumentElement()->GetXml());

  // Pages that would otherwise give an empty root: an XML declaration (its encoding honoured when no
  // meta tag names one), a lower-case document type, comments around the root, a missing end tag,
  // text after the end tag.
  const std::string body = "<html><head><title>T</title></head><body><p>" + J("本文") + "</p></body>";
  const std::string pages[] = {
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\n" +
          body + "</html>",
      "<!doctype html>" + body + "</html>",
      "<!-- saved from url=(0022)http://example.jp/ -->\r\n<!-- a > b -->" + body + "</html>\n<!-- generated -->\n",
      "\xEF\xBB\xBF<!DOCTYPE html>" + body,
      body + "</HTML>\ntracking text<script>x()</script>",
  };
  for (const std::string& page : pages) {
    SCOPED_TRACE(page);
    WriteFile(TempPath("p.html"), page);
    CRssItem item;
    project.importMode = 2;
    ReadPageIntoItem(project, kSite + "p.html", TempPath("p.html"), item);
    EXPECT_EQ(item.title, "T");
    EXPECT_EQ(U(item.content), "<p>本文</p>");
  }
  // The XML declaration names the encoding of a page without a meta tag.
  WriteFile(TempPath("x.html"), "<?xml version='1.0' encoding='EUC-JP'?><html><title>\xBA\xE4</title></html>");
  CRssItem item;
  ReadPageIntoItem(project, kSite + "x.html", TempPath("x.html"), item);
  EXPECT_EQ(U(item.title), "坂");
  // A page that is a fragment or text only still reads without harm.
  EXPECT_EQ(ParsePage("just text")->GetDocumentElement()->GetText(), "just text");
  EXPECT_EQ(ParsePage("")->GetDocumentElement()->GetXml(), "");
  EXPECT_EQ(ParsePage("<br/>")->GetDocumentElement()->NodeName(), "br");
  EXPECT_EQ(ParsePage("<!-- unterminated")->GetDocumentElement()->GetChildNodes()->size(), 0u);
}

TEST_F(PageReader, DescriptionShapingAndCut) {
  // Mode 1: line breaks become spaces, leading spaces go, the cut comes before the collapse.
  std::string body;
  for (int i = 0; i < 30; ++i) body += "word  ab\r\n";  // 9 bytes each once the line break is a space
  WriteFile(TempPath("long.html"), "<html><body>  \r\n" + body + "</body></html>");
  CRssItem item;
  project.importMode = 1;
  ReadPageIntoItem(project, kSite + "l.html", TempPath("long.html"), item);
  EXPECT_LE(item.description.size(), 255u);
  EXPECT_EQ(item.description.substr(item.description.size() - 2), "..");
  EXPECT_EQ(item.description.find("  "), std::string::npos);
  EXPECT_EQ(item.description.substr(0, 18), "word ab word ab wo");
  // The cut kept 253 bytes (28 runs of "word  ab " and a "w"); the collapse then made each run 8 bytes.
  EXPECT_EQ(item.description.size(), 28u * 8 + 1 + 2);

  // Mode 3: the text of the top-level nodes up to just past 255 bytes, then cut; no line shaping.
  std::string marked;
  for (int i = 0; i < 40; ++i) marked += "<p>" + J("日本語の文") + "</p>\r\n";  // 10 bytes of text each
  WriteFile(TempPath("marked.html"), "<html><body><!--VAMELRSS START-->" + marked + "<!--VAMELRSS END--></body></html>");
  project.importMode = 3;
  ReadPageIntoItem(project, kSite + "m.html", TempPath("marked.html"), item);
  EXPECT_EQ(item.content, marked);
  // Byte 252 starts a character (each node gives 10 bytes, each line break 2): 252 bytes + "..".
  ASSERT_EQ(item.description.size(), 254u);
  EXPECT_EQ(item.description.substr(252), "..");
  EXPECT_EQ(item.description.substr(0, 12), J("日本語の文") + "\r\n");
}

TEST_F(PageReader, PagesThatCannotBeRead) {
  CRssItem item;
  item.title = "kept";
  item.content = "kept";
  item.date = 1234;
  project.importMode = 3;
  // Missing, a folder, a FIFO (never waits for a writer), a page over the size limit (sparse).
  MakeFolder(TempPath("folder.html"));
  ASSERT_EQ(::mkfifo(TempPath("fifo.html").c_str(), 0600), 0);
  {
    std::filesystem::path big = TempPath("big.html");
    WriteFile(big.string(), "<html><title>big</title>");
    std::filesystem::resize_file(big, kMaxPageBytes + 1);
  }
  for (const char* name : {"missing.html", "folder.html", "fifo.html", "big.html"}) {
    SCOPED_TRACE(name);
    ReadPageIntoItem(project, kSite + name, TempPath(name), item);
    EXPECT_EQ(item.url, kSite + name);
    EXPECT_EQ(item.title, "kept");
    EXPECT_EQ(item.content, "kept");
    EXPECT_EQ(item.date, 1234);
  }
  // A feed document made afterwards starts with the XML declaration, not an HTML document type.
  CVXMLDocument doc;
  doc.AppendChild(doc.CreateElement("rss"));
  EXPECT_EQ(doc.GetXml().rfind("<?xml", 0), 0u);

  // An empty page and one of text alone: no title, no body; mode 1 stores an empty description.
  for (const char* text : {"", "just text, no markup", "<html><head><title>t</title></head></html>"}) {
    WriteFile(TempPath("odd.html"), text);
    CRssItem odd;
    odd.description = "was";
    project.importMode = 1;
    ReadPageIntoItem(project, kSite + "o.html", TempPath("odd.html"), odd);
    EXPECT_EQ(odd.description, "");
  }
}

}  // namespace
