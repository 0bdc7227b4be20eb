// The settings pages, the sheet, the FTP profile chooser and the Options dialog without a window: what
// each page loads and stores, which pages a sheet stores, the number fields, the FTP page's profile
// mode, and what the Options command shows and stores.
#include <cstdlib>
#include <filesystem>

#include "app/ftp_profile_chooser.h"
#include "app/ftp_profile_mode.h"
#include "app/list_layout.h"
#include "app/options_model.h"
#include "app/settings_sheet.h"
#include "app/vamel_rss_doc.h"
#include "model/podcast_categories.h"
#include "model/rss_file.h"
#include "net/ftp_set_array.h"
#include "settings/options.h"
#include "settings/program_lookup.h"
#include "support/test_env.h"

namespace {

class SettingsModel : public VamelTest {
protected:
  // The sibling editor installed, with `count` profiles "p0", "p1", ... whose local folders are given.
  void InstallSibling(const std::vector<std::string>& localDirs, int setNo = 0) {
    CFtpSetArray list;
    for (size_t i = 0; i < localDirs.size(); ++i) {
      CFtpSet set;
      set.Name = "p" + std::to_string(i);
      set.Host = "host" + std::to_string(i);
      set.User = "user" + std::to_string(i);
      set.Pass = "pass" + std::to_string(i);
      set.LocalDir = localDirs[i];
      set.RemoteDir = "dir" + std::to_string(i);
      set.Url = "https://kept.example/";
      list.Add(set);
    }
    list.SetSetNo(setNo);
    CVamelProfile("Quillstone", "Marrowpad").PutInt("ftp", "Count", 0);  // the sibling is installed
    ASSERT_TRUE(IsSiblingEditorInstalled());
    list.SaveProfiles("ftp");
  }

  CFtpSetArray StoredProfiles() {
    CFtpSetArray list;
    list.LoadProfiles("ftp");
    return list;
  }
};

}  // namespace

TEST_F(SettingsModel, PagesLoadAndStoreTheirFieldsAndTheProgramWideModes) {
  CRssFile project;
  project.siteTitle = J("山の手日記");
  project.siteUrl = "https://yamanote.example.jp/";
  project.localFolder = "/srv/site";
  project.importMode = 3;
  project.rssFileName = "feed.xml";
  project.rssVersion = 1;
  project.rssCount = -4;
  project.atomVersion = 1;
  project.atomCount = 0;
  project.ftp.Host = "ftp.example.jp:2121";
  project.ftp.Pass = "secret";
  project.ftp.Url = "kept";
  CRssFile::rssMode = 1;
  CRssFile::atomMode = 0;
  SetFtpPassiveOption(1);

  CSettingsSheet sheet = CSettingsSheet::SiteSettings(project);
  for (int i = 0; i < sheet.GetPageCount(); ++i) sheet.Display(i);
  EXPECT_EQ(sheet.site.title, J("山の手日記"));
  EXPECT_EQ(sheet.dir.importMode, 3);
  EXPECT_EQ(sheet.rss.fileName, "feed.xml");
  EXPECT_EQ(sheet.rss.count, -4);
  EXPECT_EQ(sheet.rss.mode, 1);
  EXPECT_EQ(sheet.atom.version, 1);
  EXPECT_EQ(sheet.atom.mode, 0);
  EXPECT_EQ(sheet.ftp.password, "secret");
  EXPECT_EQ(sheet.ftp.passive, 1);

  sheet.site.description = J("坂道");
  sheet.dir.localFolder = "/srv/other";
  sheet.rss.version = 0;
  sheet.rss.mode = 2;
  sheet.atom.count = 15;
  sheet.atom.mode = 1;
  sheet.ftp.user = "alice";
  sheet.ftp.passive = 0;
  sheet.StoreDisplayed();
  EXPECT_EQ(project.siteDescription, J("坂道"));
  EXPECT_EQ(project.localFolder, "/srv/other");
  EXPECT_EQ(project.rssVersion, 0);
  EXPECT_EQ(project.atomCount, 15);
  EXPECT_EQ(CRssFile::rssMode, 2);
  EXPECT_EQ(CRssFile::atomMode, 1);
  EXPECT_EQ(project.ftp.User, "alice");
  EXPECT_EQ(project.ftp.Url, "kept");  // the fields no page edits stay
  EXPECT_EQ(GetFtpPassiveOption(), 0);

  // The lists' entries, as the pages offer them.
  EXPECT_EQ(ImportModeEntries(), (std::vector<std::string>{J("詳細も設定しない"), J("詳細のみ設定"),
                                                           J("詳細・内容とも設定（全て）"), J("詳細・内容とも設定（指定部分）")}));
  EXPECT_EQ(RssVersionEntries(), (std::vector<std::string>{"1.0", "2.0"}));
  EXPECT_EQ(AtomVersionEntries(), (std::vector<std::string>{"0.3", "1.0"}));
  EXPECT_EQ(FeedModeEntries(), (std::vector<std::string>{J("なし"), J("説明のみ"), J("内容あり")}));
}

TEST_F(SettingsModel, ASheetStoresOnlyThePagesDisplayedAndNothingWithoutAProject) {
  CRssFile project;
  project.rssCount = 7;
  CRssFile::rssMode = 1;
  CSettingsSheet sheet = CSettingsSheet::SiteSettings(project);
  ASSERT_EQ(sheet.GetPageCount(), 10);
  EXPECT_EQ(sheet.GetPage(5), SettingsPage::kExt);
  EXPECT_EQ(sheet.GetPage(6), SettingsPage::kJson);
  EXPECT_EQ(sheet.GetPage(7), SettingsPage::kNotify);
  EXPECT_EQ(sheet.GetPage(8), SettingsPage::kSections);
  EXPECT_EQ(sheet.GetPage(9), SettingsPage::kPodcast);
  sheet.Display(0);
  sheet.site.title = "new";
  // Values of pages never displayed are not the project's: they must not reach it.
  sheet.rss.count = 99;
  sheet.rss.mode = 0;
  sheet.Store(2);
  sheet.StoreDisplayed();
  EXPECT_EQ(project.siteTitle, "new");
  EXPECT_EQ(project.rssCount, 7);
  EXPECT_EQ(CRssFile::rssMode, 1);
  EXPECT_EQ(AppProfile().GetInt("System", "ftppasv", -1), -1);  // the FTP page never stored

  // The wizard's pages; Next stores the page left.
  CRssFile fresh;
  CSettingsSheet wizard = CSettingsSheet::NewProjectWizard(fresh);
  ASSERT_EQ(wizard.GetPageCount(), 4);
  EXPECT_EQ(wizard.GetPage(2), SettingsPage::kFtp);
  EXPECT_EQ(wizard.GetPage(3), SettingsPage::kFinish);
  wizard.Display(0);
  wizard.site.url = "https://a.example/";
  wizard.Store(0);
  EXPECT_EQ(fresh.siteUrl, "https://a.example/");

  // A sheet over values its caller holds: displaying loads nothing, storing writes nothing.
  CSettingsSheet alone(nullptr, {SettingsPage::kFtp});
  alone.ftp.host = "given";
  alone.Display(0);
  alone.StoreDisplayed();
  EXPECT_EQ(alone.ftp.host, "given");
  EXPECT_EQ(AppProfile().GetInt("System", "ftppasv", -1), -1);
}

TEST_F(SettingsModel, NumberFieldsAndTheirMessages) {
  int value = 99;
  for (auto [text, expected] : std::vector<std::pair<const char*, int>>{
           {"0", 0}, {"-3", -3}, {" 12 ", 12}, {"+5", 5}, {"\t7", 7}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}}) {
    EXPECT_TRUE(ParseIntegerField(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const char* text : {"", " ", "-", "+", "1.5", "12a", "a12", "1 2", "2147483648", "99999999999999999999", "0x10"}) {
    EXPECT_FALSE(ParseIntegerField(text, value)) << text;
  }
  EXPECT_FALSE(ParseIntegerField(J("１２"), value));  // full-width digits are not taken
  EXPECT_EQ(U(NotAnIntegerMessage().text), "整数を入力してください。");
  EXPECT_EQ(U(IntegerRangeMessage(1, 99).text), "1 から 99 までの整数を入力してください。");

  CUserMessage error;
  int percent = 0;
  EXPECT_TRUE(ParseListHeight("1", percent, error));
  EXPECT_TRUE(ParseListHeight("99", percent, error));
  EXPECT_EQ(percent, 99);
  for (const char* outside : {"0", "100", "-5"}) {
    EXPECT_FALSE(ParseListHeight(outside, percent, error)) << outside;
    EXPECT_EQ(U(error.text), "1 から 99 までの整数を入力してください。");
  }
  EXPECT_FALSE(ParseListHeight("5O", percent, error));
  EXPECT_EQ(U(error.text), "整数を入力してください。");
  EXPECT_EQ(percent, 99);  // unchanged by a refused text
}

TEST_F(SettingsModel, TheFtpPageInProfileModeShowsTheFolderProfileAndWritesItBack) {
  // "/srv/Site" holds the project's folder (letters compared without case); the first match wins.
  InstallSibling({"/srv/other", "/srv/Site", "/srv/site/blog"});
  CRssFile project;
  project.localFolder = "/srv/site/blog";
  project.ftp.Host = "project-host";
  CFtpPageValues values;
  values.SetProfileMode(true);
  values.Load(project);
  EXPECT_EQ(values.host, "host1");
  EXPECT_EQ(values.password, "pass1");
  values.user = "corrected";
  values.passive = 1;
  values.Store(project);
  EXPECT_EQ(project.ftp.Host, "host1");
  EXPECT_EQ(project.ftp.User, "corrected");
  EXPECT_EQ(GetFtpPassiveOption(), 1);
  CFtpSetArray stored = StoredProfiles();
  ASSERT_EQ(stored.GetSize(), 3);
  EXPECT_EQ(stored.GetAt(1).User, "corrected");
  EXPECT_EQ(stored.GetAt(1).Url, "https://kept.example/");  // the other fields of the profile stay
  EXPECT_EQ(stored.GetAt(2).User, "user2");

  // A folder no profile holds: the current set number's profile, and that one is written.
  InstallSibling({"/a", "/b", "/c"}, 2);
  project.localFolder = "/elsewhere";
  CFtpPageValues other;
  other.SetProfileMode(true);
  other.Load(project);
  EXPECT_EQ(other.host, "host2");
  other.remoteDir = "www";
  other.Store(project);
  EXPECT_EQ(StoredProfiles().GetAt(2).RemoteDir, "www");

  // In normal mode the profiles are neither read nor written.
  CFtpPageValues normal;
  normal.Load(project);
  EXPECT_EQ(normal.host, "host2");  // the project's, as stored just now
  normal.user = "only-the-project";
  normal.Store(project);
  EXPECT_EQ(StoredProfiles().GetAt(2).User, "user2");
}

TEST_F(SettingsModel, PublishingAFeedFileUsesTheSamePageInProfileMode) {
  // No sibling editor and no "ftp" section: the one default profile, written back on OK.
  CRssFile project;
  project.localFolder = TempFolder();
  CFtpPageValues v = FtpProfileModeValues(project);
  EXPECT_TRUE(v.IsProfileMode());
  EXPECT_EQ(v.host, "");
  v.host = "ftp.example.jp";
  v.Store(project);  // OK
  EXPECT_EQ(project.ftp.Host, "ftp.example.jp");
  CFtpSetArray stored = StoredProfiles();
  ASSERT_EQ(stored.GetSize(), 1);
  EXPECT_EQ(U(stored.GetAt(0).Name), "標準の設定");
  EXPECT_EQ(stored.GetAt(0).Host, "ftp.example.jp");
  // The page opens again with what was stored.
  EXPECT_EQ(FtpProfileModeValues(project).host, "ftp.example.jp");
  EXPECT_EQ(project.ftp.Host, "ftp.example.jp");
  EXPECT_EQ(StoredProfiles().GetAt(0).Host, "ftp.example.jp");
}

TEST_F(SettingsModel, TheProfileChooserOffersTheListAndCopiesFourValues) {
  InstallSibling({"/srv/a", "/srv/b"});
  CFtpPageValues page;
  page.host = "typed";
  CFtpProfileChoice choice;
  choice.Load();
  EXPECT_EQ(choice.profiles.size(), 2u);
  EXPECT_EQ(choice.selected, 0);
  EXPECT_EQ(choice.profiles[1].name, "p1");
  EXPECT_EQ(choice.profiles[1].localDir, "/srv/b");
  choice.selected = 1;
  ASSERT_TRUE(choice.ApplyTo(page));
  EXPECT_EQ(page.host, "host1");
  EXPECT_EQ(page.user, "user1");
  EXPECT_EQ(page.password, "pass1");
  EXPECT_EQ(page.remoteDir, "dir1");
  // Nothing valid chosen: the page keeps its values.
  for (int selected : {-1, 2}) {
    choice.selected = selected;
    EXPECT_FALSE(choice.ApplyTo(page)) << selected;
    EXPECT_EQ(page.host, "host1");
  }
  EXPECT_EQ(StoredProfiles().GetAt(1).Host, "host1");  // choosing stores nothing
}

TEST_F(SettingsModel, OptionsShowWhatIsInEffectAndStoreWhatWasEntered) {
  SetHeightPercentOption(40);
  SetListHeightPercent(65);  // the splitter moved it in this run
  CRssFile::SetDefaultStartTag("<!--S-->");
  COptionValues shown;
  shown.Load();
  EXPECT_EQ(shown.listHeight, 65);
  EXPECT_EQ(shown.openLastFile, 1);
  EXPECT_EQ(shown.startTag, "<!--S-->");
  EXPECT_EQ(shown.endTag, "<!--VAMELRSS END-->");
  EXPECT_EQ(shown.htmlEditor, GetHtmlEditorProgram());
  EXPECT_EQ(AppProfile().GetString("System", "HtmlEditor", "unset"), "unset");  // a default, never stored
  EXPECT_EQ(shown.rssViewer, GetRssViewerProgram());
  // Under each program field, where the program in effect comes from, or what happens without one.
  EXPECT_EQ(U(shown.HtmlEditorNote("")), "HTMLエディタがありません。エディタのプログラムを指定してください。");
  EXPECT_EQ(U(shown.HtmlEditorNote("/opt/edit")), "指定したプログラムを使います。");
  EXPECT_EQ(U(shown.RssViewerNote("")), "空欄のときは、デスクトップが選ぶプログラムで開きます（xdg-open）。");
  EXPECT_EQ(U(shown.RssViewerNote("/opt/view")), "指定したプログラムを使います。");
  const char* visual = std::getenv("VISUAL");
  const std::string oldVisual = visual ? visual : "";
  setenv("VISUAL", "sh -e", 1);
  COptionValues withVisual;
  withVisual.Load();
  if (oldVisual.empty()) unsetenv("VISUAL");
  else setenv("VISUAL", oldVisual.c_str(), 1);
  if (withVisual.foundEditor.source == ProgramSource::kVisual) {  // no editor of the desktop or the sibling before it
    EXPECT_EQ(withVisual.htmlEditor, "sh -e");
    EXPECT_EQ(U(withVisual.HtmlEditorNote("sh -e")), "環境変数 VISUAL のエディタを使います。");
  }

  // Loading stores nothing.
  EXPECT_EQ(ListHeightPercent(), 65);
  EXPECT_EQ(GetHeightPercentOption(), 40);

  COptionValues v;
  v.Load();
  v.openLastFile = 0;
  v.listHeight = 25;
  v.htmlEditor = "";
  v.rssViewer = "/usr/bin/feedreader";
  v.startTag = "<!--A-->";
  v.endTag = "<!--B-->";
  v.Store();  // OK
  EXPECT_EQ(GetInitFileOption(), 0);
  EXPECT_EQ(ListHeightPercent(), 25);
  EXPECT_EQ(GetHeightPercentOption(), 25);
  EXPECT_EQ(AppProfile().GetString("System", "HtmlEditor", "unset"), "");
  EXPECT_EQ(GetHtmlEditorProgram(), "");  // an emptied field stays empty
  EXPECT_EQ(GetRssViewerProgram(), "/usr/bin/feedreader");
  EXPECT_EQ(CRssFile::GetDefaultStartTag(), "<!--A-->");
  EXPECT_EQ(GetDefaultEndTagOption(), "<!--B-->");
  LoadMarkerDefaults();
  EXPECT_EQ(CRssFile::GetDefaultEndTag(), "<!--B-->");
}

TEST_F(SettingsModel, TheDocumentTakesTheStoredMarkerDefaultsWhenAProjectIsBuiltOrReset) {
  SetDefaultEndTagOption("<!--E-->");
  CVamelRssDoc doc(ui);
  EXPECT_EQ(CRssFile::GetDefaultEndTag(), "<!--E-->");
  SetDefaultStartTagOption("<!--S-->");
  EXPECT_EQ(CRssFile::GetDefaultStartTag(), "<!--VAMELRSS START-->");  // taken again on build or reset only
  doc.DeleteContents();
  EXPECT_EQ(CRssFile::GetDefaultStartTag(), "<!--S-->");
  EXPECT_EQ(CRssFile::GetDefaultEndTag(), "<!--E-->");
}

// "拡張": the page loads and stores the project's extension values; blanks around the texts go, and a
// language that is no language tag (which the page refuses) never reaches the project.
TEST_F(SettingsModel, TheExtensionPageLoadsAndStoresTheExtensions) {
  CRssFile project;
  CSettingsSheet sheet = CSettingsSheet::SiteSettings(project);
  sheet.Display(5);
  EXPECT_EQ(sheet.ext.language, "ja");
  EXPECT_FALSE(sheet.ext.selfLinks || sheet.ext.fullText || sheet.ext.itemImages || sheet.ext.holdFuture);
  sheet.ext.language = " fr-CA ";
  sheet.ext.selfLinks = sheet.ext.holdFuture = true;
  sheet.ext.siteIcon = " https://example.jp/i.ico\t";
  sheet.StoreDisplayed();
  EXPECT_EQ(project.ext.language, "fr-CA");
  EXPECT_TRUE(project.ext.selfLinks && project.ext.holdFuture && !project.ext.fullText);
  EXPECT_EQ(project.ext.siteIcon, "https://example.jp/i.ico");
  EXPECT_FALSE(IsLanguageField("fr_CA"));
  EXPECT_TRUE(IsLanguageField(" ja "));
  sheet.ext.language = "fr_CA";
  sheet.ext.selfLinks = sheet.ext.holdFuture = false;
  sheet.ext.siteIcon.clear();
  sheet.StoreDisplayed();
  EXPECT_EQ(project.ext.language, "fr-CA");
  sheet.ext.language = "ja";
  sheet.StoreDisplayed();
  EXPECT_TRUE(project.ext.IsDefault());
}


TEST_F(SettingsModel, TheJsonFeedPageLoadsAndStoresAndNeverLeavesTheFileWithoutAName) {
  CRssFile project;
  CSettingsSheet sheet = CSettingsSheet::SiteSettings(project);
  sheet.Display(6);
  EXPECT_FALSE(sheet.json.enabled);
  EXPECT_EQ(sheet.json.fileName, "feed.json");
  EXPECT_EQ(sheet.json.count, 20);
  sheet.json.enabled = true;
  sheet.json.fileName = "news.json";
  sheet.json.count = -1;
  sheet.StoreDisplayed();
  EXPECT_TRUE(project.ext.jsonFeed);
  EXPECT_EQ(project.ext.jsonFileName, "news.json");
  EXPECT_EQ(project.ext.jsonCount, -1);
  // Off with an empty name: the default name, and with the default count the classic project again.
  sheet.json.enabled = false;
  sheet.json.fileName.clear();
  sheet.json.count = 20;
  sheet.StoreDisplayed();
  EXPECT_TRUE(project.ext.IsDefault());
  EXPECT_EQ(U(JsonFileNameMissingMessage().text), "JSON Feedのファイル名を入力してください");
}

TEST_F(SettingsModel, TheNoticesPageTakesOneHubALineAndKeepsTheProjectsOnBadInput) {
  CRssFile project;
  CNotifyPageValues page;
  page.hubs = " https://hub.example.jp/ \r\n\r\nhttp://hub2.example.jp/?a=1\n";
  page.verifyUrl = true;
  page.Store(project);
  EXPECT_EQ(project.ext.websubHubs, (std::vector<std::string>{"https://hub.example.jp/", "http://hub2.example.jp/?a=1"}));
  EXPECT_TRUE(project.ext.verifyUrl);
  page.Load(project);
  EXPECT_EQ(page.hubs, "https://hub.example.jp/\r\nhttp://hub2.example.jp/?a=1\r\n");

  page.hubs = "https://ok.example.jp/\r\nftp://hub.example.jp/";
  EXPECT_FALSE(IsHubListField(page.hubs));
  page.Store(project);
  EXPECT_EQ(project.ext.websubHubs.size(), 2u);
  EXPECT_TRUE(IsHubListField("\r\n  \r\n"));
  page.hubs.clear();
  page.verifyUrl = false;
  page.Store(project);
  EXPECT_TRUE(project.ext.IsDefault());
}

// "ポッドキャスト": the choices map to the stored values, a category the tree does not hold is offered and
// kept, a bad e-mail address or image URL leaves the project's own, and the defaults leave the project
// classic.
TEST_F(SettingsModel, ThePodcastPageMapsItsChoicesAndKeepsWhatItCannotStore) {
  CRssFile project;
  project.ext.podcastCategory = "Cooking/Baking";  // from a newer tree
  CPodcastPageValues page;
  page.Load(project);
  EXPECT_FALSE(page.enabled);
  ASSERT_GE(page.categories.size(), 3u);
  EXPECT_EQ(page.categories[0], "");
  EXPECT_EQ(U(page.CategoryLabels()[0]), "（なし）");
  EXPECT_EQ(page.categories[1], "Arts");
  EXPECT_EQ(page.categories[page.category], "Cooking/Baking");
  EXPECT_EQ(page.CategoryLabels().size(), page.categories.size());
  EXPECT_EQ(PodcastExplicitLabels().size(), 3u);
  EXPECT_EQ(PodcastTypeLabels().size(), 3u);

  page.enabled = true;
  page.author = J("山田 太郎");
  page.ownerEmail = "owner@example.jp";
  page.image = "https://example.jp/art.png";
  page.category = 2;  // Arts/Books
  page.explicitness = 2;
  page.type = 2;
  page.locked = true;
  page.Store(project);
  EXPECT_TRUE(project.ext.podcast);
  EXPECT_EQ(project.ext.podcastAuthor, J("山田 太郎"));
  EXPECT_EQ(project.ext.podcastOwnerEmail, "owner@example.jp");
  EXPECT_EQ(project.ext.podcastImage, "https://example.jp/art.png");
  EXPECT_EQ(project.ext.podcastCategory, "Arts/Books");
  EXPECT_EQ(project.ext.podcastExplicit, "no");
  EXPECT_EQ(project.ext.podcastType, "serial");
  EXPECT_TRUE(project.ext.podcastLocked);
  page.Load(project);
  EXPECT_EQ(page.categories.size(), PodcastCategoryPaths().size() + 1);  // the newer category is gone now
  EXPECT_EQ(page.explicitness, 2);
  EXPECT_EQ(page.type, 2);

  page.ownerEmail = "owner";
  page.image = "file:///art.png";
  EXPECT_FALSE(IsPodcastEmailValue(page.ownerEmail));
  EXPECT_FALSE(IsPodcastImageValue(page.image));
  page.Store(project);
  EXPECT_EQ(project.ext.podcastOwnerEmail, "owner@example.jp");
  EXPECT_EQ(project.ext.podcastImage, "https://example.jp/art.png");

  page = CPodcastPageValues();
  page.Load(CRssFile());
  page.Store(project);
  EXPECT_TRUE(project.ext.IsDefault());
}
