// The folder scan: which files are pages, newest first, the preselection, exclusions, the import walk,
// the stored extension list, and folders that links, pipes and odd names make hazardous.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/folder_scan.h"
#include "app/interaction.h"
#include "support/harvest_fixture.h"
#include "model/rss_item.h"
#include "settings/options.h"

namespace {

class FolderScan : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    root = TempPath("site");
    MakeFolder(root);
    UseFolder(project, root, 3);
  }
  // A page at `relative` below the site with the title `title`, dated `t`.
  void Page(const std::string& relative, TimeValue t, const std::string& title = "t") {
    std::string path = root + "/" + relative;
    MakeFolder(std::filesystem::path(path).parent_path().string());
    WriteFile(path, "<html><head><title>" + title + "</title></head><body><!--VAMELRSS START-->" + title +
                        "<!--VAMELRSS END--></body></html>");
    SetModified(path, t);
  }
  std::vector<std::string> Paths(const CFolderScan& scan) const {
    std::vector<std::string> paths;
    for (const CScanRow& row : scan.GetRows()) paths.push_back(U(row.relativePath));
    return paths;
  }
  std::vector<std::string> Selected(const CFolderScan& scan) const {
    std::vector<std::string> paths;
    for (int i : scan.GetSelectedRows()) paths.push_back(U(scan.GetRows()[static_cast<size_t>(i)].relativePath));
    return paths;
  }
  void AddItem(const std::string& url, TimeValue date) {
    auto item = std::make_unique<CRssItem>(date);
    item->url = url;
    project.Add(std::move(item));
  }

  std::string root;
  CRssFile project;
};

using Names = std::vector<std::string>;

TEST_F(FolderScan, PagesByExtension) {
  const TimeValue t = Local(2006, 5, 1, 12, 0, 0);
  for (const char* name : {"INDEX.HTML", "page.Htm", "a.xhtml", "b.shtm", "c.shtml", ".hidden.html", "page.php",
                           "README", "noext.", "x.html.bak", "sub/d.htm"}) {
    Page(name, t);
  }
  CFolderScan scan(project);
  scan.Open();
  const Names expected = {".hidden.html", "INDEX.HTML", "a.xhtml", "b.shtm", "c.shtml", "page.Htm", "sub/d.htm"};
  EXPECT_EQ(Paths(scan), expected);
  const CScanRow& sub = scan.GetRows().back();
  EXPECT_EQ(sub.dateText, "2006-05-01 12:00:00");
  EXPECT_EQ(sub.folder, root + "/sub");
  EXPECT_EQ(sub.name, "d.htm");
  EXPECT_EQ(sub.Path(), root + "/sub/d.htm");

  // The local folder with a trailing separator scans the same.
  project.localFolder = root + "/";
  scan.Scan();
  EXPECT_EQ(Paths(scan), expected);
  EXPECT_EQ(scan.GetRows().back().folder, root + "/sub");

  // A missing or empty local folder lists nothing.
  project.localFolder = TempPath("none");
  scan.Scan();
  EXPECT_EQ(scan.GetCount(), 0);
  project.localFolder.clear();
  scan.Scan();
  EXPECT_EQ(scan.GetCount(), 0);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FolderScan, StoredExtensionList) {
  Page("a.html", 1000000000);
  Page("b.php", 1000000000);
  Page("c.TXT", 1000000000);
  // The defaults: the five page extensions.
  CFolderScan scan(project);
  scan.LoadExtensions();
  EXPECT_EQ(scan.GetExtensions(), (Names{"html", "htm", "shtm", "shtml", "xhtml"}));

  // The extension dialog's list (its own tests are in scan_list_dialogs_test.cpp).
  Names list = scan.GetExtensions();
  list.erase(list.begin() + 1);
  list.push_back("php");
  list.push_back("txt");
  EXPECT_EQ(list, (Names{"html", "shtm", "shtml", "xhtml", "php", "txt"}));

  // Set does not rescan; the next scan follows the list; save writes Count and name0.. in order.
  scan.SetExtensions(list);
  EXPECT_EQ(scan.GetCount(), 0);
  scan.Scan();
  EXPECT_EQ(Paths(scan), (Names{"a.html", "b.php", "c.TXT"}));
  scan.SaveExtensions();
  EXPECT_EQ(GetExtCountOption(), 6);
  EXPECT_EQ(GetExtNameOption(4), "php");

  // A shorter list leaves the values beyond its count in the store; the scan uses only the count.
  scan.SetExtensions({"PHP"});
  scan.SaveExtensions();
  EXPECT_EQ(GetExtCountOption(), 1);
  EXPECT_EQ(GetExtNameOption(5), "txt");
  CFolderScan again(project);
  again.Open();
  EXPECT_EQ(Paths(again), (Names{"b.php"}));

  // A stored count far too large is read as the limit, not as a reason to allocate.
  SetExtCountOption(2000000000);
  again.LoadExtensions();
  EXPECT_EQ(again.GetExtensions().size(), static_cast<size_t>(CFolderScan::kMaxExtensions));
  SetExtCountOption(-3);
  again.LoadExtensions();
  EXPECT_TRUE(again.GetExtensions().empty());
}

TEST_F(FolderScan, NewestFirstAndPreselection) {
  const TimeValue noon = Local(2006, 5, 1, 12, 0, 0);
  Page("same.html", noon);
  Page("later1.html", noon + 1);
  Page("later2.html", noon + 2);
  Page("earlier.html", noon - 1);
  Page("z/same2.html", noon);
  AddItem("https://yamanote.example.jp/x.html", noon);
  AddItem("https://yamanote.example.jp/y.html", noon - 3600);
  CFolderScan scan(project);
  scan.Open();
  EXPECT_EQ(Paths(scan), (Names{"later2.html", "later1.html", "same.html", "z/same2.html", "earlier.html"}));
  EXPECT_EQ(scan.GetRows()[0].dateText, "2006-05-01 12:00:02");
  // Newer than the newest item by a second is new; the same second is not.
  EXPECT_EQ(Selected(scan), (Names{"later2.html", "later1.html"}));

  // Without items the first 20 rows are selected; at most 20 are ever selected.
  for (int i = 0; i < 25; ++i) Page("many/p" + std::to_string(100 + i) + ".html", noon + 100 + i);
  CRssFile empty;
  UseFolder(empty, root, 3);
  CFolderScan fresh(empty);
  fresh.Open();
  ASSERT_EQ(fresh.GetCount(), 30);
  EXPECT_EQ(fresh.GetSelectedRows().size(), 20u);
  EXPECT_EQ(fresh.GetSelectedRows().back(), 19);
  scan.Scan();
  scan.SelectNewPages();
  EXPECT_EQ(scan.GetSelectedRows().size(), 20u);
  EXPECT_EQ(Selected(scan).front(), "many/p124.html");

  // Selection helpers.
  scan.ClearSelection();
  scan.Select(3);
  scan.Select(99);
  scan.Select(-1);
  EXPECT_EQ(scan.GetSelectedRows(), std::vector<int>{3});
  scan.SelectAll();
  EXPECT_EQ(scan.GetSelectedRows().size(), 30u);
}

TEST_F(FolderScan, ExcludingFilesAndFolders) {
  const TimeValue t = Local(2006, 5, 1, 12, 0, 0);
  Page("news/a.html", t + 4);
  Page("news/2005/b.html", t + 3);
  Page("newsletter/c.html", t + 2);
  Page("top.html", t + 1);
  project.excludedFolders = {"news"};
  CFolderScan scan(project);
  scan.Open();
  EXPECT_EQ(Paths(scan), (Names{"newsletter/c.html", "top.html"}));

  // The focused row's folder, after the question; a page in the local folder itself has none.
  scan.SetFocusRow(1);
  EXPECT_FALSE(scan.ExcludeFocusedFolder(ui));
  scan.SetFocusRow(0);
  ui.Expect("フォルダ newsletter に所属するファイルを全て対象から外しますか？", MbAnswer::No);
  EXPECT_FALSE(scan.ExcludeFocusedFolder(ui));
  ui.Expect("フォルダ newsletter に所属するファイルを全て対象から外しますか？", MbAnswer::Yes);
  EXPECT_TRUE(scan.ExcludeFocusedFolder(ui));
  EXPECT_EQ(project.excludedFolders, (Names{"news", "newsletter"}));
  EXPECT_EQ(Paths(scan), (Names{"top.html"}));
  EXPECT_EQ(Selected(scan), (Names{"top.html"}));

  // The selected files: nothing selected asks nothing; No changes nothing; Yes excludes and removes.
  scan.ClearSelection();
  EXPECT_FALSE(scan.ExcludeSelectedFiles(ui));
  scan.Select(0);
  ui.Expect("選択したファイルを対象から外しますか？", MbAnswer::No);
  EXPECT_FALSE(scan.ExcludeSelectedFiles(ui));
  ui.Expect("選択したファイルを対象から外しますか？", MbAnswer::Yes);
  EXPECT_TRUE(scan.ExcludeSelectedFiles(ui));
  EXPECT_EQ(project.excludedFiles, (Names{"top.html"}));
  EXPECT_EQ(scan.GetCount(), 0);
  for (const auto& shown : ui.shown) EXPECT_EQ(shown.icon, MbIcon::Question);

  // The list dialogs' OK replaces a list and scans again.
  scan.ReplaceExcludedFolders({"news/2005"});
  EXPECT_EQ(Paths(scan), (Names{"news/a.html", "newsletter/c.html"}));
  scan.ReplaceExcludedFiles({});
  EXPECT_EQ(Paths(scan), (Names{"news/a.html", "newsletter/c.html", "top.html"}));
}

TEST_F(FolderScan, ImportWalkFromTheBottomWithOneQuestion) {
  const TimeValue t = Local(2006, 5, 1, 12, 0, 0);
  for (int i = 1; i <= 5; ++i) Page("p" + std::to_string(i) + ".html", t + i, "page " + std::to_string(i));
  // p3 and p4 have items already; the walk goes p1, p2, then asks at p3.
  AddItem("https://yamanote.example.jp/p3.html", 0);
  AddItem("https://yamanote.example.jp/p4.html", 0);
  CFolderScan scan(project);
  scan.Open();
  ASSERT_EQ(Paths(scan), (Names{"p5.html", "p4.html", "p3.html", "p2.html", "p1.html"}));
  scan.SelectAll();
  ui.Expect("追加対象に既存のアイテムがあります。既存のアイテムを更新してもよろしいですか？", MbAnswer::No);
  CResult<int> result = scan.ImportSelected(ui);
  EXPECT_EQ(result.value, 2);
  EXPECT_TRUE(result.Cancelled());
  ASSERT_EQ(project.GetSize(), 4);
  EXPECT_EQ(project.GetAt(0)->url, "https://yamanote.example.jp/p2.html");
  EXPECT_EQ(project.GetAt(1)->url, "https://yamanote.example.jp/p1.html");
  EXPECT_EQ(project.GetAt(1)->title, "page 1");
  EXPECT_EQ(project.GetAt(2)->title, "");  // p3 untouched
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].buttons, MbButtons::YesNo);
  EXPECT_EQ(ui.shown[0].icon, MbIcon::Question);

  // Yes: one question only, every selected page imported, the newest first.
  ui.Expect("既存のアイテムを更新してもよろしいですか", MbAnswer::Yes);
  result = scan.ImportSelected(ui);
  EXPECT_EQ(result.value, 5);
  EXPECT_FALSE(result.Cancelled());
  EXPECT_EQ(ui.shown.size(), 2u);
  ASSERT_EQ(project.GetSize(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(project.GetAt(i)->url, "https://yamanote.example.jp/p" + std::to_string(5 - i) + ".html");
    EXPECT_EQ(project.GetAt(i)->date, t + 5 - i);
    EXPECT_EQ(project.GetAt(i)->content, "page " + std::to_string(5 - i));
  }

  // Only the selected rows, and no question when none of them has an item.
  CRssFile other;
  UseFolder(other, root, 3);
  CFolderScan second(other);
  second.Open();
  second.ClearSelection();
  second.Select(1);
  second.Select(3);
  result = second.ImportSelected(ui);
  EXPECT_EQ(result.value, 2);
  ASSERT_EQ(other.GetSize(), 2);
  EXPECT_EQ(other.GetAt(0)->url, "https://yamanote.example.jp/p4.html");
  EXPECT_EQ(other.GetAt(1)->url, "https://yamanote.example.jp/p2.html");
}

TEST_F(FolderScan, LinksPipesAndOddNames) {
  const TimeValue t = Local(2006, 5, 1, 12, 0, 0);
  Page("a.html", t);
  Page("d/b.html", t);
  const std::string outside = TempPath("outside");
  MakeFolder(outside);
  WriteFile(outside + "/secret.html", "<title>secret</title>");
  namespace fs = std::filesystem;
  fs::create_directory_symlink("..", root + "/d/up");                // a loop
  fs::create_directory_symlink(root, root + "/d/again");             // the root again
  fs::create_directory_symlink(outside, root + "/out");              // out of the site
  fs::create_symlink(outside + "/secret.html", root + "/secret.html");
  fs::create_symlink(root + "/a.html", root + "/alias.html");        // a page of the site: listed
  fs::create_symlink(root + "/nothing.html", root + "/dangling.html");
  ASSERT_EQ(::mkfifo((root + "/pipe.html").c_str(), 0600), 0);
  WriteFile(root + "/" + "caf\xC3\xA9.html", "x");  // carried in internal text: listed
  WriteFile(root + "/" + "\xFF\xFE.html", "x");     // not UTF-8: no internal name reaches it
  WriteFile(root + "/" + "日記.html", "<html><title>日記</title></html>");
  // Deep nesting is walked without recursion.
  std::string deep = root;
  for (int i = 0; i < 60; ++i) deep += "/n";
  MakeFolder(deep);
  Page(deep.substr(root.size() + 1) + "/deep.html", t);

  CFolderScan scan(project);
  scan.Open();
  Names paths = Paths(scan);
  std::sort(paths.begin(), paths.end());
  std::string deepRelative;
  for (int i = 0; i < 60; ++i) deepRelative += "n/";
  EXPECT_EQ(paths, (Names{"a.html", "alias.html", "café.html", "d/b.html", deepRelative + "deep.html", "日記.html"}));

  // Importing every row reads only real pages; the FIFO was never opened.
  scan.SelectAll();
  CResult<int> result = scan.ImportSelected(ui);
  EXPECT_EQ(result.value, 6);
  EXPECT_GE(project.FindItemByUrl("https://yamanote.example.jp/" + J("café.html")), 0);
  const int diary = project.FindItemByUrl("https://yamanote.example.jp/" + J("日記.html"));
  ASSERT_GE(diary, 0);
  EXPECT_EQ(U(project.GetAt(diary)->title), "日記");
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
