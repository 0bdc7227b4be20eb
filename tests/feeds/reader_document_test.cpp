// Feed files opened as documents, and the command line's import and show of feeds.
#include <nlohmann/json.hpp>

#include "app/vamel_rss_doc.h"
#include "feeds/feed_reader.h"
#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {

class ReaderDocument : public VamelTest {
protected:
  static std::string Data(const std::string& name) { return std::string(VAMELRSS_TEST_DATA) + "/reader/" + name; }
  std::string Copy(const std::string& name, const std::string& as) {
    std::string path = TempPath(as);
    WriteFile(path, ReadFile(Data(name)));
    return path;
  }
};

}  // namespace

TEST_F(ReaderDocument, OpenByExtensionGivesTheFeedsKind) {
  struct Case {
    const char* fixture;
    const char* as;
    int kind;
  };
  for (const Case& c : {Case{"rss10.rdf", "index.Rdf", kKindRss10}, Case{"rss20.xml", "feed.XML", kKindRss20},
                        Case{"atom03.xml", "old.xml", kKindAtom03}, Case{"atom10.xml", "atom.xml", kKindAtom10}}) {
    std::string path = Copy(c.fixture, c.as);
    CVamelRssDoc doc(ui);
    doc.GetProject().feedId = "tag:previous,2000:";
    ASSERT_TRUE(doc.OnOpenDocument(path)) << c.as;
    EXPECT_EQ(doc.GetKind(), c.kind) << c.as;
    EXPECT_EQ(doc.GetProject().sourceKind, c.kind);
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), c.as);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetProject().localFolder, TempFolder());
    // Only the opened file's own name is kept.
    const bool rss = c.kind <= kKindRss20;
    EXPECT_EQ(doc.GetProject().rssFileName, rss ? c.as : "");
    EXPECT_EQ(doc.GetProject().atomFileName, rss ? "" : c.as);
    // An id read from another feed earlier does not survive.
    EXPECT_EQ(doc.GetProject().feedId, c.kind == kKindAtom10 ? "tag:example.jp,2006:" : "");
  }
  EXPECT_TRUE(ui.shown.empty());

  // ".rdf.bak" is a project file: read as the archive, which this is not.
  std::string bak = Copy("rss10.rdf", "index.rdf.bak");
  CVamelRssDoc doc(ui);
  EXPECT_FALSE(doc.OnOpenDocument(bak));
  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_EQ(ui.Texts()[0], "予期しないﾌｧｲﾙ形式です。");
}

TEST_F(ReaderDocument, FailedFeedOpenKeepsTheOpenDocument) {
  CVamelRssDoc doc(ui);
  ASSERT_TRUE(doc.OnOpenDocument(Copy("atom10.xml", "atom.xml")));
  const std::string path = doc.GetPathName();

  WriteFile(TempPath("page.xml"), "<html><body>no feed</body></html>");
  EXPECT_FALSE(doc.OnOpenDocument(TempPath("page.xml")));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.Texts()[0], "RSSファイルの取り込みに失敗しました");
  EXPECT_EQ(ui.shown[0].buttons, MbButtons::Ok);

  // A file that cannot be read: its own message first, then the import failure.
  EXPECT_FALSE(doc.OnOpenDocument(TempPath("missing.rdf")));
  ASSERT_EQ(ui.shown.size(), 3u);
  EXPECT_NE(ui.Texts()[1].find("missing.rdf"), std::string::npos);
  EXPECT_EQ(ui.Texts()[2], "RSSファイルの取り込みに失敗しました");

  EXPECT_EQ(doc.GetPathName(), path);
  EXPECT_EQ(doc.GetKind(), kKindAtom10);
  EXPECT_EQ(doc.GetProject().GetSize(), 2);
  EXPECT_EQ(doc.GetProject().siteTitle, "Atom & friends");
  EXPECT_EQ(doc.GetProject().feedId, "tag:example.jp,2006:");
}

TEST_F(ReaderDocument, OpenedAtomFeedSavesBackAsAtom10) {
  std::string path = Copy("atom10.xml", "atom.xml");
  CVamelRssDoc doc(ui);
  ASSERT_TRUE(doc.OnOpenDocument(path));
  ASSERT_TRUE(doc.OnSaveDocument(path));
  std::string written = ReadFile(path);
  EXPECT_NE(written.find("<feed xmlns=\"http://www.w3.org/2005/Atom\""), std::string::npos);
  EXPECT_NE(written.find("<id>tag:example.jp,2006:</id>"), std::string::npos);
  EXPECT_NE(written.find("<category term=\"Tech &amp; Life\" />"), std::string::npos);
  // And it reads back to the same items.
  CVamelRssDoc again(ui);
  ASSERT_TRUE(again.OnOpenDocument(path));
  ASSERT_EQ(again.GetProject().GetSize(), 2);
  EXPECT_EQ(again.GetProject().GetAt(0)->category, "Tech & Life");
  EXPECT_EQ(again.GetProject().siteUrl, "https://example.jp/?x=1&y=2");
}

TEST_F(ReaderDocument, CliImportAppendsAndSavesInTheDocumentsKind) {
  std::string site = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(site) + " --title Mine --folder /elsewhere --atom-file a.xml").status, 0);
  ASSERT_EQ(RunCli("add " + Quote(site) + " --url https://example.jp/first.html --title first").status, 0);

  std::string feed = Copy("rss20.xml", "feed.xml");
  CliResult r = RunCli("import " + Quote(site) + " " + Quote(feed));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "RSSファイルを取り込みました\n");
  nlohmann::json j = nlohmann::json::parse(RunCli("show --json " + Quote(site)).out);
  EXPECT_EQ(j["kind"], 0);
  EXPECT_EQ(j["siteTitle"], "Tom & Jerry's <site>");
  EXPECT_EQ(j["localFolder"], TempFolder());
  EXPECT_EQ(j["rssFileName"], "feed.xml");
  EXPECT_EQ(j["atomFileName"], "a.xml");
  ASSERT_EQ(j["items"].size(), 3u);
  EXPECT_EQ(j["items"][0]["title"], "first");
  EXPECT_EQ(j["items"][1]["title"], "First \"one\"");
  EXPECT_EQ(j["items"][2]["url"], "https://example.jp/2.html");

  // A feed that cannot be imported: the message, status 1, the project file untouched.
  std::string before = ReadFile(site);
  WriteFile(TempPath("bad.xml"), "<rss><item/></rss>");
  r = RunCli("import " + Quote(site) + " " + Quote(TempPath("bad.xml")));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "RSSファイルの取り込みに失敗しました\n");
  r = RunCli("import " + Quote(site) + " " + Quote(TempPath("none.xml")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("none.xml"), std::string::npos);
  EXPECT_NE(r.err.find("RSSファイルの取り込みに失敗しました"), std::string::npos);
  EXPECT_EQ(ReadFile(site), before);
  EXPECT_EQ(RunCli("import " + Quote(site)).status, 2);

  // Into a feed document: it stays an Atom 1.0 file with the entries appended.
  std::string atom = Copy("atom10.xml", "atom.xml");
  r = RunCli("import " + Quote(atom) + " " + Quote(Copy("atom03.xml", "old.xml")));
  ASSERT_EQ(r.status, 0) << r.err;
  j = nlohmann::json::parse(RunCli("show --json " + Quote(atom)).out);
  EXPECT_EQ(j["kind"], 4);
  ASSERT_EQ(j["items"].size(), 3u);
  EXPECT_EQ(j["items"][2]["title"], "Old entry");
  EXPECT_NE(ReadFile(atom).find("<feed xmlns=\"http://www.w3.org/2005/Atom\""), std::string::npos);

  r = RunCli("show " + Quote(Copy("rss10.rdf", "index.rdf")));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("rss10"), std::string::npos);
}
