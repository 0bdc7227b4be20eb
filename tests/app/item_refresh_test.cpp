// The item editor's refresh from the local page or the downloaded one (a real HTTP server on
// 127.0.0.1), its duplicate message, and the marker tag dialog's default-tag rule.
#include <sys/stat.h>
#include <cstdlib>
#include <memory>

#include "support/harvest_fixture.h"
#include "app/item_refresh.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "support/missing.h"
#include "support/recording_interaction.h"
#include "support/test_server.h"

namespace {

class ItemRefresh : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    site = CopyExampleSite();
    UseFolder(project, site, 3);
    auto item = std::make_unique<CRssItem>(Local(2005, 1, 1, 0, 0, 0));
    item->url = kAbout;
    item->title = "old title";
    item->category = "notes";
    item->description = "old description";
    item->content = "old content";
    edited = item.get();
    project.Add(std::move(item));
    editor.item = edited;
    editor.LoadFrom(*edited);
    // Downloads go to the temporary folder: this test's own.
    const char* tmp = std::getenv("TMPDIR");
    hadTmp = tmp != nullptr;
    if (tmp) oldTmp = tmp;
    setenv("TMPDIR", TempFolder().c_str(), 1);
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
  }
  void TearDown() override {
    server.Stop();
    if (hadTmp) setenv("TMPDIR", oldTmp.c_str(), 1);
    else unsetenv("TMPDIR");
    HarvestTest::TearDown();
  }
  void ExpectUnchanged() {
    EXPECT_EQ(editor.title, "old title");
    EXPECT_EQ(editor.description, "old description");
    EXPECT_EQ(editor.content, "old content");
    EXPECT_EQ(editor.date, Local(2005, 1, 1, 0, 0, 0));
  }

  const std::string kAbout = "https://yamanote.example.jp/about.html";
  std::string site;
  CRssFile project;
  CRssItem* edited = nullptr;
  CItemEditorValues editor;
  CTestServer server;
  bool hadTmp = false;
  std::string oldTmp;
};

TEST_F(ItemRefresh, FromTheLocalFile) {
  // Two other items with the URL: the message once, and the fields are refilled regardless.
  for (int i = 0; i < 2; ++i) {
    auto other = std::make_unique<CRssItem>();
    other->url = kAbout;
    project.Add(std::move(other));
  }
  RefreshFromLocalFile(project, editor, site + "/about.html", ui);
  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_EQ(ui.Texts()[0], "このURLを持つアイテムがすでにあります。編集後、既存URLを削除するか、URLを変更してください。");
  EXPECT_EQ(ui.shown[0].buttons, MbButtons::Ok);
  EXPECT_EQ(U(editor.title), "このサイトについて");
  EXPECT_EQ(editor.url, kAbout);
  EXPECT_EQ(editor.date, Local(2006, 1, 1, 0, 0, 0));
  EXPECT_EQ(editor.category, "notes");
  EXPECT_NE(U(editor.content).find("<p>管理人：坂野 歩。"), std::string::npos);
  EXPECT_NE(U(editor.description).find("管理人：坂野 歩。"), std::string::npos);
  // The item itself changes only when the editor's OK stores the values.
  EXPECT_EQ(edited->title, "old title");
  editor.StoreInto(*edited);
  EXPECT_EQ(U(edited->title), "このサイトについて");
  EXPECT_EQ(edited->published, Local(2005, 1, 1, 0, 0, 0));

  // The scratch item takes the edited item's own marker tags.
  edited->startTag = "<h1>";
  edited->endTag = "</h1>";
  RefreshFromLocalFile(project, editor, site + "/about.html", ui);
  EXPECT_EQ(U(editor.content), "このサイトについて");

  // What the page does not supply becomes the new-item value: mode 2 sets no description; an
  // unreadable page leaves the URL and new-item values (the date is now).
  project.DeleteAt(2);
  project.DeleteAt(1);
  ui.shown.clear();
  edited->startTag.clear();
  edited->endTag.clear();
  project.importMode = 2;
  RefreshFromLocalFile(project, editor, site + "/about.html", ui);
  EXPECT_EQ(editor.description, "");
  EXPECT_NE(U(editor.content).find("<h1>このサイトについて</h1>"), std::string::npos);
  SetCurrentTimeOverride(Local(2007, 7, 7, 7, 7, 7));
  RefreshFromLocalFile(project, editor, site + "/missing.html", ui);
  EXPECT_EQ(editor.url, kAbout);
  EXPECT_EQ(editor.title, "");
  EXPECT_EQ(editor.content, "");
  EXPECT_EQ(editor.date, Local(2007, 7, 7, 7, 7, 7));
  EXPECT_TRUE(ui.shown.empty());
}

// The item's image comes from the page only while the project uses item images; the editor's OK stores
// it, with the hidden mark, into the item.
TEST_F(ItemRefresh, TheImageFollowsTheProjectsItemImages) {
  editor.url = "https://yamanote.example.jp/news/2006/0215.html";
  editor.image = "https://elsewhere.example/kept.png";
  RefreshFromLocalFile(project, editor, site + "/news/2006/0215.html", ui);
  EXPECT_EQ(editor.image, "https://elsewhere.example/kept.png");
  project.ext.itemImages = true;
  RefreshFromLocalFile(project, editor, site + "/news/2006/0215.html", ui);
  EXPECT_EQ(editor.image, "https://yamanote.example.jp/img/photo.png");
  editor.hidden = true;
  editor.StoreInto(*edited);
  EXPECT_EQ(edited->ext.image, "https://yamanote.example.jp/img/photo.png");
  EXPECT_TRUE(edited->ext.hidden);
  CItemEditorValues again;
  again.LoadFrom(*edited);
  EXPECT_EQ(again.image, edited->ext.image);
  EXPECT_TRUE(again.hidden);
}

TEST_F(ItemRefresh, QuestionsInOrder) {
  // No URL: the message alone.
  editor.url.clear();
  EXPECT_EQ(RefreshItem(project, editor, ui), RefreshOutcome::kNoUrl);
  ASSERT_EQ(ui.Texts().size(), 1u);
  EXPECT_EQ(ui.Texts()[0], "URLが指定されていません。参照ボタンでhtmlファイルを指定してください");

  // No to the first question: nothing changes.
  editor.url = kAbout;
  ui.Expect("HTMLファイルから最新の情報を得ます。よろしいですか？", MbAnswer::No);
  EXPECT_EQ(RefreshItem(project, editor, ui), RefreshOutcome::kDeclined);
  ExpectUnchanged();
  EXPECT_EQ(ui.shown.back().icon, MbIcon::Question);

  // Yes with a local page: refreshed from it, one question.
  ui.Expect("HTMLファイルから最新の情報を得ます。", MbAnswer::Yes);
  EXPECT_EQ(RefreshItem(project, editor, ui), RefreshOutcome::kRefreshed);
  EXPECT_EQ(U(editor.title), "このサイトについて");
  EXPECT_EQ(ui.shown.size(), 3u);

  // No local page (a URL outside the site, or a missing file): the second question; No keeps all.
  for (const std::string& url : {std::string("http://127.0.0.1:9/elsewhere.html"), std::string("https://yamanote.example.jp/gone.html")}) {
    editor.LoadFrom(*edited);
    editor.url = url;
    ui.Expect("HTMLファイルから最新の情報を得ます。", MbAnswer::Yes);
    ui.Expect("ローカルファイルが見つかりません。ネット上のhtmlから最新の情報を得ます。よろしいですか？", MbAnswer::No);
    EXPECT_EQ(RefreshItem(project, editor, ui), RefreshOutcome::kNoLocalPage);
    ExpectUnchanged();
  }
}

TEST_F(ItemRefresh, DownloadsWhenThereIsNoLocalPage) {
  if (!HaveProgram("/usr/bin/python3")) SKIP_OR_FAIL_IN_CI("no python3 for the HTTP server");
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  project.importMode = 2;

  // A failed download: its reason is shown and the values stay.
  editor.url = base + "/missing";
  ui.Expect("HTMLファイルから最新の情報を得ます。", MbAnswer::Yes);
  ui.Expect("ローカルファイルが見つかりません。", MbAnswer::Yes);
  EXPECT_EQ(RefreshOutcome::kDownloadFailed, RefreshItem(project, editor, ui));
  ASSERT_EQ(ui.shown.size(), 3u);
  EXPECT_NE(ui.Texts()[2].find("ダウンロードに失敗しました"), std::string::npos) << ui.Texts()[2];
  EXPECT_NE(ui.Texts()[2].find("404"), std::string::npos) << ui.Texts()[2];
  ExpectUnchanged();

  // The page is downloaded into the process's private folder (0700, the file 0600) and read from
  // there; a file of the user's in the temporary folder with the page's name is left alone.
  WriteFile(TempFolder() + "/page.html", "the user's own file");
  editor.url = base + "/page.html";
  ui.Expect("HTMLファイルから最新の情報を得ます。", MbAnswer::Yes);
  ui.Expect("ローカルファイルが見つかりません。", MbAnswer::Yes);
  const TimeValue before = CurrentTime();
  EXPECT_EQ(RefreshOutcome::kRefreshed, RefreshItem(project, editor, ui));
  EXPECT_EQ(U(editor.title), "テスト");
  EXPECT_EQ(U(editor.content), "<p>本文です。</p>");
  EXPECT_EQ(editor.description, "");
  EXPECT_EQ(editor.url, base + "/page.html");
  EXPECT_GE(editor.date, before - 2);  // the time of the download
  const std::string saved = PrivateTempFolder() + "/page.html";
  EXPECT_TRUE(FileExists(saved));
  EXPECT_EQ(ReadFile(TempFolder() + "/page.html"), "the user's own file");
  struct stat st {};
  ASSERT_EQ(stat(saved.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(PrivateTempFolder().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(ItemRefresh, CancellingADownloadAsksFirst) {
  if (!HaveProgram("/usr/bin/python3")) SKIP_OR_FAIL_IN_CI("no python3 for the HTTP server");
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  // The window's "キャンセル" is pressed while the server stalls after its first block: the first
  // "中止しますか？" is answered Cancel (the download goes on), the second OK.
  CRecordingInteraction rec;
  rec.cancelWhen = [](unsigned long long received) { return received > 0; };
  rec.Expect("HTMLファイルから最新の情報を得ます。", MbAnswer::Yes);
  rec.Expect("ローカルファイルが見つかりません。", MbAnswer::Yes);
  rec.ExpectQuestion(QuestionId::kCancelDownload, MbAnswer::Cancel);
  rec.ExpectQuestion(QuestionId::kCancelDownload, MbAnswer::Ok);
  editor.url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/stall";
  EXPECT_EQ(RefreshOutcome::kDownloadFailed, RefreshItem(project, editor, rec));
  rec.VerifyAllAsked();
  ASSERT_EQ(rec.shown.size(), 4u);  // the two questions of the refresh, then the cancel question twice
  EXPECT_EQ(rec.shown[3].text, "中止しますか？");
  EXPECT_EQ(rec.shown[3].buttons, MbButtons::OkCancel);
  EXPECT_EQ(rec.shown[3].icon, MbIcon::Question);
  EXPECT_EQ(rec.events.front(), "open:ダウンロード (cancellable)");
  EXPECT_EQ(rec.Events("count:"), std::vector<std::string>{"500/100000バイト"});
  EXPECT_EQ(rec.events.back(), "close");
  EXPECT_FALSE(FileExists(PrivateTempFolder() + "/stall"));
  ExpectUnchanged();
}

TEST_F(ItemRefresh, MarkerTagsFollowTheDefaults) {
  ASSERT_EQ(CRssFile::GetDefaultStartTag(), "<!--VAMELRSS START-->");
  // Empty tags open as the defaults; OK without edits keeps them empty.
  CMarkerTagValues seen = MarkerTagsOf(project, editor);
  EXPECT_EQ(seen.startTag, "<!--VAMELRSS START-->");
  EXPECT_EQ(seen.endTag, "<!--VAMELRSS END-->");
  EXPECT_EQ(seen.localFile, site + "/about.html");
  StoreMarkerTags(seen, editor);
  EXPECT_EQ(edited->startTag, "");
  EXPECT_EQ(edited->endTag, "");

  // An edited tag is stored at once, in the item (not only in the editor's values).
  CMarkerTagValues values = MarkerTagsOf(project, editor);
  values.startTag = J("<!--ここから-->");
  StoreMarkerTags(values, editor);
  EXPECT_EQ(edited->startTag, J("<!--ここから-->"));
  EXPECT_EQ(edited->endTag, "");

  // A URL outside the site has no local file for the dialog's button.
  editor.url = "http://elsewhere/x.html";
  seen = MarkerTagsOf(project, editor);
  EXPECT_EQ(seen.startTag, J("<!--ここから-->"));
  EXPECT_EQ(seen.localFile, "");
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
