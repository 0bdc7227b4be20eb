// Saving a document of a feed kind writes the feed of that kind.
#include "app/vamel_rss_doc.h"
#include "platform/clock.h"
#include "support/test_env.h"

namespace {

class DocFeedSave : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(1136163784);
    CRssFile& p = doc.GetProject();
    p.siteTitle = "Site";
    p.siteUrl = "https://example.jp/";
    p.localFolder = TempFolder();
    auto item = std::make_unique<CRssItem>();
    item->url = "https://example.jp/a.html";
    item->title = "A";
    p.Add(std::move(item));
  }
  CVamelRssDoc doc{ui};
};

TEST_F(DocFeedSave, EachKindWritesItsFormat) {
  struct Case {
    int kind;
    int rssVersion;
    const char* marker;
  };
  for (const Case& c : {Case{kKindRss10, 0, "<rdf:RDF"}, Case{kKindRss10, 1, "<rss version=\"2.0\">"},
                        Case{kKindRss20, 0, "<rss version=\"2.0\">"}, Case{kKindAtom03, 0, "<feed version=\"0.3\""},
                        Case{kKindAtom10, 0, "<feed xmlns=\"http://www.w3.org/2005/Atom\">"}}) {
    doc.SetKind(c.kind);
    doc.GetProject().rssVersion = c.rssVersion;
    doc.SetModifiedFlag(true);
    std::string path = TempPath("saved" + std::to_string(c.kind) + std::to_string(c.rssVersion) + ".xml");
    ASSERT_TRUE(doc.OnSaveDocument(path)) << c.kind;
    EXPECT_NE(ReadFile(path).find(c.marker), std::string::npos) << c.kind << " " << c.rssVersion;
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), "saved" + std::to_string(c.kind) + std::to_string(c.rssVersion) + ".xml");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetKind(), c.kind);
  }
  // The project's own files and settings are untouched by a save to another path.
  EXPECT_TRUE(ReadFile(TempPath("index.rdf")).empty());
  EXPECT_EQ(doc.GetProject().rssFileName, "index.rdf");
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(DocFeedSave, FailureShowsTheFileErrorThenTheSaveMessage) {
  doc.SetKind(kKindAtom10);
  doc.SetPathName(TempPath("atom.xml"));
  doc.SetModifiedFlag(true);
  EXPECT_FALSE(doc.OnSaveDocument(TempPath("no/such/folder/atom.xml")));
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_NE(ui.Texts()[0].find("no/such/folder/atom.xml"), std::string::npos);
  EXPECT_EQ(ui.Texts()[1], "RSS/Atomファイルを保存できませんでした。使用中のソフト等があれば終了してサイド保存してください");
  EXPECT_EQ(ui.shown[1].buttons, MbButtons::Ok);
  EXPECT_EQ(doc.GetPathName(), TempPath("atom.xml"));
  EXPECT_TRUE(doc.IsModified());

  // No path and no Atom file name: nothing to write, the save message alone.
  ui.shown.clear();
  doc.GetProject().atomFileName.clear();
  EXPECT_FALSE(doc.OnSaveDocument(std::string()));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.Texts()[0], "RSS/Atomファイルを保存できませんでした。使用中のソフト等があれば終了してサイド保存してください");
}

TEST_F(DocFeedSave, ProjectKindStillSavesTheArchive) {
  doc.SetKind(kKindProject);
  ASSERT_TRUE(doc.OnSaveDocument(TempPath("site.fpj")));
  EXPECT_EQ(ReadFile(TempPath("site.fpj")).find("<?xml"), std::string::npos);
  EXPECT_FALSE(ReadFile(TempPath("site.fpj")).empty());
}

}  // namespace
