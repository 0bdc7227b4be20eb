// The folder scan's list dialogs without their windows: the exclusion lists (files and folders) and the
// extension list, edited on copies that only OK (Apply) hands back; the scan's busy wrapper and row
// opening; and the change that exclusions alone make to the project.
#include <filesystem>
#include <memory>

#include "app/exclusion_list_edit.h"
#include "app/extension_list_edit.h"
#include "app/folder_scan.h"
#include "model/rss_item.h"
#include "settings/options.h"
#include "support/harvest_fixture.h"

namespace {

using Names = std::vector<std::string>;

// The scripted interaction with a folder chooser that answers from a queue.
class CFolderChoosing : public CScriptedInteraction {
public:
  bool ChooseFolder(const std::string& title, const std::string& initialFolder, std::string& folder) override {
    requests.push_back({title, initialFolder});
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected folder chooser";
      return false;
    }
    folder = answers.front();
    answers.erase(answers.begin());
    return !folder.empty();
  }
  Names answers;  // "" cancels
  std::vector<std::pair<std::string, std::string>> requests;
};

class ScanListDialogs : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    root = TempPath("site");
    UseFolder(project, root, 3);
    const TimeValue t = Local(2006, 5, 1, 12, 0, 0);
    int age = 0;
    for (const char* page : {"news/a.html", "news/2005/b.html", "newsletter/c.html", "top.html", "d.php"}) {
      const std::string path = root + "/" + page;
      MakeFolder(std::filesystem::path(path).parent_path().string());
      WriteFile(path, "<html><title>t</title></html>");
      SetModified(path, t - age++);
    }
  }
  static Names Paths(const CFolderScan& scan) {
    Names paths;
    for (const CScanRow& row : scan.GetRows()) paths.push_back(row.relativePath);
    return paths;
  }

  std::string root;
  CRssFile project;
};

TEST_F(ScanListDialogs, ExcludedFilesChangeOnlyOnOk) {
  project.excludedFiles = {"top.html"};
  CFolderScan scan(project);
  scan.Open();
  const Names before = Paths(scan);
  ASSERT_EQ(before, (Names{"news/a.html", "news/2005/b.html", "newsletter/c.html"}));

  // The dialog works on a copy: adding the relative path of a chosen file and removing an entry after
  // its question change nothing when it is cancelled.
  {
    CExclusionListEdit list(scan.GetProject(), ExclusionKind::kFiles);
    EXPECT_EQ(list.Kind(), ExclusionKind::kFiles);
    EXPECT_EQ(list.Entries(), Names{"top.html"});
    EXPECT_EQ(list.GetSelection(), -1);
    EXPECT_FALSE(list.Remove(ui));  // nothing selected: no question
    ui.ExpectFile(CFileDialogResult{true, root + "/news/a.html", 1});
    EXPECT_TRUE(list.Add(ui));
    EXPECT_EQ(list.Entries(), (Names{"top.html", "news/a.html"}));
    EXPECT_EQ(list.GetSelection(), 1);
    ui.ExpectFile(CFileDialogResult{});
    EXPECT_FALSE(list.Add(ui));
    list.Select(0);
    ui.Expect("top.html を削除しますか？", MbAnswer::No);
    EXPECT_FALSE(list.Remove(ui));
    ui.Expect("top.html を削除しますか？", MbAnswer::Yes);
    EXPECT_TRUE(list.Remove(ui));
    EXPECT_EQ(list.Entries(), Names{"news/a.html"});
    EXPECT_EQ(list.GetSelection(), 0);  // the entry that took its place
  }  // cancelled: never applied
  EXPECT_EQ(project.excludedFiles, Names{"top.html"});
  EXPECT_EQ(Paths(scan), before);
  // The chooser of "追加(&A)...".
  ASSERT_EQ(ui.fileRequests.size(), 2u);
  const CFileDialogRequest& request = ui.fileRequests[0];
  EXPECT_EQ(U(request.title), "ファイルの追加");
  EXPECT_EQ(U(request.filter), "HTMLﾌｧｲﾙ(*.htm*) |*.htm*|全てのﾌｧｲﾙ(*.*) |*.*||");
  EXPECT_EQ(request.fileName, "*.htm*");
  EXPECT_EQ(request.defaultExt, "htm");
  EXPECT_TRUE(request.mustExist);
  EXPECT_FALSE(request.save);
  for (const auto& shown : ui.shown) {
    EXPECT_EQ(shown.buttons, MbButtons::YesNo);
    EXPECT_EQ(shown.icon, MbIcon::Question);
  }

  // OK: the list replaces the project's and the scan runs again with it, the new pages selected.
  {
    CExclusionListEdit list(scan.GetProject(), ExclusionKind::kFiles);
    ui.ExpectFile(CFileDialogResult{true, root + "/news/a.html", 2});
    EXPECT_TRUE(list.Add(ui));
    list.Apply(scan);
  }
  EXPECT_EQ(project.excludedFiles, (Names{"top.html", "news/a.html"}));
  EXPECT_EQ(Paths(scan), (Names{"news/2005/b.html", "newsletter/c.html"}));
  EXPECT_EQ(scan.GetSelectedRows(), (std::vector<int>{0, 1}));
}

TEST_F(ScanListDialogs, ExcludedFoldersByTheirRelativePath) {
  CFolderChoosing chooser;
  CFolderScan scan(project);
  scan.Open();
  {
    CExclusionListEdit list(scan.GetProject(), ExclusionKind::kFolders);
    EXPECT_TRUE(list.Entries().empty());
    chooser.answers = {"", root + "/news/", root + "/news/2005"};
    EXPECT_FALSE(list.Add(chooser));  // cancelled
    EXPECT_TRUE(list.Add(chooser));
    EXPECT_TRUE(list.Add(chooser));
    EXPECT_EQ(list.Entries(), (Names{"news", "news/2005"}));
    list.Select(1);
    chooser.Expect("news/2005 を削除しますか？", MbAnswer::Yes);
    EXPECT_TRUE(list.Remove(chooser));
    EXPECT_EQ(list.GetSelection(), 0);  // the new last entry
    list.Apply(scan);
  }
  chooser.VerifyAllAsked();
  // The chooser starts at the local folder, with its default heading.
  ASSERT_EQ(chooser.requests.size(), 3u);
  EXPECT_EQ(chooser.requests[0], std::make_pair(std::string(), root));
  // "news" hides everything below it, not the folder that only begins like it.
  EXPECT_EQ(project.excludedFolders, Names{"news"});
  EXPECT_EQ(Paths(scan), (Names{"newsletter/c.html", "top.html"}));
}

TEST_F(ScanListDialogs, ExtensionsStripDotsAndAreStoredOnlyOnOk) {
  CFolderScan scan(project);
  scan.Open();
  ASSERT_EQ(scan.GetCount(), 4);  // not d.php
  EXPECT_EQ(U(CExtensionListEdit::PromptText()), "追加する拡張子を入力してください");
  auto edit = [&](CExtensionListEdit& list) {
    EXPECT_EQ(list.Entries(), (Names{"html", "htm", "shtm", "shtml", "xhtml"}));
    EXPECT_TRUE(list.Add("..php"));
    EXPECT_EQ(list.Entries().back(), "php");
    EXPECT_EQ(list.GetSelection(), 5);
    EXPECT_FALSE(list.Add("..."));  // nothing left: no blank entry
    // "編集(&E)..." starts from the selected entry and replaces it.
    list.Select(0);
    EXPECT_EQ(list.EditStart(), "html");
    EXPECT_TRUE(list.Edit(".HTML"));
    list.Select(-1);
    EXPECT_FALSE(list.CanEdit());  // nothing selected: no question
    EXPECT_FALSE(list.Edit("x"));
    list.Select(1);
    ui.Expect("htmを削除しますか？", MbAnswer::No);
    EXPECT_FALSE(list.Remove(ui));
    ui.Expect("htmを削除しますか？", MbAnswer::Yes);
    EXPECT_TRUE(list.Remove(ui));
    EXPECT_EQ(list.Entries(), (Names{"HTML", "shtm", "shtml", "xhtml", "php"}));
  };
  // Cancel writes nothing and leaves the scan alone.
  {
    CExtensionListEdit list(scan.GetExtensions());
    edit(list);
  }
  EXPECT_EQ(GetExtNameOption(0), "html");
  EXPECT_EQ(GetExtNameOption(4), "xhtml");
  EXPECT_EQ(scan.GetExtensions().size(), 5u);
  EXPECT_EQ(scan.GetCount(), 4);

  // OK writes "Count" and "name%d" in list order and scans again with the list.
  SetExtNameOption(7, "kept");
  {
    CExtensionListEdit list(scan.GetExtensions());
    edit(list);
    list.Apply(scan);
  }
  EXPECT_EQ(GetExtCountOption(), 5);
  EXPECT_EQ(GetExtNameOption(0), "HTML");
  EXPECT_EQ(GetExtNameOption(1), "shtm");
  EXPECT_EQ(GetExtNameOption(4), "php");
  EXPECT_EQ(GetExtNameOption(7), "kept");  // beyond the count: left in the store
  EXPECT_EQ(scan.GetExtensions(), (Names{"HTML", "shtm", "shtml", "xhtml", "php"}));
  EXPECT_EQ(scan.GetCount(), 5);  // d.php now; "HTML" still finds the .html pages
}

TEST_F(ScanListDialogs, EveryScanRunsInsideTheWrapperAndRowsOpen) {
  CFolderScan scan(project);
  int scans = 0;
  int inside = 0;
  scan.SetScanWrapper([&](const std::function<void()>& run) {
    ++inside;
    run();
    --inside;
    ++scans;
    EXPECT_GT(scan.GetCount(), 0);
  });
  scan.Open();
  EXPECT_EQ(scans, 1);
  scan.SetFocusRow(0);
  ui.Expect("フォルダ news に所属するファイルを全て対象から外しますか？", MbAnswer::Yes);
  EXPECT_TRUE(scan.ExcludeFocusedFolder(ui));
  EXPECT_EQ(scans, 2);
  scan.ReplaceExcludedFiles({"top.html"});
  EXPECT_EQ(scans, 3);
  EXPECT_EQ(inside, 0);

  scan.OpenRow(0, ui);
  scan.OpenRow(-1, ui);
  scan.OpenRow(scan.GetCount(), ui);
  EXPECT_EQ(ui.opened, Names{root + "/newsletter/c.html"});
}

TEST_F(ScanListDialogs, ExclusionsAloneChangeTheProject) {
  // Closed without importing and without an exclusion: the project is as it was.
  {
    CFolderScan scan(project);
    scan.Open();
    EXPECT_FALSE(scan.ExclusionsChanged());
  }
  // An exclusion changes it, though nothing is imported (leaving the program must ask to save it).
  CFolderScan scan(project);
  scan.Open();
  scan.ClearSelection();
  scan.Select(0);
  ui.Expect("選択したファイルを対象から外しますか？", MbAnswer::Yes);
  EXPECT_TRUE(scan.ExcludeSelectedFiles(ui));
  EXPECT_TRUE(scan.ExclusionsChanged());
  EXPECT_EQ(project.excludedFiles, Names{"news/a.html"});
  EXPECT_EQ(project.GetSize(), 0);
  // A list put back as it was is no change.
  scan.ReplaceExcludedFiles({});
  EXPECT_FALSE(scan.ExclusionsChanged());
}

}  // namespace
