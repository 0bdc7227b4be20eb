#include <filesystem>

#include "settings/options.h"
#include "settings/vamel_profile.h"
#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliOptions : public VamelTest {};
}

TEST_F(CliOptions, GetSetAndListTheApplicationProfile) {
  CliResult r = RunCli("options --set System/ftppasv=1 --set 'System/DefaultStartTag=<!--開始-->' "
                       "--set 'Recent File List/File1=/srv/a b.fpj' --get system/FTPPASV --get Ext/name4");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\nxhtml\n");
  EXPECT_EQ(GetFtpPassiveOption(), 1);
  EXPECT_EQ(GetDefaultStartTagOption(), J("<!--開始-->"));
  EXPECT_EQ(GetRecentFileOption(1), "/srv/a b.fpj");
  r = RunCli("options");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("System/DefaultStartTag=<!--開始-->\n"), std::string::npos);
  EXPECT_NE(r.out.find("Window size/showCmd=1\n"), std::string::npos);
  EXPECT_NE(r.out.find("System/FtpCaFile=\n"), std::string::npos);
  EXPECT_EQ(RunCli("options --set System/FtpCaFile=/etc/ssl/我的CA.pem --get System/FtpCaFile").out,
            "/etc/ssl/我的CA.pem\n");
  EXPECT_EQ(GetFtpCaFileOption(), J("/etc/ssl/我的CA.pem"));
  EXPECT_EQ(RunCli("options --set System/ftppasv=yes").status, 2);
  EXPECT_EQ(RunCli("options --get Nope/Nothing").status, 2);
  EXPECT_EQ(RunCli("options --set System/ftppasv").status, 2);
  EXPECT_EQ(GetFtpPassiveOption(), 1);
}

TEST_F(CliOptions, TheProgramsAreListedAsTheyAreInEffect) {
  // Nothing stored: the sibling editor's program (it exists) and the desktop's program for HTML files.
  WriteFile(TempPath("marrowpad"), "#!/bin/sh\n");
  CVamelProfile("Vamel", "Marrowpad").PutString("", "Path", TempPath("marrowpad"));
  std::filesystem::create_directories(TempPath("data/applications"));
  std::filesystem::create_directories(TempPath("xdg"));
  WriteFile(TempPath("data/applications/fake-browser.desktop"),
            "[Desktop Entry]\nType=Application\nName=Fake\nExec=sh %u\nMimeType=text/html;\n");
  WriteFile(TempPath("xdg/mimeapps.list"), "[Default Applications]\ntext/html=fake-browser.desktop\n");
  const std::string desktop = "XDG_DATA_HOME=" + Quote(TempPath("data")) + " XDG_CONFIG_HOME=" + Quote(TempPath("xdg")) +
                              " XDG_DATA_DIRS=" + Quote(TempPath("none"));
  CliResult r = RunCli("options --get System/HtmlEditor --get System/RssViewer", "", desktop);
  ASSERT_EQ(r.status, 0) << r.err;
  const bool haveXdgMime = HaveProgram("xdg-mime");
  const std::string viewer = r.out.substr(r.out.find('\n') + 1);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), TempPath("marrowpad"));
  if (haveXdgMime) {
    EXPECT_TRUE(viewer == "/usr/bin/sh\n" || viewer == "/bin/sh\n") << viewer;
  }
  r = RunCli("options", "", desktop);
  EXPECT_NE(r.out.find("System/HtmlEditor=" + TempPath("marrowpad") + "\n"), std::string::npos) << r.out;
  if (haveXdgMime) {
    EXPECT_NE(r.out.find("System/RssViewer=/"), std::string::npos) << r.out;
  }
  // Stored values, the empty one included, are shown as stored.
  ASSERT_EQ(RunCli("options --set System/HtmlEditor= --set System/RssViewer=/opt/viewer").status, 0);
  r = RunCli("options --get System/HtmlEditor --get System/RssViewer", "", desktop);
  EXPECT_EQ(r.out, "\n/opt/viewer\n");
}
