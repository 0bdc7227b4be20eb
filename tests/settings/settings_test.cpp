#include <sys/stat.h>

#include "settings/options.h"
#include "support/test_env.h"

namespace {
class Settings : public VamelTest {};
}

TEST_F(Settings, EmptyStoreGivesEveryDefault) {
  EXPECT_EQ(GetHeightPercentOption(), 50);
  EXPECT_EQ(GetInitFileOption(), 1);
  EXPECT_EQ(GetHtmlEditorOption("ed"), "ed");
  EXPECT_EQ(GetRssViewerOption("viewer"), "viewer");
  EXPECT_EQ(GetPreviewModeOption(), 0);
  EXPECT_EQ(GetFtpPassiveOption(), 0);
  EXPECT_EQ(GetDefaultStartTagOption(), "<!--VAMELRSS START-->");
  EXPECT_EQ(GetDefaultEndTagOption(), "<!--VAMELRSS END-->");
  EXPECT_EQ(GetOpenTypeOption(), 1);
  EXPECT_EQ(GetExtCountOption(), 5);
  const char* ext[] = {"html", "htm", "shtm", "shtml", "xhtml", ""};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(GetExtNameOption(i), ext[i]);
  EXPECT_EQ(GetWindowRectOption(), "");
  EXPECT_EQ(GetShowCmdOption(), 1);
  EXPECT_EQ(GetWindowFlagsOption(), 0);
  EXPECT_EQ(GetToolBarOption(), 1);
  EXPECT_EQ(GetStatusBarOption(), 1);
  for (int n = 1; n <= kRecentFileCount; ++n) EXPECT_EQ(GetRecentFileOption(n), "");
  EXPECT_EQ(GetPreviewPagesOption(), 0);
  EXPECT_FALSE(IsSiblingEditorInstalled());
  EXPECT_EQ(GetSiblingRootDirOption(), "");
  struct stat st;
  EXPECT_NE(stat(AppProfile().GetStorePath().c_str(), &st), 0);  // reading creates nothing
}

TEST_F(Settings, ValuesRoundTripThroughTheFile) {
  SetHeightPercentOption(30);
  SetHtmlEditorOption(J("/opt/エディタ/bin"));
  SetDefaultStartTagOption("<!--a\\b-->\r\nline2");
  SetRecentFileOption(1, "/x/site.fpj");
  SetWindowRectOption("0,0,1,2,3,4,5,6");
  SetRssViewerOption("");
  EXPECT_EQ(GetHeightPercentOption(), 30);
  EXPECT_EQ(GetHtmlEditorOption("x"), J("/opt/エディタ/bin"));
  EXPECT_EQ(GetDefaultStartTagOption(), "<!--a\\b-->\r\nline2");
  EXPECT_EQ(GetRecentFileOption(1), "/x/site.fpj");
  EXPECT_EQ(GetRssViewerOption("default"), "");  // an emptied value stays empty
  std::string path = AppProfile().GetStorePath();
  EXPECT_EQ(path, TempPath("config") + "/Vamel/VamelRss.ini");
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("[Recent File List]\nFile1=/x/site.fpj\n"), std::string::npos);
  EXPECT_NE(text.find("[Window size]\nRect=0,0,1,2,3,4,5,6\n"), std::string::npos);
  EXPECT_NE(text.find("HtmlEditor=/opt/エディタ/bin\n"), std::string::npos);  // UTF-8 in the file
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  // Names match without regard to case, as registry names do.
  WriteFile(path, "[system]\nheightpercent=12\n[Ext]\nCount=abc\n");
  EXPECT_EQ(GetHeightPercentOption(), 12);
  EXPECT_EQ(GetExtCountOption(), 5);  // unreadable integer: the default
}

TEST_F(Settings, HeightPercentCorrection) {
  for (int stored : {0, 100, -1, 1000}) {
    SetHeightPercentOption(stored);
    EXPECT_EQ(GetHeightPercentOption(), 50) << stored;
  }
  SetHeightPercentOption(99);
  EXPECT_EQ(GetHeightPercentOption(), 99);
  SetHeightPercentOption(1);
  EXPECT_EQ(GetHeightPercentOption(), 1);
}

TEST_F(Settings, SiblingStoreIsUsedWhenItExists) {
  EXPECT_EQ(SiblingProfile().GetCompany(), "Vamel");
  CVamelProfile sibling("Quillstone", "Marrowpad");
  sibling.PutString("System", "RootDir", "/home/u/site");
  EXPECT_TRUE(IsSiblingEditorInstalled());
  EXPECT_EQ(SiblingProfile().GetCompany(), "Quillstone");
  EXPECT_EQ(GetSiblingRootDirOption(), "/home/u/site");
}

TEST_F(Settings, WriteFailuresAreSilent) {
  WriteFile(TempPath("config"), "a file where the folder should be");
  SetInitFileOption(0);
  EXPECT_EQ(GetInitFileOption(), 1);
}
