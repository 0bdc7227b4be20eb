// The document's file commands and the operations of the feed commands, through the scripted interaction.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "feeds/feed_writers.h"
#include "app/feed_commands.h"
#include "app/ftp_profile_mode.h"
#include "app/import_commands.h"
#include "app/launch_commands.h"
#include "app/publish.h"
#include "app/vamel_rss_doc.h"
#include "model/project_file.h"
#include "net/ftp_set_array.h"
#include "platform/clock.h"
#include "settings/options.h"
#include "settings/recent_files.h"
#include "support/missing.h"
#include "support/test_env.h"
#include "support/test_server.h"

namespace {

class DocCommands : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(1136163784);
    SetRssViewerOption("/usr/bin/feedviewer");
    CRssFile& p = doc.GetProject();
    p.siteTitle = J("坂の日記");
    p.siteUrl = "https://example.jp/";
    p.localFolder = TempFolder();
    for (int i = 0; i < 2; ++i) {
      auto item = std::make_unique<CRssItem>(1136163784 - i * 86400);
      item->url = "https://example.jp/" + std::to_string(i) + ".html";
      item->title = "item " + std::to_string(i);
      p.Add(std::move(item));
    }
  }
  CVamelRssDoc doc{ui};
};

}  // namespace

TEST_F(DocCommands, LinkTagsAreExact) {
  const CRssFile& p = doc.GetProject();
  EXPECT_EQ(GetRssLinkTag(p), "<LINK rel=\"alternate\" TITLE=\"RSS\" TYPE=\"application/rss+xml\" HREF=\"index.rdf\">");
  EXPECT_EQ(GetAtomLinkTag(p), "<LINK rel=\"alternate\" TITLE=\"Atom\" TYPE=\"application/atom+xml\" HREF=\"atom.xml\">");
  doc.GetProject().rssFileName.clear();
  EXPECT_EQ(GetRssLinkTag(p), "<LINK rel=\"alternate\" TITLE=\"RSS\" TYPE=\"application/rss+xml\" HREF=\"\">");
}

TEST_F(DocCommands, FeedCreationMessagesAndViewer) {
  CRssFile& p = doc.GetProject();
  p.rssVersion = 1;
  // Version-specific commands write their version and leave the settings alone.
  ui.Expect("RSS1.0ファイルを作成しました。このファイルを開きますか？", MbAnswer::Yes);
  RunCreateFeed(p, FeedCommand::kRss10, ui);
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rdf:RDF"), std::string::npos);
  EXPECT_EQ(p.rssVersion, 1);
  ASSERT_EQ(ui.ran.size(), 1u);
  EXPECT_EQ(ui.ran[0], std::make_pair(std::string("/usr/bin/feedviewer"), TempPath("index.rdf")));
  EXPECT_EQ(ui.shown.back().icon, MbIcon::Information);
  ui.Expect("Atom1.0ファイルを作成しました", MbAnswer::No);
  RunCreateFeed(p, FeedCommand::kAtom10, ui);
  EXPECT_NE(ReadFile(TempPath("atom.xml")).find("http://www.w3.org/2005/Atom"), std::string::npos);
  EXPECT_EQ(p.atomVersion, 0);
  EXPECT_EQ(ui.ran.size(), 1u);
  ui.Expect("RSSファイルを作成しました。このファイルを開きますか？", MbAnswer::No);
  RunCreateFeed(p, FeedCommand::kRss, ui);  // version 2.0 from the settings
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rss version=\"2.0\">"), std::string::npos);

  // RSS fails (no name), Atom is written.
  p.rssFileName.clear();
  ui.shown.clear();
  RunCreateRssAndAtom(p, ui);
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Atomファイル の作成を完了しました"}));
  p.rssFileName = "index.rdf";
  ui.shown.clear();
  RunCreateRssAndAtom(p, ui);
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"RSSファイル Atomファイル の作成を完了しました"}));
  // Both fail: an empty name and a folder that does not exist.
  p.rssFileName.clear();
  p.localFolder = TempPath("missing");
  ui.shown.clear();
  RunCreateRssAndAtom(p, ui);
  RunCreateFeed(p, FeedCommand::kRss, ui);
  std::vector<std::string> texts = ui.Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts.back(), "作成できませんでした。サイト設定のファイル名等を確認してください");
  EXPECT_EQ(texts[texts.size() - 2], "作成できませんでした。サイト設定のファイル名等を確認してください");
}

TEST_F(DocCommands, ShowFeedAndItemCommands) {
  const CRssFile& p = doc.GetProject();
  ShowFeedFile(p, true, ui);
  ShowFeedFile(p, false, ui);
  ASSERT_EQ(ui.ran.size(), 2u);
  EXPECT_EQ(ui.ran[1].second, TempPath("atom.xml"));  // whether it exists is not tested
  doc.GetProject().rssFileName.clear();
  doc.GetProject().atomFileName.clear();
  ShowFeedFile(p, true, ui);
  ShowFeedFile(p, false, ui);
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"RSSファイル名が設定されていません", "Atomファイル名が設定されていません"}));
  EXPECT_EQ(ui.ran.size(), 2u);

  OpenItemUrl(p, 1, ui);
  OpenItemFile(p, 0, ui);
  OpenItemUrl(p, -1, ui);  // no current item: nothing
  ASSERT_EQ(ui.opened.size(), 2u);
  EXPECT_EQ(ui.opened[0], "https://example.jp/1.html");
  EXPECT_EQ(ui.opened[1], TempPath("0.html"));
  SetHtmlEditorOption("/usr/bin/htmledit");
  doc.GetProject().GetAt(1)->url = "https://other.example/x.html";
  EditItemFile(p, 1, ui);  // outside the site: the editor starts with an empty parameter
  EXPECT_EQ(ui.ran.back(), std::make_pair(std::string("/usr/bin/htmledit"), std::string()));
}

TEST_F(DocCommands, SaveAsWithEachFilterEntry) {
  const char* names[] = {"copy.fpj", "copy.rdf", "copy20.xml", "copy03.xml", "copy10.xml"};
  const char* markers[] = {nullptr, "<rdf:RDF", "<rss version=\"2.0\">", "<feed version=\"0.3\"", "xmlns=\"http://www.w3.org/2005/Atom\""};
  for (int entry = 1; entry <= 5; ++entry) {
    std::string path = TempPath(names[entry - 1]);
    int before = doc.GetKind();
    ui.ExpectFile({true, path, entry});
    ASSERT_TRUE(doc.DoSaveAs());
    const CFileDialogRequest& request = ui.fileRequests.back();
    EXPECT_TRUE(request.save);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(U(request.title), "名前を付けて保存");
    EXPECT_EQ(request.filterIndex, before + 1);  // the current kind is preselected
    EXPECT_EQ(request.defaultExt, before == 0 ? "fpj" : before == 1 ? "rdf" : "xml");
    EXPECT_EQ(U(request.filter), "VamelRSSﾃﾞｰﾀﾌｧｲﾙ(*.fpj) |*.fpj|RSS1.0ﾌｧｲﾙ(*.rdf) |*.rdf|RSS2.0ﾌｧｲﾙ(*.xml) |*.xml|"
                                 "Atomﾌｧｲﾙ(*.xml) |*.xml|全てのﾌｧｲﾙ(*.*) |*.*||");
    EXPECT_EQ(doc.GetKind(), entry - 1);
    // The document adopts the new path in every kind, the project's included.
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), names[entry - 1]);
    if (markers[entry - 1]) EXPECT_NE(ReadFile(path).find(markers[entry - 1]), std::string::npos) << entry;
    else EXPECT_EQ(ReadFile(path).substr(0, 4), std::string("\x64\0\0\0", 4));
  }
  EXPECT_EQ(ui.fileRequests[0].fileName, "rss");  // an untitled document proposes "rss"
  EXPECT_EQ(ui.fileRequests[1].fileName, TempPath("copy.fpj"));
  // Later Saves keep the chosen kind; the recent-file list has the newest first.
  EXPECT_TRUE(doc.DoSave());
  EXPECT_EQ(GetRecentFiles().front(), TempPath("copy10.xml"));
  // A cancelled chooser changes nothing.
  ui.ExpectFile({false, "", 1});
  EXPECT_FALSE(doc.DoSaveAs());
  EXPECT_EQ(doc.GetKind(), kKindAtom10);
}

TEST_F(DocCommands, NoFileIsReplacedWithoutAQuestionForTheNameReallyWritten) {
  // "feed" typed with the entry "RSS2.0ﾌｧｲﾙ(*.xml)" becomes feed.xml after the chooser's own check: the
  // question comes for feed.xml; "いいえ" shows the chooser again with that name, and cancelling it
  // leaves the file as it was.
  WriteFile(TempPath("feed.xml"), "old");
  ui.ExpectFile({true, TempPath("feed"), 3});
  ui.ExpectQuestion(QuestionId::kOverwriteFile, MbAnswer::No);
  ui.ExpectFile({false, "", 1});
  EXPECT_FALSE(doc.DoSaveAs());
  ASSERT_EQ(ui.fileRequests.size(), 2u);
  EXPECT_EQ(ui.fileRequests[1].fileName, TempPath("feed.xml"));
  EXPECT_EQ(ui.fileRequests[1].filterIndex, 3);
  EXPECT_EQ(ui.shown.at(0).text, TempPath("feed.xml") + " は既に存在します。\r\n上書きしますか?");
  EXPECT_EQ(ReadFile(TempPath("feed.xml")), "old");
  EXPECT_EQ(doc.GetKind(), kKindProject);
  // "はい" writes it; so does a name that the chooser itself checked (it has its extension).
  ui.ExpectFile({true, TempPath("feed"), 3});
  ui.ExpectQuestion(QuestionId::kOverwriteFile, MbAnswer::Yes);
  EXPECT_TRUE(doc.DoSaveAs());
  EXPECT_NE(ReadFile(TempPath("feed.xml")).find("<rss version=\"2.0\">"), std::string::npos);
  ui.ExpectFile({true, TempPath("feed.xml"), 3});
  EXPECT_TRUE(doc.DoSaveAs());
  // The same for a project file.
  WriteFile(TempPath("site.fpj"), "old");
  ui.ExpectFile({true, TempPath("site"), 1});
  ui.ExpectQuestion(QuestionId::kOverwriteFile, MbAnswer::No);
  ui.ExpectFile({false, "", 1});
  EXPECT_FALSE(doc.DoSaveAs());
  EXPECT_EQ(ReadFile(TempPath("site.fpj")), "old");
  ui.VerifyAllAsked();
}

TEST_F(DocCommands, SaveOfAnUntitledOrReadOnlyDocumentAsksWhereFirst) {
  // Untitled: the two entries of the document type, the title plus ".fpj" proposed.
  ui.ExpectFile({true, TempPath("mine"), 2});
  EXPECT_TRUE(doc.DoSave());
  const CFileDialogRequest& request = ui.fileRequests.at(0);
  EXPECT_TRUE(request.save);
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_EQ(U(request.title), "名前を付けて保存");
  EXPECT_EQ(U(request.filter), "VamelRssﾌｧｲﾙ (*.fpj)|*.fpj|すべてのﾌｧｲﾙ (*.*)|*.*||");
  EXPECT_EQ(U(request.fileName), "無題.fpj");
  EXPECT_EQ(request.defaultExt, "fpj");
  EXPECT_EQ(doc.GetPathName(), TempPath("mine.fpj"));
  EXPECT_EQ(ReadFile(TempPath("mine.fpj")).substr(0, 4), std::string("\x64\0\0\0", 4));
  // With a path: written in place, no chooser.
  EXPECT_TRUE(doc.DoSave());
  EXPECT_EQ(ui.fileRequests.size(), 1u);
  // A read-only file is never replaced by Save: the chooser comes with its path, and cancelling it
  // leaves the file alone.
  ASSERT_EQ(::chmod(TempPath("mine.fpj").c_str(), 0444), 0);
  const std::string before = ReadFile(TempPath("mine.fpj"));
  doc.GetProject().siteTitle = "changed";
  ui.ExpectFile({false, "", 1});
  EXPECT_FALSE(doc.DoSave());
  EXPECT_EQ(ui.fileRequests.at(1).fileName, TempPath("mine.fpj"));
  EXPECT_EQ(ReadFile(TempPath("mine.fpj")), before);
  ui.VerifyAllAsked();
}

TEST_F(DocCommands, NewDocumentFromTheWizardsProject) {
  ASSERT_TRUE(doc.OnSaveDocument(TempPath("site.fpj")));
  // The wizard's project, finished: a new untitled project with its settings.
  CRssFile wizard;
  EXPECT_EQ(wizard.rssFileName, "index.rdf");
  wizard.siteTitle = "new site";
  wizard.ftp.Host = "ftp.example.jp";
  doc.SetKind(kKindAtom10);
  doc.SetModifiedFlag();
  doc.NewFrom(wizard);
  EXPECT_EQ(doc.GetProject().GetSize(), 0);
  EXPECT_EQ(doc.GetProject().siteTitle, "new site");
  EXPECT_EQ(doc.GetProject().ftp.Host, "ftp.example.jp");
  EXPECT_EQ(doc.GetKind(), kKindProject);
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(doc.GetTitle(), J("無題"));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocCommands, TheSaveChangesQuestion) {
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.SaveModified());  // nothing to ask
  doc.GetProject().siteDescription = "d";
  doc.SetModifiedFlag();
  ui.Expect("無題 への変更を保存しますか?", MbAnswer::Cancel);
  EXPECT_FALSE(doc.SaveModified());
  ui.Expect("への変更を保存しますか?", MbAnswer::No);
  EXPECT_TRUE(doc.SaveModified());
  ui.Expect("への変更を保存しますか?", MbAnswer::Yes);
  ui.ExpectFile({true, TempPath("saved.fpj"), 1});
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_FALSE(doc.IsModified());
  CRssFile loaded;
  std::string message;
  ASSERT_TRUE(Did(LoadProjectFile(loaded, TempPath("saved.fpj")), message));
  EXPECT_EQ(loaded.siteDescription, "d");
}

TEST_F(DocCommands, ImportAppendsTheFeedChosen) {
  CRssFile other;
  other.siteTitle = "Feed site";
  other.siteUrl = "https://feed.example/";
  other.localFolder = TempPath("feeds");
  std::filesystem::create_directories(other.localFolder);
  other.rssFileName = "other.xml";
  other.Add(std::make_unique<CRssItem>(5));
  other.GetAt(0)->url = "https://feed.example/a";
  other.GetAt(0)->title = "A & B";
  ASSERT_TRUE(WriteRss20(other));

  ui.ExpectFile({false, "", 1});  // cancelled: nothing happens
  EXPECT_TRUE(ImportFeedCommand(doc.GetProject(), ui).Cancelled());
  ui.ExpectFile({true, TempPath("feeds/other.xml"), 1});
  EXPECT_TRUE(ImportFeedCommand(doc.GetProject(), ui));
  const CFileDialogRequest& request = ui.fileRequests.back();
  EXPECT_FALSE(request.save);
  EXPECT_EQ(U(request.title), "RSSﾌｧｲﾙ名の入力");
  EXPECT_EQ(U(request.filter), "RSSﾌｧｲﾙ(*.xml;*.rdf) |*.xml;*.rdf| 全てのﾌｧｲﾙ(*.*) |*.*||");
  EXPECT_EQ(request.defaultExt, "xml");
  EXPECT_EQ(request.fileName, "*.xml;*.rdf");
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"RSSファイルを取り込みました"}));
  const CRssFile& p = doc.GetProject();
  ASSERT_EQ(p.GetSize(), 3);
  EXPECT_EQ(p.GetAt(2)->title, "A & B");
  EXPECT_EQ(p.siteTitle, "Feed site");
  EXPECT_EQ(p.localFolder, TempPath("feeds"));
  EXPECT_EQ(p.rssFileName, "other.xml");
  EXPECT_EQ(p.atomFileName, "atom.xml");  // the other name keeps its value
  EXPECT_EQ(doc.GetKind(), kKindProject);

  WriteFile(TempPath("junk.xml"), "<html><body/></html>");
  ui.ExpectFile({true, TempPath("junk.xml"), 1});
  EXPECT_FALSE(ImportFeedCommand(doc.GetProject(), ui));
  EXPECT_EQ(ui.Texts().back(), "RSSファイルの取り込みに失敗しました");
  EXPECT_EQ(p.GetSize(), 3);
}

namespace {

// Publishing against a real FTP server on 127.0.0.1.
class DocPublish : public DocCommands {
protected:
  void SetUp() override {
    DocCommands::SetUp();
    if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    root = TempPath("ftproot");
    std::filesystem::create_directories(root + "/public_html");
    std::string error;
    ASSERT_TRUE(server.Start("ftp_server.py", {"--root", root, "--log", TempPath("ftp.log")}, TempFolder(), &error)) << error;
    CRssFile& p = doc.GetProject();
    p.ftp.Host = "127.0.0.1:" + std::to_string(server.Port());
    p.ftp.User = "alice";
    p.ftp.Pass = "secret";
    p.ftp.RemoteDir = "public_html";
    SetFtpPassiveOption(1);
  }
  void TearDown() override {
    server.Stop();
    DocCommands::TearDown();
  }
  CTestServer server;
  std::string root;
};

}  // namespace

TEST_F(DocPublish, WritesBothFeedsAsksAndUploads) {
  const CResult<CWrittenFeeds> written = WriteFeedsToPublish(doc.GetProject());
  EXPECT_TRUE(written);
  EXPECT_TRUE(written.messages.empty());
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rdf:RDF"), std::string::npos);
  EXPECT_NE(ReadFile(TempPath("atom.xml")).find("<feed"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(root + "/public_html/index.rdf"));
  ui.Expect("ftpでサーバにアップしますか？", MbAnswer::No);
  EXPECT_FALSE(ConfirmUpload(ui));
  EXPECT_EQ(ui.shown.back().icon, MbIcon::Question);
  EXPECT_EQ(ui.shown.back().buttons, MbButtons::YesNo);

  const CResult<> uploaded = UploadFeeds(doc.GetProject(), ui);
  EXPECT_TRUE(uploaded);
  ASSERT_EQ(uploaded.messages.size(), 1u);
  EXPECT_EQ(U(uploaded.messages[0].text), "転送を完了しました");
  EXPECT_EQ(uploaded.messages[0].icon, MbIcon::Information);
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf").find("\r\n"), std::string::npos);  // ASCII mode
  EXPECT_NE(ReadFile(root + "/public_html/atom.xml").find("<feed"), std::string::npos);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocPublish, FeedDocumentsConfirmThroughTheFtpPageAndUpdateTheProfile) {
  // An RSS 2.0 file is open: the FTP page in profile mode asks instead of the Yes/No question, and the
  // file keeps its format.
  doc.GetProject().rssFileName = "feed.xml";
  ASSERT_TRUE(WriteRss20(doc.GetProject()));
  CVamelRssDoc feedDoc(ui);
  ASSERT_TRUE(feedDoc.OnOpenDocument(TempPath("feed.xml")));
  ASSERT_EQ(feedDoc.GetKind(), kKindRss20);
  EXPECT_EQ(feedDoc.GetProject().rssVersion, 1);
  feedDoc.GetProject().ftp = doc.GetProject().ftp;
  CVamelProfile("Quillstone", "Marrowpad").PutString("System", "RootDir", TempFolder());
  std::string host = feedDoc.GetProject().ftp.Host;
  CFtpPageValues v = FtpProfileModeValues(feedDoc.GetProject());
  EXPECT_EQ(v.host, "");  // the default profile "標準の設定" of the sibling editor
  v.host = host;
  v.user = "alice";
  v.password = "secret";
  v.remoteDir = "public_html";
  v.passive = 1;
  v.Store(feedDoc.GetProject());
  ASSERT_TRUE(WriteFeedsToPublish(feedDoc.GetProject()));
  EXPECT_EQ(U(UploadFeeds(feedDoc.GetProject(), ui).FirstText()), "転送を完了しました");
  EXPECT_NE(ReadFile(root + "/public_html/feed.xml").find("<rss version=\"2.0\">"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(root + "/public_html/atom.xml"));  // a feed file has one name
  CFtpSetArray profiles;
  profiles.LoadProfiles("ftp");
  ASSERT_EQ(profiles.GetSize(), 1);
  EXPECT_EQ(profiles.GetAt(0).Host, host);
  EXPECT_EQ(profiles.GetAt(0).RemoteDir, "public_html");
  EXPECT_EQ(U(profiles.GetAt(0).Name), "標準の設定");
  EXPECT_EQ(feedDoc.GetProject().ftp.User, "alice");
}
