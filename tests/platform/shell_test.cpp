// Launching programs: with no program set, the file is opened with its default program and never run
// itself, even when it is executable; only URLs and local files reach the opener; what failed is known.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/shell.h"
#include "platform/url_parts.h"
#include "support/test_env.h"

namespace {

class Shell : public VamelTest {};

// Waits (up to a generous bound) for a detached child to leave its mark.
bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 2000; ++i) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

void MakeScript(const std::string& path, const std::string& body) {
  WriteFile(path, "#!/bin/sh\n" + body + "\n");
  ::chmod(path.c_str(), 0755);
}

// A script body that writes its first argument to `mark` in one step (so a reader never sees it half written).
std::string Record(const std::string& mark) { return "echo \"$1\" > '" + mark + ".tmp' && mv '" + mark + ".tmp' '" + mark + "'"; }

}  // namespace

TEST_F(Shell, AnEmptyProgramOpensTheFileInsteadOfRunningIt) {
  // A stand-in for the desktop's opener records what it was asked to open.
  const std::string bin = TempPath("bin");
  std::filesystem::create_directory(bin);
  MakeScript(bin + "/xdg-open", Record(TempPath("opened")));
  // A feed file that happens to be executable.
  const std::string feed = TempPath("index.rdf");
  MakeScript(feed, "touch '" + TempPath("ran") + "'");
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
  setenv("PATH", (bin + ":" + path).c_str(), 1);

  const bool started = ShellRun("", feed).Started();
  const bool opened = WaitForFile(TempPath("opened"));
  setenv("PATH", path.c_str(), 1);
  EXPECT_TRUE(started);
  ASSERT_TRUE(opened);
  EXPECT_EQ(ReadFile(TempPath("opened")), feed + "\n");
  EXPECT_FALSE(std::filesystem::exists(TempPath("ran")));

  // A named program still gets the file as its argument.
  MakeScript(bin + "/viewer", Record(TempPath("viewed")));
  EXPECT_TRUE(ShellRun(bin + "/viewer", feed));
  ASSERT_TRUE(WaitForFile(TempPath("viewed")));
  EXPECT_EQ(ReadFile(TempPath("viewed")), feed + "\n");
}

// One rule for what a web address is, for the opener and the preview alike.
TEST(WebAddress, HttpAndHttpsWithTheirSlashesInAnyCase) {
  EXPECT_TRUE(IsWebAddress("https://x/"));
  EXPECT_TRUE(IsWebAddress("HTTP://example.jp/"));
  EXPECT_FALSE(IsWebAddress("httpx://x/"));
  EXPECT_FALSE(IsWebAddress("http:page.html"));
  EXPECT_FALSE(IsWebAddress("mailto:support@vamelrss.org"));
  EXPECT_FALSE(IsWebAddress("/srv/site/http://x"));
  EXPECT_EQ(UrlScheme("MailTo:x"), "mailto");
  EXPECT_EQ(UrlScheme("c++:x"), "c++");
  EXPECT_EQ(UrlScheme("page.html"), "");
  EXPECT_EQ(UrlScheme("1http://x"), "");
}

TEST_F(Shell, OnlyWebAddressesAndLocalFilesReachTheOpenerAndFailuresAreKnown) {
  const std::string bin = TempPath("bin");
  std::filesystem::create_directory(bin);
  // The stand-in opener records its argument, and fails as xdg-open does when nothing opens a file.
  MakeScript(bin + "/xdg-open", Record(TempPath("opened")) + "\nexit 3");
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
  setenv("PATH", (bin + ":" + path).c_str(), 1);
  auto opened = [this](const std::string& target) {
    std::filesystem::remove(TempPath("opened"));
    CLaunch launch = ShellOpen(target);
    std::string argument;
    int status = 0;
    if (launch.Started() && WaitForFile(TempPath("opened"))) argument = ReadFile(TempPath("opened"));
    if (launch.Started()) {
      for (int i = 0; i < 2000 && !launch.Ended(status); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::make_pair(argument, status);
  };
  // Web addresses as they are; the opener's failure is its exit status.
  EXPECT_EQ(opened("https://example.jp/a?b=1"), std::make_pair(std::string("https://example.jp/a?b=1\n"), 3));
  EXPECT_EQ(opened("HTTP://example.jp/").first, "HTTP://example.jp/\n");
  EXPECT_EQ(opened("mailto:support@vamelrss.org").first, "mailto:support@vamelrss.org\n");
  // A relative path goes absolute, so it never reads as an option.
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(opened("page.html").first, cwd + "/page.html\n");
  // Anything else is refused before anything runs.
  for (const char* refused :
       {"javascript:alert(1)", "file:///etc/passwd", "--help", "-e", "", "data:text/html,x", "http:page.html"}) {
    std::filesystem::remove(TempPath("opened"));
    CLaunch launch = ShellOpen(refused);
    EXPECT_TRUE(launch.Refused()) << refused;
    EXPECT_FALSE(launch.Started()) << refused;
  }
  EXPECT_FALSE(std::filesystem::exists(TempPath("opened")));
  // A program that cannot start says why at once; a parameter goes absolute too.
  CLaunch missing = ShellRun(bin + "/no-such-viewer", "index.rdf");
  EXPECT_FALSE(missing.Started());
  EXPECT_EQ(missing.StartError(), ENOENT);
  EXPECT_EQ(missing.Program(), bin + "/no-such-viewer");
  MakeScript(bin + "/viewer", Record(TempPath("viewed")));
  EXPECT_TRUE(ShellRun("viewer", "-index.rdf").Started());
  ASSERT_TRUE(WaitForFile(TempPath("viewed")));
  EXPECT_EQ(ReadFile(TempPath("viewed")), cwd + "/-index.rdf\n");
  setenv("PATH", path.c_str(), 1);
}
