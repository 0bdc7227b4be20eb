// Real-world pages (tests/data/pages, see LICENSES.md there) and pages written to be awkward: every
// one is read in every import mode, and what comes out is checked where the page makes it certain.
#include <filesystem>

#include "support/harvest_fixture.h"
#include "harvest/page_reader.h"
#include "model/rss_item.h"
#include "xml/vxml.h"

namespace {

class RealPages : public HarvestTest {
protected:
  CRssItem Read(const std::string& name, int mode) {
    CRssFile project;
    project.importMode = mode;
    CRssItem item;
    ReadPageIntoItem(project, "https://example.org/docs/" + name, Data(name), item);
    return item;
  }
  static std::string Data(const std::string& name) { return std::string(VAMELRSS_TEST_DATA) + "/pages/" + name; }
};

TEST_F(RealPages, EveryPageInEveryMode) {
  int pages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(VAMELRSS_TEST_DATA) + "/pages")) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".html") continue;
    ++pages;
    for (int mode = 0; mode <= 3; ++mode) {
      SCOPED_TRACE(name + " mode " + std::to_string(mode));
      CRssItem item = Read(name, mode);
      EXPECT_EQ(item.url, "https://example.org/docs/" + name);
      EXPECT_FALSE(item.title.empty());
      EXPECT_LE(item.description.size(), 255u);
      if (mode == 2) {
        EXPECT_FALSE(item.content.empty());
      }
    }
  }
  EXPECT_EQ(pages, 9);
}

TEST_F(RealPages, WhatComesOut) {
  CRssItem zlib = Read("zlib_how.html", 1);
  EXPECT_EQ(zlib.title, "zlib Usage Example");
  EXPECT_EQ(zlib.description.rfind("zlib Usage Example We often get questions about how the deflate() and inflate()", 0), 0u)
      << zlib.description;
  zlib = Read("zlib_how.html", 2);
  EXPECT_NE(zlib.content.find("<a href=\"https://example.org/docs/zpipe.c\"><tt>zpipe.c</tt></a>"), std::string::npos);
  // The code listing keeps its markup-like text as the page has it.
  EXPECT_NE(zlib.content.find("#include &lt;stdio.h&gt;"), std::string::npos);

  CRssItem xslt = Read("libxslt_xsltutils.html", 2);
  EXPECT_EQ(xslt.title, "Module xsltutils from libxslt");
  EXPECT_NE(xslt.content.find("href=\"https://example.org/docs/libxslt-xsltInternals.html"), std::string::npos);

  CRssItem underscore = Read("underscore_index.html", 1);
  EXPECT_EQ(underscore.title, "Underscore.js");
  EXPECT_EQ(underscore.description.substr(underscore.description.size() - 2), "..");

  // The awkward page: the title's "&copy;", which code page 932 lacks, is kept; two of three regions
  // close; every link form resolved soundly.
  CRssItem odd = Read("unclosed.html", 3);
  EXPECT_EQ(U(odd.title), "壊れたページ © 2006");
  EXPECT_EQ(U(odd.content),
            "<p>印<a href=\"https://example.org/docs/foo.html\">リンク</a><img src=\"https://example.org/docs/x.png\"><br>"
            "<A HREF=\"https://example.org/root.html\">根</A><div><p>入れ子<div><p>深く</div>");
  EXPECT_EQ(U(odd.description), "印リンク根入れ子深く");
  odd = Read("unclosed.html", 2);
  EXPECT_NE(odd.content.find("<a href=\"https://example.org/docs/unclosed.html#top\">"), std::string::npos) << odd.content;
  EXPECT_NE(odd.content.find("<a href=\"mailto:x@example.jp\">"), std::string::npos) << odd.content;
  EXPECT_NE(odd.content.find("<img src=\"https://cdn.example.jp/i.png\">"), std::string::npos) << odd.content;
}

}  // namespace
