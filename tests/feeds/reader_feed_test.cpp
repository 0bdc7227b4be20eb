// The feed reader on hand-written feeds of the four formats, on Japanese feeds in several encodings,
// and on files that are not feeds.
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "feeds/feed_reader.h"
#include "model/rss_file.h"
#include "support/test_env.h"
#include "xml/vxml_options.h"

namespace {

class Reader : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kNow);
  }
  void TearDown() override {
    SetCurrentTimeOverride(std::nullopt);
    VamelTest::TearDown();
  }

  static std::string Data(const std::string& name) { return std::string(VAMELRSS_TEST_DATA) + "/reader/" + name; }

  // A copy of a fixture in the test's folder, so that the folder the reader records is known.
  std::string Copy(const std::string& name) {
    std::string path = TempPath(name);
    WriteFile(path, ReadFile(Data(name)));
    return path;
  }

  static constexpr TimeValue kNow = 1700000000;
  static constexpr TimeValue k20060102 = 1136163784;  // 2006-01-02T10:03:04+09:00
};

}  // namespace

TEST_F(Reader, Rss20ChannelItemsDatesAndReferences) {
  CRssFile project;
  project.atomFileName = "keep.xml";
  auto existing = std::make_unique<CRssItem>();
  existing->title = "already there";
  project.Add(std::move(existing));

  std::string path = Copy("rss20.xml");
  ASSERT_TRUE(ReadFeed(project, path));
  EXPECT_EQ(project.sourceKind, kFeedRss20);
  EXPECT_EQ(project.localFolder, TempFolder());
  EXPECT_EQ(project.rssFileName, "rss20.xml");
  EXPECT_EQ(project.atomFileName, "keep.xml");  // only the RSS name changes
  // References decoded once; the URL loses the layout around it; characters the code page lacks are
  // kept; an unknown or unfinished reference stays as written.
  EXPECT_EQ(project.siteTitle, "Tom & Jerry's <site>");
  EXPECT_EQ(project.siteUrl, "https://example.jp/?a=1&b=2");
  EXPECT_EQ(U(project.siteDescription), "日本語の説明 © 😀 &unknown; &amp");

  ASSERT_EQ(project.GetSize(), 3);  // appended after the existing item
  EXPECT_EQ(project.GetAt(0)->title, "already there");
  const CRssItem& first = *project.GetAt(1);
  EXPECT_EQ(first.title, "First \"one\"");
  EXPECT_EQ(first.url, "https://example.jp/1.html");
  EXPECT_EQ(first.description, "<p>Hello</p>");
  EXPECT_EQ(first.content, "<p>A &amp; B</p>");  // CDATA as it stands
  EXPECT_EQ(first.date, k20060102);              // pubDate; dc:date is not read in RSS 2.0
  EXPECT_EQ(first.published, kNow);
  EXPECT_EQ(first.category, "News");  // the first category
  const CRssItem& second = *project.GetAt(2);
  EXPECT_EQ(second.title, "Second & <raw>");  // text decoded, CDATA raw, in document order
  EXPECT_EQ(second.date, kNow);               // an unparsable date keeps the time of the import
  EXPECT_EQ(second.description, "");
  EXPECT_EQ(second.category, "Misc");
}

TEST_F(Reader, Rss10AboutLinkDcFieldsLineBreaksAndTrailingComment) {
  CRssFile project;
  ASSERT_TRUE(ReadFeed(project, Copy("rss10.rdf")));
  EXPECT_EQ(project.sourceKind, kFeedRss10);
  EXPECT_EQ(project.rssFileName, "rss10.rdf");
  EXPECT_EQ(project.siteTitle, "RSS 1.0 site");
  EXPECT_EQ(project.siteUrl, "https://example.jp/");
  EXPECT_EQ(project.siteDescription, "The site");
  // Start tags broken after their names and the comment and PI after the root still give both items.
  ASSERT_EQ(project.GetSize(), 2);
  const CRssItem& a = *project.GetAt(0);
  EXPECT_EQ(a.url, "https://example.jp/a.html");  // rdf:about when there is no link
  EXPECT_EQ(a.title, "A & B");
  EXPECT_EQ(a.description, "first");
  EXPECT_EQ(a.category, "Diary");
  EXPECT_EQ(a.date, k20060102);  // dc:date; pubDate is not read in RSS 1.0
  const CRssItem& b = *project.GetAt(1);
  EXPECT_EQ(b.url, "https://example.jp/b.html");  // link wins over rdf:about
  EXPECT_EQ(b.date, 1136214000);                  // a date alone: local midnight (Tokyo)
  EXPECT_EQ(b.published, kNow);
}

TEST_F(Reader, Atom10LinksDatesCategoryIdAndCreator) {
  CRssFile project;
  project.rssFileName = "keep.rdf";
  ASSERT_TRUE(ReadFeed(project, Copy("atom10.xml")));
  EXPECT_EQ(project.sourceKind, kFeedAtom10);
  EXPECT_EQ(project.atomFileName, "atom10.xml");
  EXPECT_EQ(project.rssFileName, "keep.rdf");
  EXPECT_EQ(project.siteTitle, "Atom & friends");
  EXPECT_EQ(project.siteUrl, "https://example.jp/?x=1&y=2");  // the alternate link, not self
  EXPECT_EQ(project.siteDescription, "Subtitle");
  EXPECT_EQ(project.feedId, "tag:example.jp,2006:");
  EXPECT_EQ(U(project.creator), "山田 & 太郎");
  ASSERT_EQ(project.GetSize(), 2);
  const CRssItem& one = *project.GetAt(0);
  EXPECT_EQ(one.url, "https://example.jp/one.html");  // an entry's first link, whatever its rel
  EXPECT_EQ(one.published, k20060102);
  EXPECT_EQ(one.date, 1136336400);            // updated wins
  EXPECT_EQ(one.category, "Tech & Life");     // from term: the element itself is empty
  EXPECT_EQ(one.description, "Sum <b>");
  EXPECT_EQ(one.content, "<p>one</p>");
  const CRssItem& two = *project.GetAt(1);
  EXPECT_EQ(two.published, kNow);  // unparsable published, no updated: both are the import time
  EXPECT_EQ(two.date, kNow);
  EXPECT_EQ(two.category, "Text wins");
}

TEST_F(Reader, Atom03AnyFirstLinkIssuedModifiedAndAuthorAnywhere) {
  CRssFile project;
  project.creator = "before";
  ASSERT_TRUE(ReadFeed(project, Copy("atom03.xml")));
  EXPECT_EQ(project.sourceKind, kFeedAtom03);
  EXPECT_EQ(project.siteUrl, "https://example.jp/atom.xml");  // the first link whatever its rel
  EXPECT_EQ(project.siteDescription, "The tagline");
  EXPECT_EQ(project.creator, "Entry author");  // the first author in the document
  EXPECT_EQ(project.feedId, "");
  ASSERT_EQ(project.GetSize(), 1);
  const CRssItem& old = *project.GetAt(0);
  EXPECT_EQ(old.published, k20060102);
  EXPECT_EQ(old.date, k20060102 + 86400);
  EXPECT_EQ(old.description, "old summary");
  EXPECT_EQ(old.content, "<b>old</b>");
  EXPECT_EQ(old.category, "Archive");

  // An Atom feed without entries and site fields is still read; what it lacks stays.
  WriteFile(TempPath("empty.xml"), "<feed version=\"0.3\"></feed>");
  ASSERT_TRUE(ReadFeed(project, TempPath("empty.xml")));
  EXPECT_EQ(project.siteTitle, "Atom 0.3 site");
  EXPECT_EQ(project.GetSize(), 1);
  EXPECT_EQ(project.atomFileName, "empty.xml");
}

TEST_F(Reader, JapaneseInEveryEncodingGivesTheSameText) {
  for (const char* name : {"ja_utf8.xml", "ja_sjis.xml", "ja_eucjp.xml", "ja_utf16.xml", "ja_iso2022jp.xml"}) {
    CRssFile project;
    ASSERT_TRUE(ReadFeed(project, Data(name))) << name;
    EXPECT_EQ(project.siteTitle, J("日本語のサイト")) << name;
    ASSERT_EQ(project.GetSize(), 1) << name;
    // The wave dash is U+301C in every encoding but Shift_JIS, whose 0x8160 code page 932 reads as
    // U+FF5E; each stays what its file says.
    const bool sjis = std::string(name) == "ja_sjis.xml";
    EXPECT_EQ(project.GetAt(0)->title, J(sjis ? "新着情報：表示と能力ソ～" : "新着情報：表示と能力ソ〜")) << name;
    EXPECT_EQ(project.GetAt(0)->description, J("アイウ＆")) << name;
  }
}

TEST_F(Reader, FilesThatAreNoFeedFailAndChangeNothing) {
  CRssFile project;
  project.siteTitle = "mine";
  project.localFolder = "/site";
  project.rssFileName = "index.rdf";
  auto check = [&](const std::string& what) {
    EXPECT_EQ(project.siteTitle, "mine") << what;
    EXPECT_EQ(project.localFolder, "/site") << what;
    EXPECT_EQ(project.rssFileName, "index.rdf") << what;
    EXPECT_EQ(project.sourceKind, 0) << what;
    EXPECT_EQ(project.GetSize(), 0) << what;
  };

  // A missing file: false with the file's own message.
  CResult<> read = ReadFeed(project, TempPath("missing.xml"));
  EXPECT_FALSE(read);
  EXPECT_NE(U(read.FirstText()).find("missing.xml"), std::string::npos);
  check("missing");

  // Empty, blank, text without markup, a prolog alone, an HTML page (read as RSS 1.0 without a channel),
  // an RSS root without a channel: false without a message.
  const char* const kNoFeed[] = {"", " \r\n", "just text", "<?xml version=\"1.0\"?>",
                                 "<html><head><title>Page</title></head><body><item>x</item></body></html>",
                                 "<rss version=\"2.0\"><item><title>t</title></item></rss>"};
  for (const char* text : kNoFeed) {
    WriteFile(TempPath("no.xml"), text);
    read = ReadFeed(project, TempPath("no.xml"));
    EXPECT_FALSE(read) << text;
    EXPECT_TRUE(read.FirstText().empty()) << text;
    check(text);
  }

  // A folder is no file either.
  read = ReadFeed(project, TempFolder());
  EXPECT_FALSE(read);
  EXPECT_FALSE(read.FirstText().empty());
  check("folder");
}

TEST_F(Reader, ItemsNestedInItemsStayLinear) {
  // Each item holds its own title first and the next item after it: every item is read.
  std::string nested = "<rss><channel><title>deep</title>";
  const int depth = 5000;
  for (int i = 0; i < depth; ++i) nested += "<item><title>t" + std::to_string(i) + "</title>";
  for (int i = 0; i < depth; ++i) nested += "</item>";
  nested += "</channel></rss>";
  WriteFile(TempPath("nested.xml"), nested);
  CRssFile project;
  ASSERT_TRUE(ReadFeed(project, TempPath("nested.xml")));
  ASSERT_EQ(project.GetSize(), depth);
  EXPECT_EQ(project.GetAt(0)->title, "t0");
  EXPECT_EQ(project.GetAt(depth - 1)->title, "t" + std::to_string(depth - 1));

  // Items inside descriptions: each description would hold the text of every item below it, which
  // grows with the square of the file. The read stops and the project is left as it was.
  std::string hostile = "<rss><channel><title>deep</title>";
  const int levels = 30000;
  for (int i = 0; i < levels; ++i) hostile += "<item><description>some text " + std::to_string(i);
  for (int i = 0; i < levels; ++i) hostile += "</description></item>";
  hostile += "</channel></rss>";
  WriteFile(TempPath("hostile.xml"), hostile);
  EXPECT_FALSE(ReadFeed(project, TempPath("hostile.xml")));
  EXPECT_EQ(project.GetSize(), depth);
  EXPECT_EQ(project.rssFileName, "nested.xml");
}

TEST_F(Reader, XmlModeNamesMatchExactly) {
  // Names are matched exactly: <Item> and <TITLE> are not item and title.
  WriteFile(TempPath("case.xml"),
            "<rss><channel><TITLE>upper</TITLE><title>lower</title><Item><title>no</title></Item>"
            "<item><title>yes</title></item></channel></rss>");
  CRssFile project;
  ASSERT_TRUE(ReadFeed(project, TempPath("case.xml")));
  EXPECT_EQ(project.siteTitle, "lower");
  ASSERT_EQ(project.GetSize(), 1);
  EXPECT_EQ(project.GetAt(0)->title, "yes");
}

TEST_F(Reader, PathsAndOutputFileNames) {
  // A bare file name is taken in the current folder, never as a file at the root.
  std::string old = std::filesystem::current_path().string();
  WriteFile(TempPath("here.rdf"), ReadFile(Data("rss10.rdf")));
  ASSERT_EQ(chdir(TempFolder().c_str()), 0);
  CRssFile project;
  bool read = ReadFeed(project, "here.rdf").Ok();
  ASSERT_EQ(chdir(old.c_str()), 0);
  ASSERT_TRUE(read);
  EXPECT_EQ(project.localFolder, std::filesystem::canonical(TempFolder()).string());
  EXPECT_EQ(project.rssFileName, "here.rdf");

  for (int code : {1, 2}) {
    SetOutputFileName(project, code, "/site/feeds/index.rdf");
    EXPECT_EQ(project.rssFileName, "index.rdf");
    EXPECT_EQ(project.atomFileName, "");
  }
  for (int code : {3, 4}) {
    SetOutputFileName(project, code, "C:\\site\\atom.xml");
    EXPECT_EQ(project.rssFileName, "");
    EXPECT_EQ(project.atomFileName, "atom.xml");
  }
  SetOutputFileName(project, 4, "bare.xml");
  EXPECT_EQ(project.atomFileName, "bare.xml");
  for (int code : {0, 5, -1}) {
    SetOutputFileName(project, code, "/site/index.rdf");
    EXPECT_EQ(project.rssFileName, "");
    EXPECT_EQ(project.atomFileName, "");
  }
}
