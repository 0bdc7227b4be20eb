// Launching programs: with no program set, the file is opened with its default program and never run
// itself, even when it is executable.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/shell.h"
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

  const bool started = ShellRun("", feed);
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
