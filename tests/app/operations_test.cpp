// The document's operations called directly with their inputs: each says what happened and what to
// show, and shows nothing itself.
#include <filesystem>

#include "app/feed_commands.h"
#include "app/import_commands.h"
#include "app/vamel_rss_doc.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "support/test_env.h"

namespace {

class Operations : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(1136163784);
    CRssFile& p = doc.GetProject();
    p.siteTitle = "Site";
    p.siteUrl = "https://example.jp/";
    p.localFolder = TempFolder();
    auto item = std::make_unique<CRssItem>(1136163784);
    item->url = "https://example.jp/a.html";
    item->title = "A";
    p.Add(std::move(item));
  }
  static std::vector<std::string> Texts(const std::vector<CUserMessage>& messages) {
    std::vector<std::string> texts;
    for (const CUserMessage& m : messages) texts.push_back(U(m.text));
    return texts;
  }

  // Every operation here must leave the interaction untouched: the script expects nothing.
  CVamelRssDoc doc{ui};
};

}  // namespace

TEST_F(Operations, FeedCreationSaysWhatItWroteAndWhatToAsk) {
  CRssFile& p = doc.GetProject();
  CResult<std::string> one = CreateFeed(p, FeedCommand::kRss20);
  EXPECT_TRUE(one.Ok());
  EXPECT_EQ(one.value, TempPath("index.rdf"));
  EXPECT_TRUE(one.messages.empty());
  const CUserMessage question = OpenCreatedFeedQuestion(FeedCommand::kRss20);
  EXPECT_EQ(U(question.text), "RSS2.0ファイルを作成しました。このファイルを開きますか？");
  EXPECT_EQ(question.buttons, MbButtons::YesNo);
  EXPECT_EQ(question.icon, MbIcon::Information);
  EXPECT_EQ(p.rssVersion, 0);  // a fixed version leaves the setting alone

  // A folder that does not exist: the file's message, then the creation failure, and no question.
  p.localFolder = TempPath("missing");
  one = CreateFeed(p, FeedCommand::kAtom);
  EXPECT_FALSE(one.value.empty());
  EXPECT_FALSE(one.Ok());
  ASSERT_EQ(one.messages.size(), 2u);
  EXPECT_NE(Texts(one.messages)[0].find("missing"), std::string::npos);
  EXPECT_EQ(Texts(one.messages)[1], "作成できませんでした。サイト設定のファイル名等を確認してください");

  // Both: the RSS name empty, the Atom file written.
  p.localFolder = TempFolder();
  p.rssFileName.clear();
  CResult<CWrittenFeeds> both = CreateRssAndAtom(p);
  EXPECT_TRUE(both.value.rss.value.empty());
  EXPECT_TRUE(both.value.atom.Ok());
  EXPECT_EQ(Texts(both.messages), std::vector<std::string>{"Atomファイル の作成を完了しました"});
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Operations, OpenSaveAndSaveAsReturnTheirMessages) {
  CResult<> saved = doc.SaveAs(TempPath("feed.xml"), kKindRss20);
  ASSERT_TRUE(saved);
  EXPECT_TRUE(saved.messages.empty());
  EXPECT_EQ(doc.GetKind(), kKindRss20);
  EXPECT_EQ(doc.GetPathName(), TempPath("feed.xml"));

  // A feed that cannot be written: the file's message first, then the document's.
  saved = doc.Save(TempPath("missing/feed.xml"));
  EXPECT_FALSE(saved);
  ASSERT_EQ(saved.messages.size(), 2u);
  EXPECT_NE(Texts(saved.messages)[0].find("missing/feed.xml"), std::string::npos);
  EXPECT_EQ(Texts(saved.messages)[1], "RSS/Atomファイルを保存できませんでした。使用中のソフト等があれば終了してサイド保存してください");
  EXPECT_EQ(doc.GetPathName(), TempPath("feed.xml"));

  // A project file that is not one: the format error with the exclamation icon; the document stays.
  WriteFile(TempPath("junk.fpj"), "junk");
  CResult<> opened = doc.Open(TempPath("junk.fpj"));
  EXPECT_FALSE(opened);
  ASSERT_EQ(opened.messages.size(), 1u);
  EXPECT_EQ(U(opened.messages[0].text), "予期しないﾌｧｲﾙ形式です。");
  EXPECT_EQ(opened.messages[0].icon, MbIcon::Exclamation);
  EXPECT_EQ(doc.GetProject().GetSize(), 1);

  opened = doc.Open(TempPath("feed.xml"));
  ASSERT_TRUE(opened);
  EXPECT_EQ(doc.GetKind(), kKindRss20);
  EXPECT_EQ(doc.GetProject().GetAt(0)->title, "A");
  opened = doc.Open(TempPath("gone.rdf"));
  EXPECT_FALSE(opened);
  EXPECT_EQ(Texts(opened.messages).back(), "RSSファイルの取り込みに失敗しました");
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Operations, ImportAndHarvestByPath) {
  CRssFile& p = doc.GetProject();
  CResult<std::string> written = CreateFeed(p, FeedCommand::kAtom10);
  ASSERT_TRUE(written.Ok());
  CResult<> imported = ImportFeedFile(p, written.value);
  EXPECT_TRUE(imported.Ok());
  EXPECT_EQ(Texts(imported.messages), std::vector<std::string>{"RSSファイルを取り込みました"});
  EXPECT_EQ(p.GetSize(), 2);
  imported = ImportFeedFile(p, TempPath("absent.xml"));
  EXPECT_FALSE(imported.Ok());
  ASSERT_EQ(imported.messages.size(), 2u);
  EXPECT_NE(Texts(imported.messages)[0].find("absent.xml"), std::string::npos);
  EXPECT_EQ(Texts(imported.messages)[1], "RSSファイルの取り込みに失敗しました");

  // Page paths: inside the folder, missing, outside, and a project without a folder.
  std::filesystem::create_directories(TempPath("site/news"));
  WriteFile(TempPath("site/news/a.html"), "<html><head><title>News</title></head><body>x</body></html>");
  WriteFile(TempPath("outside.html"), "<html></html>");
  p.localFolder = TempPath("site");
  CResult<std::string> page = PagePathInProject(p, TempPath("site/news/../news/a.html"));
  EXPECT_TRUE(page.Ok());
  EXPECT_EQ(page.value, TempPath("site/news/a.html"));
  EXPECT_EQ(PagePathInProject(p, TempPath("site/none.html")).FirstText(), TempPath("site/none.html") + ": no such page file");
  EXPECT_EQ(PagePathInProject(p, TempPath("outside.html")).FirstText(),
            TempPath("outside.html") + " is not inside the local folder " + TempPath("site"));
  std::vector<std::string> urls = HarvestPages(p, {page.value});
  EXPECT_EQ(urls, std::vector<std::string>{"https://example.jp/news/a.html"});
  EXPECT_EQ(p.GetAt(0)->title, "News");
  p.localFolder.clear();
  EXPECT_EQ(PagePathInProject(p, TempPath("site/news/a.html")).FirstText(), NoLocalFolderText());
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Operations, TypedQuestionsReachTheScript) {
  // The save-changes question and the question of a created feed are asked by identity.
  doc.SetModifiedFlag();
  ui.ExpectQuestion(QuestionId::kSaveChanges, MbAnswer::Cancel);
  EXPECT_FALSE(doc.SaveModified());
  ui.ExpectQuestion(QuestionId::kOpenCreatedFeed, MbAnswer::No);
  RunCreateFeed(doc.GetProject(), FeedCommand::kRss, ui);
  EXPECT_EQ(ui.asked, (std::vector<QuestionId>{QuestionId::kSaveChanges, QuestionId::kOpenCreatedFeed}));
  EXPECT_TRUE(ui.ran.empty());
}
