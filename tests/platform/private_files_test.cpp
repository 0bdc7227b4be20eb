// The process's private temporary folder and the files made in it: no other user can plant a link
// that the program then writes through, or read what it writes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "support/test_env.h"

namespace {

namespace fs = std::filesystem;

class PrivateFiles : public VamelTest {};

unsigned Mode(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
}

}  // namespace

TEST_F(PrivateFiles, TheFolderIsTheProcesssOwnAndGoesWithIt) {
  setenv("TMPDIR", TempFolder().c_str(), 1);
  // Made by a child process, which removes it as it exits.
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    const std::string folder = PrivateTempFolder();
    if (::write(pipeEnds[1], folder.data(), folder.size()) < 0) std::_Exit(2);
    std::exit(0);  // the exit handlers run
  }
  ::close(pipeEnds[1]);
  char buffer[4096];
  const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
  ::close(pipeEnds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_GT(n, 0);
  const std::string childFolder(buffer, static_cast<size_t>(n));
  EXPECT_EQ(childFolder.rfind(TempFolder() + "/vamelrss-", 0), 0u) << childFolder;
  EXPECT_FALSE(fs::exists(childFolder));

  const std::string folder = PrivateTempFolder();
  EXPECT_EQ(fs::path(folder).parent_path(), fs::path(TempFolder()));
  EXPECT_EQ(Mode(folder), 0700u);
  EXPECT_EQ(PrivateTempFolder(), folder);
  // Removed behind the program's back (a cleaner of old temporary files): made again.
  fs::remove_all(folder);
  const std::string again = PrivateTempFolder();
  EXPECT_NE(again, folder);
  EXPECT_EQ(Mode(again), 0700u);
  unsetenv("TMPDIR");
}

TEST_F(PrivateFiles, FilesAreMadeAnewForTheOwnerOnlyAndNeverThroughALink) {
  const std::string victim = TempPath("victim");
  const std::string path = TempPath("page.html");
  ASSERT_EQ(::symlink(victim.c_str(), path.c_str()), 0);
  const mode_t oldMask = ::umask(0);
  int error = 0;
  EXPECT_TRUE(WritePrivateFile(path, "first", error)) << error;
  ::umask(oldMask);
  EXPECT_FALSE(fs::exists(fs::symlink_status(victim)));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
  EXPECT_EQ(Mode(path), 0600u);
  EXPECT_EQ(ReadFile(path), "first");
  // Written again: replaced whole.
  EXPECT_TRUE(WritePrivateFile(path, "2", error));
  EXPECT_EQ(ReadFile(path), "2");
  EXPECT_FALSE(WritePrivateFile(TempPath("missing/page.html"), "x", error));
  EXPECT_EQ(error, ENOENT);
}
