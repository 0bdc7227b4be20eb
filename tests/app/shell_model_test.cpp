// The desktop shell's arithmetic and decisions, without a window: the list view's layout and
// splitter, the window placement text, the Open dialog's memory, the start-up choice and the preview.
#include <filesystem>
#include <cstdio>

#include "app/item_view_model.h"
#include "app/list_layout.h"
#include "app/shell_commands.h"
#include "app/window_placement.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "settings/options.h"
#include "settings/recent_files.h"
#include "support/test_env.h"

namespace {

class ShellModel : public VamelTest {};

}  // namespace

TEST_F(ShellModel, ListLayoutAndSplitter) {
  // A client area 600 high with p = 50: D = 290, the list 280 high from 10, the preview from 300 and
  // 295 high (5 pixels into the bottom margin).
  CListLayout layout = ComputeListLayout(CLayoutRect{0, 0, 800, 600}, 90, 24, 50);
  EXPECT_EQ(layout.list.top, 10);
  EXPECT_EQ(layout.list.left, 10);
  EXPECT_EQ(layout.list.Height(), 280);
  EXPECT_EQ(layout.preview.top, 300);
  EXPECT_EQ(layout.preview.Height(), 295);
  EXPECT_EQ(layout.list.Width(), 800 - 100 - 10 - 10);  // W = xb - x0 - 10
  EXPECT_EQ(layout.preview.Width(), layout.list.Width());
  EXPECT_EQ(layout.splitter.top, 290);
  EXPECT_EQ(layout.splitter.bottom, 300);
  EXPECT_EQ(layout.splitter.left, 0);
  // The button column: five buttons and the combo box 10 apart, the create button at the bottom.
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(layout.buttons[k].left, 800 - 100);
    EXPECT_EQ(layout.buttons[k].top, 10 + k * 34);
    EXPECT_EQ(layout.buttons[k].Width(), 90);
    EXPECT_EQ(layout.buttons[k].Height(), 24);
  }
  EXPECT_EQ(layout.create.top, 590 - 24);
  // A window too small for its margins: empty rectangles, never negative sizes.
  layout = ComputeListLayout(CLayoutRect{0, 0, 50, 12}, 90, 24, 50);
  EXPECT_GE(layout.list.Width(), 0);
  EXPECT_GE(layout.list.Height(), 0);
  EXPECT_GE(layout.preview.Height(), 0);

  // With a smallest pane height, neither pane goes below it: the list at 1 % keeps 60 pixels, the
  // preview at 99 % too; in between the layout is the same.
  layout = ComputeListLayout(CLayoutRect{0, 0, 800, 600}, 90, 24, 1, 60);
  EXPECT_EQ(layout.list.Height(), 60);
  EXPECT_EQ(layout.preview.top, 80);
  EXPECT_EQ(layout.splitter.bottom, layout.preview.top);
  layout = ComputeListLayout(CLayoutRect{0, 0, 800, 600}, 90, 24, 99, 60);
  EXPECT_EQ(layout.preview.Height(), 60);
  EXPECT_EQ(layout.preview.bottom, 595);
  EXPECT_EQ(ComputeListLayout(CLayoutRect{0, 0, 800, 600}, 90, 24, 50, 60).list.Height(), 280);
  // The smallest client area: the column's seven places do not overlap, the panes keep their height.
  const CLayoutRect smallest = MinimumListLayoutSize(90, 24, 150, 60);
  EXPECT_EQ(smallest.Width(), 30 + 150 + 90);
  EXPECT_EQ(smallest.Height(), 7 * 24 + 80);
  layout = ComputeListLayout(smallest, 90, 24, 1, 60);
  EXPECT_GE(layout.create.top, layout.buttons[5].bottom + 10);
  EXPECT_EQ(layout.list.Width(), 150);
  EXPECT_GE(layout.list.Height(), 60);
  EXPECT_GE(layout.preview.Height(), 60);
  EXPECT_EQ(MinimumListLayoutSize(90, 10, 150, 60).Height(), 150);  // low buttons: the panes decide

  // The splitter: released at 290 of 600 gives 30000 / 580 = 51.
  int percent = 0;
  ASSERT_TRUE(SplitterPercent(290, 600, percent));
  EXPECT_EQ(percent, 51);
  EXPECT_FALSE(SplitterPercent(-5, 600, percent));   // 500 / 580 = 0
  EXPECT_FALSE(SplitterPercent(-11, 600, percent));  // a huge unsigned quotient
  EXPECT_FALSE(SplitterPercent(600, 600, percent));  // 61000 / 580 = 105
  EXPECT_FALSE(SplitterPercent(100, 20, percent));   // nothing to share: no division by zero
  EXPECT_FALSE(SplitterPercent(100, 5, percent));
  EXPECT_EQ(percent, 51);
  ASSERT_TRUE(SplitterPercent(0, 600, percent));  // 1000 / 580 = 1
  EXPECT_EQ(percent, 1);

  // The run's percentage starts from the store (a stored 0 reads as 50).
  SetHeightPercentOption(0);
  SetListHeightPercent(ListHeightPercent());
  SetListHeightPercent(30);
  EXPECT_EQ(ListHeightPercent(), 30);
}

TEST_F(ShellModel, PlacementTextAndStore) {
  CWindowPlacement p;
  ParsePlacementRect("", 4, 5, p);
  EXPECT_EQ(FormatPlacementRect(p), "100,100,800,600,0,0,-4,-5");
  ParsePlacementRect("10,20,700,520,0,0,-1,-1", 4, 5, p);
  EXPECT_EQ(p.left, 10);
  EXPECT_EQ(p.bottom, 520);
  EXPECT_EQ(p.maxY, -1);
  // Malformed: read up to the first mismatch, the rest 0.
  ParsePlacementRect("10,20,x,5", 4, 5, p);
  EXPECT_EQ(FormatPlacementRect(p), "10,20,0,0,0,0,0,0");
  ParsePlacementRect("junk", 4, 5, p);
  EXPECT_EQ(FormatPlacementRect(p), "0,0,0,0,0,0,0,0");
  ParsePlacementRect("1,2,3,4,5,6,7,8,9", 0, 0, p);
  EXPECT_EQ(FormatPlacementRect(p), "1,2,3,4,5,6,7,8");
  ParsePlacementRect("99999999999,2", 0, 0, p);  // no overflow
  EXPECT_EQ(p.left, 2147483647);

  // First run: the defaults, both bars shown; what is saved comes back.
  CWindowPlacement first = LoadWindowPlacement(2, 3);
  EXPECT_EQ(FormatPlacementRect(first), "100,100,800,600,0,0,-2,-3");
  EXPECT_EQ(first.showCmd, kShowNormal);
  EXPECT_TRUE(first.toolBar);
  EXPECT_TRUE(first.statusBar);
  first.showCmd = kShowMaximized;
  first.toolBar = false;
  first.left = 40;
  SaveWindowPlacement(first);
  CWindowPlacement again = LoadWindowPlacement(2, 3);
  EXPECT_EQ(again.showCmd, kShowMaximized);
  EXPECT_FALSE(again.toolBar);
  EXPECT_TRUE(again.statusBar);
  EXPECT_EQ(again.left, 40);
  EXPECT_EQ(GetWindowRectOption(), "40,100,800,600,0,0,-2,-3");
}

TEST_F(ShellModel, OpenDialogRemembersItsEntry) {
  CFileDialogRequest request = OpenFileRequest();
  EXPECT_EQ(U(request.title), "開く");
  EXPECT_EQ(U(request.filter), "VamelRSSﾃﾞｰﾀﾌｧｲﾙ(*.fpj) |*.fpj|RSS/Atomﾌｧｲﾙ(*.rdf;*.xml) |*.rdf;*.xml|RDFﾌｧｲﾙ(*.rdf) |*.rdf|"
                               "XMLﾌｧｲﾙ(*.xml) |*.xml|全てのﾌｧｲﾙ(*.*) |*.*||");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(request.fileName, "*.fpj");
  EXPECT_TRUE(request.mustExist);
  EXPECT_FALSE(request.save);
  RememberOpenFilterEntry(4);  // "XMLﾌｧｲﾙ(*.xml)"
  request = OpenFileRequest();
  EXPECT_EQ(request.filterIndex, 4);
  EXPECT_EQ(request.fileName, "*.xml");
  EXPECT_EQ(request.defaultExt, "xml");
  RememberOpenFilterEntry(2);
  EXPECT_EQ(OpenFileRequest().fileName, "*.rdf;*.xml");
  for (int stored : {-1, 6, 1000}) {
    RememberOpenFilterEntry(stored);
    EXPECT_EQ(OpenFileRequest().filterIndex, 1) << stored;
    EXPECT_EQ(OpenFileRequest().fileName, "*.fpj") << stored;
  }
  RememberOpenFilterEntry(0);
  EXPECT_EQ(OpenFileRequest().fileName, "*.*");
  EXPECT_EQ(OpenFileRequest().filterIndex, 1);
}

TEST_F(ShellModel, StartupChoice) {
  // First run: nothing recent, a new project.
  EXPECT_FALSE(ChooseStartupDocument("").openFile);
  // A file on the command line wins, whatever InitFile says.
  EXPECT_TRUE(ChooseStartupDocument(TempPath("given.fpj")).openFile);
  EXPECT_EQ(ChooseStartupDocument(TempPath("given.fpj")).path, TempPath("given.fpj"));
  // InitFile 1 with an existing recent file opens it; with a deleted one, a new project.
  WriteFile(TempPath("recent.fpj"), "x");
  AddRecentFile(TempPath("recent.fpj"));
  EXPECT_TRUE(ChooseStartupDocument("").openFile);
  EXPECT_EQ(ChooseStartupDocument("").path, TempPath("recent.fpj"));
  std::filesystem::remove(TempPath("recent.fpj"));
  EXPECT_FALSE(ChooseStartupDocument("").openFile);
  // InitFile 0 never opens the recent file.
  WriteFile(TempPath("recent.fpj"), "x");
  SetInitFileOption(0);
  EXPECT_FALSE(ChooseStartupDocument("").openFile);
  EXPECT_TRUE(ChooseStartupDocument(TempPath("recent.fpj")).openFile);
  EXPECT_EQ(U(MainWindowCaption(J("無題"))), "無題 - VamelRss");
}

TEST_F(ShellModel, RowsAndPreview) {
  ScopedTimeZone tz("Asia/Tokyo");
  CRssFile project;
  project.siteUrl = "https://example.jp/";
  project.localFolder = TempFolder();
  auto item = std::make_unique<CRssItem>(1136163784);  // 2006-01-02 10:03:04 in Tokyo
  item->title = J("題");
  item->url = "https://example.jp/news/a.html";
  item->description = "<b>d</b>";
  project.Add(std::move(item));
  EXPECT_EQ(ListCellText(*project.GetAt(0), 0), J("題"));
  EXPECT_EQ(ListCellText(*project.GetAt(0), 1), "2006/01/02 10:03");
  EXPECT_EQ(ListCellText(*project.GetAt(0), 2), "https://example.jp/news/a.html");
  EXPECT_STREQ(ListColumnTitle(1), "日付");

  CPreviewTarget target = PreviewFor(project, 0, kPreviewDetail);
  EXPECT_TRUE(target.isHtml);
  EXPECT_EQ(target.text, project.GetAt(0)->GetPreviewHtml());
  target = PreviewFor(project, 0, kPreviewLocal);
  EXPECT_FALSE(target.isHtml);
  EXPECT_EQ(target.text, TempPath("news/a.html"));
  EXPECT_EQ(PreviewFor(project, 0, kPreviewUrl).text, "https://example.jp/news/a.html");
  EXPECT_EQ(PreviewFor(project, 1, kPreviewUrl).text, "");  // no such row

  EXPECT_TRUE(IsAppCommandAddress("app:close"));
  EXPECT_TRUE(IsAppCommandAddress("APP:"));
  EXPECT_TRUE(IsAppCommandAddress("aPp:x"));
  EXPECT_FALSE(IsAppCommandAddress("apps:x"));
  EXPECT_FALSE(IsAppCommandAddress("ap"));
  EXPECT_FALSE(IsAppCommandAddress("https://app:80/"));

  // The preview page lies in the private folder, made unique when the name is taken.
  const std::string folder = PrivateTempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(MakePreviewPagePath(), folder + "/VamelHtmlCtrl.html");
  WriteFile(folder + "/VamelHtmlCtrl.html", "");
  EXPECT_EQ(MakePreviewPagePath(), folder + "/VamelHtmlCtrl(1).html");
  std::remove((folder + "/VamelHtmlCtrl.html").c_str());
}
