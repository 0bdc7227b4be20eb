// Replacing a file under real faults: a full disk, a rename that fails, and a process killed at any
// point of a save. Each time the previous file stays whole or the new one is there whole, and a save
// that fails leaves no temporary file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "platform/checked_file.h"
#include "platform/file_system.h"
#include "support/test_env.h"

namespace {

class ReplacingFile : public VamelTest {};

// Runs `body` in a child process with a mount namespace of its own, so that it can mount a small file
// system or pin a file without touching the test run. 0 when body returned true, 1 when it returned
// false, 2 when the namespace could not be made.
int RunInMountNamespace(const std::function<bool()>& body) {
  pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(2);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 1;
  return WEXITSTATUS(status);
}

}  // namespace

TEST_F(ReplacingFile, AFullDiskKeepsThePreviousFile) {
  const std::string folder = TempPath("small");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  const std::string path = folder + "/site.fpj";
  const std::string data(1u << 20, 'x');
  auto fill = [&] {
    WriteFile(path, "previous");
    int error = 0;
    if (WriteFileReplacing(path, data, error)) return false;
    if (error != ENOSPC && error != EFBIG) return false;
    // The checked file says which step failed, with the path.
    try {
      CCheckedFile file;
      file.Open(path, "wb");
      file.Write(data);
      file.Close();
      return false;
    } catch (const CVamelFileException& e) {
      if (e.GetMessage() != CCheckedFile::WriteFailedText() + ":" + path) return false;
    }
    return ReadFile(path) == "previous" && CountFolderEntries(folder) == 1;
  };
  // A file system of 256 KB in a namespace of the child's own; where none can be made, a file size
  // limit fails the write the same way.
  int result = RunInMountNamespace([&] {
    return mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k,mode=0700") == 0 && fill();
  });
  if (result == 2) result = RunWithFileSizeLimit(256u << 10, fill) ? 0 : 1;
  EXPECT_EQ(result, 0);
}

TEST_F(ReplacingFile, AFailedRenameKeepsThePreviousFileAndLeavesNoTemporary) {
  const std::string path = TempPath("feed.xml");
  // A folder appears where the file goes while it is written: the rename cannot replace it.
  CReplacingFile file;
  ASSERT_TRUE(file.Open(path));
  ASSERT_TRUE(file.Write("new"));
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  WriteFile(path + "/inside", "kept");
  EXPECT_FALSE(file.Commit());
  EXPECT_NE(file.Error(), 0);
  EXPECT_EQ(ReadFile(path + "/inside"), "kept");
  EXPECT_EQ(CountFolderEntries(TempFolder()), 1);

  // A file that is a mount point cannot be renamed over (EBUSY): the previous file stays as it was.
  const std::string pinned = TempPath("pinned.xml");
  const int result = RunInMountNamespace([&] {
    WriteFile(pinned, "previous");
    if (mount(pinned.c_str(), pinned.c_str(), nullptr, MS_BIND, nullptr) != 0) return true;  // cannot pin here
    int error = 0;
    return !WriteFileReplacing(pinned, "new", error) && error == EBUSY && ReadFile(pinned) == "previous" &&
           CountFolderEntries(TempFolder()) == 2;
  });
  EXPECT_NE(result, 1);
}

TEST_F(ReplacingFile, AProcessKilledDuringSavesLeavesOneWholeFile) {
  // A child saves two large versions in turn; it is killed at a random moment, 20 times. The file is
  // always one of the two versions, whole.
  const std::string path = TempPath("site.fpj");
  const std::string first = std::string(3u << 20, 'a') + "end of the first";
  const std::string second = std::string(2u << 20, 'b') + "end of the second";
  std::mt19937 random(12345);
  for (int attempt = 0; attempt < 20; ++attempt) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ready[0]);
      for (unsigned n = 0;; ++n) {
        int error = 0;
        if (!WriteFileReplacing(path, n % 2 ? second : first, error)) _exit(1);
        if (n == 0 && write(ready[1], "x", 1) != 1) _exit(1);
      }
    }
    close(ready[1]);
    char byte = 0;
    const bool started = read(ready[0], &byte, 1) == 1;  // the first version is whole
    close(ready[0]);
    if (started) usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed to save";
    const std::string kept = ReadFile(path);
    EXPECT_TRUE(kept == first || kept == second) << "attempt " << attempt << ": " << kept.size() << " bytes";
  }
}

TEST_F(ReplacingFile, ModesOfNewAndReplacedFiles) {
  const mode_t oldMask = umask(022);
  const std::string path = TempPath("a.txt");
  int error = 0;
  struct stat st;
  ASSERT_TRUE(WriteFileReplacing(path, "1", error, 0600));
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // a new file: the mode asked for
  chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileReplacing(path, "2", error, 0600));
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // a replaced file keeps its own
  ASSERT_TRUE(WriteFileReplacing(path, "3", error, 0600, CReplacingFile::ModeRule::Always));
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // unless the new mode always holds
  EXPECT_EQ(ReadFile(path), "3");
  umask(oldMask);
}
