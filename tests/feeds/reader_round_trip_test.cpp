// Feeds written by our writers read back to the same project, and written again to the same bytes.
#include <memory>

#include "feeds/feed_writers.h"
#include "feeds/feed_reader.h"
#include "model/rss_file.h"
#include "support/missing.h"
#include "support/test_env.h"

namespace {

constexpr TimeValue kNow = 1700000000;

class ReaderRoundTrip : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kNow);
  }
  void TearDown() override {
    SetCurrentTimeOverride(std::nullopt);
    CRssFile::rssMode = 2;
    CRssFile::atomMode = 2;
    VamelTest::TearDown();
  }

  // A project whose text holds everything that needs escaping, Japanese, and content with "]]>".
  static void Fill(CRssFile& project) {
    project.siteTitle = J("Tom & Jerry's \"site\" 日本語");
    project.siteUrl = "https://example.jp/site/?a=1&b=2";
    project.siteDescription = J("説明 & more 'quoted'");
    project.creator = J("山田 & 'co'");
    struct ItemFields {
      const char* title;
      const char* url;
      const char* description;
      const char* content;
      const char* category;
      TimeValue date;
      TimeValue published;
    };
    const ItemFields fields[] = {
        {"A & B <c> \"d\" 'e' 表示", "https://example.jp/site/a.html?x=1&y=2", "<b>bold</b> & 能力",
         "<p>A &amp; B</p> ]]> <![CDATA[x]]>", "A&B", 1136163784, 1136000000},
        {"日本語のタイトル", "https://example.jp/site/b.html", "", "", "", 1136250000, 1136250000},
        {"plain", "https://example.jp/site/c.html", "desc", "<div>c</div>", "日記", 1136300000, 1136100000},
    };
    for (const ItemFields& s : fields) {
      auto item = std::make_unique<CRssItem>(s.published);
      item->title = J(s.title);
      item->url = s.url;
      item->description = J(s.description);
      item->content = J(s.content);
      item->category = J(s.category);
      item->date = s.date;
      project.Add(std::move(item));
    }
  }

  // Writes `project` in `format` to `path`.
  static bool Write(CRssFile& project, int format, const std::string& path) {
    switch (format) {
      case kFeedRss10: return WriteRss10(project, path).Ok();
      case kFeedRss20: return WriteRss20(project, path).Ok();
      case kFeedAtom03: return WriteAtom03(project, path).Ok();
      default: return WriteAtom10(project, path).Ok();
    }
  }

  // Writes, reads back, compares what the format carries, writes the read project and compares bytes.
  void Check(int format, const char* name) {
    SCOPED_TRACE(name);
    CRssFile original;
    Fill(original);
    original.atomFileName = name;  // the Atom self link is built from it
    const std::string first = TempPath(name);
    ASSERT_TRUE(Write(original, format, first));

    CRssFile read;
    ASSERT_TRUE(ReadFeed(read, first));
    EXPECT_EQ(read.sourceKind, format);
    const bool atom = format >= kFeedAtom03;
    const bool rss20 = format == kFeedRss20;
    EXPECT_EQ(read.siteTitle, original.siteTitle);
    EXPECT_EQ(read.siteUrl, original.siteUrl);
    EXPECT_EQ(read.siteDescription, original.siteDescription);
    EXPECT_EQ(read.creator, atom ? original.creator : std::string());
    EXPECT_EQ(read.feedId, format == kFeedAtom10 ? GetFeedId(original) : std::string());
    ASSERT_EQ(read.GetSize(), original.GetSize());
    for (int i = 0; i < original.GetSize(); ++i) {
      SCOPED_TRACE(i);
      const CRssItem& want = *original.GetAt(i);
      const CRssItem& got = *read.GetAt(i);
      EXPECT_EQ(got.title, want.title);
      EXPECT_EQ(got.url, want.url);
      EXPECT_EQ(got.description, want.description);
      EXPECT_EQ(got.content, rss20 ? std::string() : want.content);  // RSS 2.0 is written in mode 1 here
      EXPECT_EQ(got.category, want.category);
      EXPECT_EQ(got.date, want.date);
      EXPECT_EQ(got.published, atom ? want.published : kNow);
    }

    // The read project writes the same feed again.
    const std::string second = TempPath(std::string("again-") + name);
    ASSERT_TRUE(Write(read, format, second));
    EXPECT_EQ(ReadFile(second), ReadFile(first));
  }
};

}  // namespace

TEST_F(ReaderRoundTrip, EveryFormatReadsBackWhatItCarries) {
  Check(kFeedRss10, "index.rdf");
  CRssFile::rssMode = 1;  // RSS 2.0 puts the content into the description in mode 2
  Check(kFeedRss20, "rss.xml");
  Check(kFeedAtom03, "atom03.xml");
  Check(kFeedAtom10, "atom.xml");
}

TEST_F(ReaderRoundTrip, Rss20ContentComesBackAsTheDescription) {
  CRssFile original;
  Fill(original);
  ASSERT_TRUE(WriteRss20(original, TempPath("rss.xml")));
  CRssFile read;
  ASSERT_TRUE(ReadFeed(read, TempPath("rss.xml")));
  ASSERT_EQ(read.GetSize(), 3);
  EXPECT_EQ(read.GetAt(0)->description, original.GetAt(0)->content);
  EXPECT_EQ(read.GetAt(1)->description, "");  // no content: the (empty) description
  EXPECT_EQ(read.GetAt(2)->description, original.GetAt(2)->content);
  EXPECT_EQ(read.GetAt(0)->content, "");
}

TEST_F(ReaderRoundTrip, FeedsOpenedByOtherReadersAgree) {
  // python3-feedparser reads the titles and links that our reader reads from the same file.
  if (RunCommand("/usr/bin/python3 -c 'import feedparser' 2>/dev/null") != 0) {
    SKIP_OR_FAIL_IN_CI("python3-feedparser is not installed");
  }
  CRssFile original;
  Fill(original);
  ASSERT_TRUE(WriteAtom10(original, TempPath("atom.xml")));
  CRssFile read;
  ASSERT_TRUE(ReadFeed(read, TempPath("atom.xml")));
  std::string out;
  ASSERT_EQ(RunCommand("/usr/bin/python3 -c 'import feedparser,sys; d=feedparser.parse(sys.argv[1]); "
                       "[print(e.title + \"\\t\" + e.link) for e in d.entries]' " +
                           TempPath("atom.xml"),
                       &out),
            0);
  std::string ours;
  for (int i = 0; i < read.GetSize(); ++i) ours += U(read.GetAt(i)->title) + "\t" + read.GetAt(i)->url + "\n";
  EXPECT_EQ(out, ours);
}
