// The sibling editor's FTP profile list in its settings store.
#include <gtest/gtest.h>

#include <string>

#include "net/ftp_set_array.h"
#include "settings/options.h"
#include "settings/vamel_profile.h"
#include "support/test_env.h"

namespace {

class FtpProfilesTest : public VamelTest {
protected:
  // Creating the sibling editor's store makes it count as installed.
  CVamelProfile sibling{"Quillstone", "Marrowpad"};

  static CFtpSet Profile(const std::string& name, const std::string& localDir) {
    CFtpSet set;
    set.Name = J(name);
    set.Host = "ftp.example.jp";
    set.User = "user";
    set.Pass = "abc123XYZ";
    set.Text = 1;
    set.LocalDir = J(localDir);
    set.RemoteDir = "public_html";
    return set;
  }
};

TEST_F(FtpProfilesTest, NoListGivesTheDefaultProfile) {
  // Not installed: the application's own store, which has no list and no site folder.
  CFtpSetArray sets;
  sets.LoadProfiles("ftp");
  ASSERT_EQ(sets.GetSize(), 1);
  EXPECT_EQ(U(sets.GetAt(0).Name), "標準の設定");
  EXPECT_EQ(sets.GetAt(0).LocalDir, "");

  // Installed, with no "ftp" section: the unnumbered values and the editor's site folder.
  sibling.PutString("System", "RootDir", J("/home/taro/サイト"));
  ASSERT_TRUE(IsSiblingEditorInstalled());
  sets.LoadProfiles("ftp");
  ASSERT_EQ(sets.GetSize(), 1);
  CFtpSet set = sets.GetAt(0);
  EXPECT_EQ(U(set.Name), "標準の設定");
  EXPECT_EQ(U(set.LocalDir), "/home/taro/サイト");
  EXPECT_EQ(set.Text, 1);
  EXPECT_EQ(set.PreviewUrl, 0);
  EXPECT_EQ(set.Host, "");

  sibling.PutString("ftp", "Host", "ftp.example.jp");
  sibling.PutString("ftp", "Pass", "xub304TSW");
  sibling.PutString("ftp", "LocalDir", "/ignored");  // the editor's site folder wins
  sets.LoadProfiles("ftp");
  ASSERT_EQ(sets.GetSize(), 1);
  EXPECT_EQ(sets.GetAt(0).Host, "ftp.example.jp");
  EXPECT_EQ(sets.GetAt(0).Pass, "abc123XYZ");
  EXPECT_EQ(U(sets.GetAt(0).LocalDir), "/home/taro/サイト");
}

TEST_F(FtpProfilesTest, SavesAndLoadsTheListWithScrambledPasswords) {
  sibling.PutString("System", "RootDir", "/srv");
  CFtpSetArray sets;
  CFtpSet first = Profile("本店", "/srv/site");
  first.Text = 0;
  first.ImageDir = "/srv/site/img";
  first.Url = "http://example.jp/";
  first.PreviewUrl = 1;
  CFtpSet second = Profile("symbols", "/srv/blog");
  second.Pass = "!#$%&()";
  EXPECT_EQ(sets.Add(first), 0);
  EXPECT_EQ(sets.Add(second), 1);
  sets.SetSetNo(1);
  sets.SaveProfiles("ftp");

  std::string stored = ReadFile(sibling.GetStorePath());
  EXPECT_NE(stored.find("Pass0=xub304TSW\n"), std::string::npos) << stored;
  EXPECT_NE(stored.find("Pass1=!#$%&()\n"), std::string::npos) << stored;
  EXPECT_EQ(stored.find("abc123XYZ"), std::string::npos);
  EXPECT_NE(stored.find("Count=2\n"), std::string::npos);
  EXPECT_NE(stored.find("SetNo=1\n"), std::string::npos);
  EXPECT_NE(stored.find("Name0=本店\n"), std::string::npos);

  CFtpSetArray loaded;
  loaded.LoadProfiles("ftp");
  ASSERT_EQ(loaded.GetSize(), 2);
  EXPECT_EQ(loaded.GetAt(0), first);
  EXPECT_EQ(loaded.GetAt(1), second);
  EXPECT_EQ(loaded.GetSetNo(), 1);

  // A shorter list leaves the values of the dropped profiles in the store, unused.
  CFtpSetArray shorter;
  shorter.Add(second);
  shorter.SaveProfiles("ftp");
  loaded.LoadProfiles("ftp");
  ASSERT_EQ(loaded.GetSize(), 1);
  EXPECT_EQ(loaded.GetAt(0), second);
  EXPECT_NE(ReadFile(sibling.GetStorePath()).find("Name1=symbols"), std::string::npos);

  // A corrupt count reads a bounded list.
  sibling.PutInt("ftp", "Count", 2147483647);
  loaded.LoadProfiles("ftp");
  EXPECT_EQ(loaded.GetSize(), 1000);
  sibling.PutInt("ftp", "Count", -3);
  loaded.LoadProfiles("ftp");
  EXPECT_EQ(loaded.GetSize(), 1);
  EXPECT_EQ(U(loaded.GetAt(0).Name), "標準の設定");
}

TEST_F(FtpProfilesTest, FindsTheFirstProfileHoldingTheFolder) {
  CFtpSetArray sets;
  sets.Add(Profile("site", "/srv/Site"));
  sets.Add(Profile("blog", "/srv/Site/Blog"));
  sets.Add(Profile("日本語", "/srv/ＡＢＣ/サイト"));
  // The first prefix wins, letters compared without regard to case.
  EXPECT_EQ(sets.FindProfileForPath("/srv/site/blog/test.xml"), 0);
  EXPECT_EQ(sets.FindProfileForPath("/srv/SITE/test.xml"), 0);
  EXPECT_EQ(sets.FindProfileForPath(J("/srv/ａｂｃ/サイト/test.xml")), 2);
  // Whole folder names only: "/srv/Site" does not hold "/srv/Site2".
  sets.SetSetNo(1);
  EXPECT_EQ(sets.FindProfileForPath("/srv/Site2/test.xml"), 1);
  EXPECT_EQ(sets.FindProfileForPath("/other/test.xml"), 1);
  EXPECT_EQ(sets.FindProfileForPath(""), 1);
  EXPECT_EQ(sets.FindProfileForPath("test.xml"), 1);
  // A current set number outside the list is brought back to 0.
  sets.SetSetNo(5);
  EXPECT_EQ(sets.FindProfileForPath("/other/test.xml"), 0);
  EXPECT_EQ(sets.GetSetNo(), 0);
  sets.SetSetNo(-2);
  EXPECT_EQ(sets.FindProfileForPath("/other/test.xml"), 0);
  // A profile without a local folder holds every folder; a folder with a trailing separator works.
  sets.SetAt(1, Profile("any", ""));
  EXPECT_EQ(sets.FindProfileForPath("/other/test.xml"), 1);
  sets.SetAt(0, Profile("slash", "/other/"));
  EXPECT_EQ(sets.FindProfileForPath("/other/x/test.xml"), 0);
}

TEST_F(FtpProfilesTest, ListAccess) {
  CFtpSetArray sets;
  sets.SetAt(3, Profile("fourth", "/d"));
  ASSERT_EQ(sets.GetSize(), 4);
  EXPECT_EQ(sets.GetAt(0), CFtpSet());
  EXPECT_EQ(sets.GetAt(3).Name, "fourth");
  EXPECT_EQ(sets.GetAt(-1), CFtpSet());
  EXPECT_EQ(sets.GetAt(4), CFtpSet());
  sets.SetAt(-1, Profile("ignored", "/"));
  EXPECT_EQ(sets.GetSize(), 4);
  EXPECT_EQ(sets.Add(Profile("fifth", "/e")), 4);
}

}  // namespace
