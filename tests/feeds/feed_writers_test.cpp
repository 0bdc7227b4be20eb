// What the writers do besides the layout: the path rule and results, failed saves, the item limit, the
// modes, the library state, and feeds built from hostile item fields.
#include <random>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "feeds/feed_items.h"
#include "feeds/feed_test_support.h"
#include "feeds/feed_writer_support.h"
#include "feeds/xml_well_formed.h"
#include "support/test_env.h"
#include "xml/vxml_options.h"

namespace {

class FeedWriters : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kWriterNow);
  }
  static int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
};

TEST_F(FeedWriters, PathRuleAndResults) {
  CRssFile project;
  BuildSmallProject(project);
  project.localFolder = TempFolder();
  // No path: the project's own paths; WriteRss and WriteAtom follow the version settings.
  CFeedWriteResult written = WriteRss(project);
  EXPECT_TRUE(written.Ok());
  EXPECT_EQ(written.value, TempPath("index.rdf"));
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rdf:RDF"), std::string::npos);
  project.rssVersion = 1;
  EXPECT_TRUE(WriteRss(project));
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rss version=\"2.0\">"), std::string::npos);
  EXPECT_TRUE(WriteAtom(project));
  EXPECT_NE(ReadFile(TempPath("atom.xml")).find("<feed version=\"0.3\""), std::string::npos);
  project.atomVersion = 1;
  EXPECT_TRUE(WriteAtom(project, TempPath("other.xml")));
  EXPECT_NE(ReadFile(TempPath("other.xml")).find("<feed xmlns=\"http://www.w3.org/2005/Atom\">"), std::string::npos);

  // No file name: nothing produced, nothing written, no message.
  project.rssFileName.clear();
  project.atomFileName.clear();
  written = WriteRss10(project);
  EXPECT_TRUE(written.value.empty());
  EXPECT_FALSE(written.Ok());
  EXPECT_TRUE(written.FirstText().empty());
  EXPECT_FALSE(WriteRss20(project));
  EXPECT_FALSE(WriteAtom03(project));
  EXPECT_FALSE(WriteAtom10(project).Ok());

  // A save that fails is produced but not saved and carries the file's message; the previous file is
  // left as it was.
  std::string before = ReadFile(TempPath("other.xml"));
  for (FeedFormat format : kAllFormats) {
    written = WriteFeed(project, format, TempPath("missing/feed.xml"));
    EXPECT_EQ(written.value, TempPath("missing/feed.xml"));
    EXPECT_FALSE(written.Ok());
    EXPECT_NE(U(written.FirstText()).find("missing/feed.xml"), std::string::npos) << U(written.FirstText());
  }
  EXPECT_EQ(ReadFile(TempPath("other.xml")), before);
}

TEST_F(FeedWriters, ItemLimitIsComparedUnsigned) {
  CRssFile project;
  BuildSampleProject(project);  // five items
  for (int limit : {0, 1, 5, 6, -1, -2147483647 - 1}) {
    project.rssCount = limit;
    project.atomCount = limit;
    const int expected = limit < 0 ? 5 : std::min(limit, 5);
    for (FeedFormat format : kAllFormats) {
      std::string path = TempPath(std::string(FormatName(format)) + ".xml");
      ASSERT_TRUE(WriteFeed(project, format, path));
      std::string text = ReadFile(path);
      const bool atom = format == FeedFormat::Atom03 || format == FeedFormat::Atom10;
      EXPECT_EQ(atom ? Count(text, "<entry>") : Count(text, "<item>") + Count(text, "<item "), expected) << FormatName(format) << " " << limit;
      if (format == FeedFormat::Rss10) {
        EXPECT_EQ(Count(text, "<rdf:li "), expected);
        EXPECT_EQ(text.find("<rdf:Seq />") != std::string::npos, expected == 0);
      }
    }
  }
}

// Hidden items and, while the project holds them back, items dated after now stay out of every feed:
// the limit counts the items written, the table of contents agrees, the feed's date is the newest item
// written, and a write after an item's date releases it.
TEST_F(FeedWriters, HiddenAndHeldBackItemsStayOut) {
  CRssFile project;
  BuildSampleProject(project);  // dates: 0 now, 1 and 2 earlier, 3 and 4 later
  project.rssCount = project.atomCount = 2;
  project.GetAt(0)->ext.hidden = true;
  project.ext.holdFuture = true;
  auto urls = [&](FeedFormat format) {
    std::string path = TempPath(std::string(FormatName(format)) + ".xml");
    EXPECT_TRUE(WriteFeed(project, format, path));
    std::string text = ReadFile(path);
    std::vector<int> written;
    for (int i = 0; i < project.GetSize(); ++i) {
      const std::string& url = project.GetAt(i)->url;
      if (text.find(url.substr(0, url.find('&'))) != std::string::npos) written.push_back(i);
    }
    if (format == FeedFormat::Rss10) {
      EXPECT_EQ(Count(text, "<rdf:li "), static_cast<int>(written.size()));
    }
    return std::make_pair(written, text);
  };
  for (FeedFormat format : kAllFormats) {
    SCOPED_TRACE(FormatName(format));
    auto [written, text] = urls(format);
    EXPECT_EQ(written, (std::vector<int>{1, 2}));
    // The newest item written: item 1 (2006-01-01 09:00 in Japan).
    const char* feedDate = format == FeedFormat::Rss20    ? "<pubDate>Sun, 01 Jan 2006 09:00:00 +0900</pubDate>\r\n\t\t<docs>"
                           : format == FeedFormat::Atom10 ? "<updated>2006-01-01T09:00:00+09:00</updated>\r\n\t<author>"
                           : format == FeedFormat::Atom03 ? "<modified>2006-01-01T09:00:00+09:00</modified>"
                                                          : "<rdf:RDF";
    EXPECT_NE(text.find(feedDate), std::string::npos);
  }
  // Item 3's date passes: the next write carries it.
  SetCurrentTimeOverride(project.GetAt(3)->date);
  project.rssCount = project.atomCount = 20;
  for (FeedFormat format : kAllFormats) EXPECT_EQ(urls(format).first, (std::vector<int>{1, 2, 3})) << FormatName(format);
  project.ext.holdFuture = false;
  for (FeedFormat format : kAllFormats) EXPECT_EQ(urls(format).first, (std::vector<int>{1, 2, 3, 4})) << FormatName(format);
  EXPECT_TRUE(project.IsKeptOutOfFeeds(*project.GetAt(0), 0));
  EXPECT_FALSE(project.IsKeptOutOfFeeds(*project.GetAt(4), 0));
}

TEST_F(FeedWriters, ModesAndEmptyFields) {
  CRssFile project;
  BuildSampleProject(project);
  project.rssCount = project.atomCount = 3;
  std::string path = TempPath("feed.xml");
  struct Expect {
    FeedFormat format;
    int mode;
    const char* element;
    int count;
  };
  // Items 0 and 1 have content, item 2 has none (and an empty category).
  for (const Expect& e : {Expect{FeedFormat::Rss10, 0, "<description", 1}, Expect{FeedFormat::Rss10, 0, "<content:encoded>", 0},
                          Expect{FeedFormat::Rss10, 1, "<description", 4}, Expect{FeedFormat::Rss10, 1, "<content:encoded>", 0},
                          Expect{FeedFormat::Rss10, 2, "<content:encoded>", 2}, Expect{FeedFormat::Rss10, 2, "<dc:subject />", 1},
                          Expect{FeedFormat::Rss20, 0, "<description", 1}, Expect{FeedFormat::Rss20, 1, "<description><![CDATA[", 0},
                          Expect{FeedFormat::Rss20, 2, "<description><![CDATA[", 2}, Expect{FeedFormat::Rss20, 2, "<category>", 2},
                          Expect{FeedFormat::Atom03, 0, "<summary", 0}, Expect{FeedFormat::Atom03, 0, "<dc:subject", 3},
                          Expect{FeedFormat::Atom03, 1, "<summary", 3}, Expect{FeedFormat::Atom03, 2, "mode=\"escaped\"", 2},
                          Expect{FeedFormat::Atom10, 0, "<content", 0}, Expect{FeedFormat::Atom10, 1, "<summary", 3},
                          Expect{FeedFormat::Atom10, 2, "<content type=\"html\" xml:lang=\"ja\"><![CDATA[", 2},
                          Expect{FeedFormat::Atom10, 2, "mode=", 0}, Expect{FeedFormat::Atom10, 2, "<category ", 2}}) {
    CRssFile::rssMode = CRssFile::atomMode = e.mode;
    ASSERT_TRUE(WriteFeed(project, e.format, path));
    EXPECT_EQ(Count(ReadFile(path), e.element), e.count) << FormatName(e.format) << " mode " << e.mode << " " << e.element;
  }
  // In RSS 2.0 mode 2 the content replaces the description text of an item that has content.
  CRssFile::rssMode = 2;
  ASSERT_TRUE(WriteRss20(project, path));
  EXPECT_EQ(ReadFile(path).find(U(J("今年もよろしく"))), std::string::npos);

  // An item without URL: no rdf:about, no rdf:resource, an empty link.
  CRssFile bare;
  bare.Add(std::make_unique<CRssItem>(kWriterNow));
  ASSERT_TRUE(WriteRss10(bare, path));
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("\t<item>\r\n"), std::string::npos);
  EXPECT_NE(text.find("<rdf:li />"), std::string::npos);
  EXPECT_NE(text.find("<link />"), std::string::npos);
  EXPECT_NE(text.find("<channel>"), std::string::npos);
}

TEST_F(FeedWriters, ClockAndLibraryState) {
  CRssFile project;
  BuildSmallProject(project);
  std::string path = TempPath("feed.xml");
  ASSERT_TRUE(WriteRss20(project, path));
  EXPECT_NE(ReadFile(path).find("<lastBuildDate>Mon, 02 Jan 2006 10:03:04 +0900</lastBuildDate>"), std::string::npos);
  SetCurrentTimeOverride(kWriterNow + 3600);
  ASSERT_TRUE(WriteRss20(project, path));
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("<lastBuildDate>Mon, 02 Jan 2006 11:03:04 +0900</lastBuildDate>"), std::string::npos);
  EXPECT_NE(text.find("<pubDate>Mon, 02 Jan 2006 10:03:04 +0900</pubDate>"), std::string::npos);  // newest item

  // A writer always writes XML, indented: mode and layout belong to its document, so a thread that
  // loads and writes pages in HTML mode at the same time changes no byte.
  std::vector<std::string> alone;
  for (FeedFormat format : kAllFormats) {
    ASSERT_TRUE(WriteFeed(project, format, path));
    alone.push_back(ReadFile(path));
    EXPECT_EQ(alone.back().rfind("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n", 0), 0u) << FormatName(format);
    EXPECT_TRUE(IsWellFormedXmlDocument(alone.back())) << FormatName(format);
  }
  std::atomic<bool> stop{false};
  std::atomic<int> pagesWrong{0};
  std::thread pages([&] {
    while (!stop) {
      CVXMLDocument page(kHtmlCompact);
      page.LoadText("<html><body><br><P CLASS=a>x</body></html>");
      const CVXMLNodeList found = page.GetDocumentElement()->GetElementsByTagName("p", kHtmlCompact);
      if (page.GetXml().rfind("<!DOCTYPE", 0) != 0 || found.GetCount() != 1) ++pagesWrong;
    }
  });
  for (int round = 0; round < 20; ++round) {
    for (size_t i = 0; i < alone.size(); ++i) {
      EXPECT_TRUE(WriteFeed(project, kAllFormats[i], path));
      EXPECT_EQ(ReadFile(path), alone[i]) << FormatName(kAllFormats[i]);
    }
  }
  stop = true;
  pages.join();
  EXPECT_EQ(pagesWrong, 0);
}

// Any bytes in any field, site fields included: control characters, invalid code page 932, "]]>", "<",
// "&", quotes, references and very long text. Every feed stays well-formed for xmllint and our own
// check, and feedparser reads every written item without complaint.
TEST_F(FeedWriters, HostileFieldsStillGiveWellFormedFeeds) {
  const std::vector<std::string> pieces = {"]]>", "]]", "<", ">", "&", "&amp;", "&nbsp;", "&#0;", "&#x3042;", "\"", "'",
                                           "<b>", "</b>", "<![CDATA[", "<!--", "-->", "\x81", "\x82\xA0", "\xFF", "\xA0",
                                           "\x85\x81", J("日本語"), "\x01", "\x1B", "\x7F", "\r\n", "\t", std::string(1, '\0'), "x", " ",
                                           "http://", "?a=1&b=2", "#", "/"};
  std::mt19937 random(20060102);
  auto field = [&](size_t maxPieces) {
    std::string s;
    size_t n = random() % (maxPieces + 1);
    for (size_t i = 0; i < n; ++i) {
      if (random() % 4 == 0) s += static_cast<char>(random() % 256);
      else s += pieces[random() % pieces.size()];
    }
    return s;
  };
  for (int round = 0; round < 3; ++round) {
    CRssFile project;
    project.siteTitle = field(8);
    project.siteUrl = field(6);
    project.siteDescription = field(8);
    project.creator = field(4);
    project.rssCount = project.atomCount = -1;
    for (int i = 0; i < 60; ++i) {
      auto item = std::make_unique<CRssItem>(static_cast<TimeValue>(random() % 2000000000));
      item->published = static_cast<TimeValue>(random() % 2000000000);
      item->url = (i % 3 == 0 ? "https://example.jp/" : "") + field(6);
      item->title = field(10);
      item->description = field(10);
      item->category = field(4);
      item->content = field(30);
      project.Add(std::move(item));
    }
    project.GetAt(0)->content = std::string(300000, 'x') + "]]>" + field(30) + "\x81";
    project.GetAt(1)->title = std::string(100000, '&') + "\x81";
    for (FeedFormat format : kAllFormats) {
      CRssFile::rssMode = CRssFile::atomMode = round % 3 == 0 ? 2 : round;
      std::string path = TempPath(std::string(FormatName(format)) + FormatExtension(format));
      ASSERT_TRUE(WriteFeed(project, format, path));
      SCOPED_TRACE(std::string(FormatName(format)) + " round " + std::to_string(round));
      EXPECT_TRUE(IsWellFormedXmlDocument(ReadFile(path)));
      std::string out;
      EXPECT_EQ(RunCommand("xmllint --noout --huge '" + path + "' 2>&1", &out), 0) << out;
      nlohmann::json feed = ReadWithFeedparser(path);
      ASSERT_FALSE(feed.is_null());
      EXPECT_EQ(feed["bozo"], 0) << feed["error"];
      EXPECT_EQ(feed["entries"].size(), 60u);
      EXPECT_EQ(feed["entries"][1]["title"].get<std::string>().substr(0, 3), "&&&");
    }
  }
}

// Site fields that look like markup but whose names no XML name may hold (as a hostile imported feed
// can set them): all four feeds stay well-formed for a strict reader, and the text survives.
TEST_F(FeedWriters, MarkupWithNamesXmlRefusesIsWrittenAsText) {
  CRssFile project;
  project.siteTitle = J("<■>x</■>");
  project.siteUrl = "https://example.jp/";
  project.siteDescription = J("<☃>snow</☃> <→>a</→>");
  project.creator = J("<°>c</°>");
  project.Add(std::make_unique<CRssItem>(kWriterNow));
  project.GetAt(0)->url = "https://example.jp/a.html";
  project.GetAt(0)->title = "a";
  for (FeedFormat format : kAllFormats) {
    SCOPED_TRACE(FormatName(format));
    std::string path = TempPath(std::string(FormatName(format)) + FormatExtension(format));
    ASSERT_TRUE(WriteFeed(project, format, path));
    EXPECT_TRUE(IsWellFormedXmlDocument(ReadFile(path)));
    nlohmann::json feed = ReadWithFeedparser(path);
    ASSERT_FALSE(feed.is_null());
    EXPECT_EQ(feed["bozo"], 0) << feed["error"];
    EXPECT_EQ(feed["feed"]["title"], "<■>x</■>");
  }
}

TEST_F(FeedWriters, ItemsMadeByTheDocumentMatchItemsMadeOnTheHeapAndFeedsStayWellFormed) {
  // The items of a document's tree are the markup of the same items made on their own, whatever the
  // fields hold, and every format stays well-formed.
  const std::vector<std::string> pieces = {"<", "&", "&amp;", "]]>", "\"", J("日本語"), "\x01", "\r\n", "\x81", "x", "?a=1&b=2"};
  std::mt19937 random(1136163784);
  auto field = [&](size_t most) {
    std::string s;
    for (size_t n = random() % (most + 1); n > 0; --n) s += pieces[random() % pieces.size()];
    return s;
  };
  CRssFile project;
  for (int i = 0; i < 700; ++i) {
    auto item = std::make_unique<CRssItem>(1136163784 + i * 3600);
    item->published = item->date - 86400;
    item->url = i % 2 ? "https://example.jp/" + std::to_string(i) + ".html" : field(4);
    item->title = field(6);
    item->description = field(6);
    item->category = i % 3 ? field(2) : std::string();
    item->content = field(12);
    project.Add(std::move(item));
  }
  CRssFile::rssMode = CRssFile::atomMode = 2;
  // Items made by a document and items made on the heap are the same markup.
  CVXMLElement* (*const makers[])(CVXMLElement&, const CRssItem&, const CFeedItemStyle&) = {
      AppendRss10Item, AppendRss20Item, AppendAtom03Entry, AppendAtom10Entry};
  for (const auto& make : makers) {
    CVXMLDocument document(kFeedOptions);
    CVXMLElement* inDocument = document.CreateElement("feed");
    document.AppendChild(inDocument);
    CVXMLElement onHeap("feed", "");
    for (int i = 0; i < project.GetSize(); ++i) {
      make(*inDocument, *project.GetAt(i), CFeedItemStyle());
      make(onHeap, *project.GetAt(i), CFeedItemStyle());
    }
    EXPECT_EQ(inDocument->GetChildNodes()->GetCount(), 700);
    EXPECT_EQ(inDocument->GetXml(kFeedOptions), onHeap.GetXml(kFeedOptions));
  }
  for (FeedFormat format : kAllFormats) {
    const std::string path = TempPath(std::string(FormatName(format)) + FormatExtension(format));
    ASSERT_TRUE(WriteFeed(project, format, path));
    std::string out;
    EXPECT_EQ(RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << FormatName(format) << out;
  }
}

}  // namespace
