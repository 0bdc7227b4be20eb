// Files and folders. Paths are internal text (code page 932); they become native (UTF-8) here only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The separator of local paths on this platform; URLs and relative page paths always use "/".
inline constexpr char kPathSep = '/';
inline constexpr const char* kPathSepText = "/";

std::string NativePath(const std::string& path);
std::string FromNativePath(const std::string& native);

bool PathExists(const std::string& path);  // a file or a folder
bool FileExists(const std::string& path);  // a regular file (after following links)
bool IsDirectory(const std::string& path);
// A file that exists and is not to be written: no write permission for anybody, or none for this user.
bool IsReadOnlyFile(const std::string& path);

// Last-write time in seconds since 1970 (clamped to the 32-bit range). False when the file is missing.
bool GetFileModifiedTime(const std::string& path, std::int32_t& time);

// What tells one version of a file from another: a file replaced, or written in place, gets a new
// stamp (its status change time is left out, since a rename changes it without changing the bytes).
struct CFileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const CFileStamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           modifiedNs == other.modifiedNs;
  }
  bool operator!=(const CFileStamp& other) const { return !(*this == other); }
};
// The stamp of the file at `path`; exists is false when there is none.
CFileStamp GetFileStamp(const std::string& path);

// Reads a whole file. On failure returns false with errno in `error`. At most `maxBytes` + 1 bytes are
// read, so a device or a pipe that never ends (/dev/zero, a FIFO) costs no more than that: a result
// longer than `maxBytes` tells the caller the file is too large.
bool ReadFileBytes(const std::string& path, std::string& out, int& error,
                   std::size_t maxBytes = static_cast<std::size_t>(-1) - 1);

// The one way to replace a file. The data is written to a temporary file in the same folder, flushed
// to disk and renamed over `path` by Commit, and the folder is flushed too: a failure or a crash at
// any point leaves either the previous file whole or the new one whole, never a mix. Each operation
// returns false on failure, with errno in Error(); the temporary file is then gone, and it is removed
// as well when the object goes without a Commit.
class CReplacingFile {
public:
  // What a new file's mode is: `newFileMode` under the umask. A file that is replaced keeps its own
  // mode, unless the rule says that the new mode always holds (a store that must stay private).
  enum class ModeRule { KeepExisting, Always };

  CReplacingFile() = default;
  ~CReplacingFile();
  CReplacingFile(const CReplacingFile&) = delete;
  CReplacingFile& operator=(const CReplacingFile&) = delete;

  bool Open(const std::string& path, unsigned newFileMode = 0666, ModeRule rule = ModeRule::KeepExisting);
  bool Write(std::string_view data);
  // Lets the system start putting what has been written so far on disk, without waiting, so that
  // Commit has less left to wait for. Only a hint; safe while another thread writes.
  void StartWriteback() const;
  // Flushes the file to disk, puts it in place and flushes the folder.
  bool Commit();
  // Drops what was written: the temporary file goes, the target stays as it was.
  void Abandon();
  bool IsOpen() const { return m_fd >= 0; }
  int Error() const { return m_error; }
  // After a Commit: the stamp of the file as written, taken before it was put in place (so that a
  // later change by anyone else is told from it).
  const CFileStamp& WrittenStamp() const { return m_stamp; }

private:
  bool Fail(int error);

  int m_fd = -1;
  int m_error = 0;
  std::string m_native;
  std::string m_tempPath;
  CFileStamp m_stamp;
};

// Writes `data` through a CReplacingFile. Returns false with errno.
bool WriteFileReplacing(const std::string& path, std::string_view data, int& error, unsigned newFileMode = 0666,
                        CReplacingFile::ModeRule rule = CReplacingFile::ModeRule::KeepExisting);

bool DeleteFileAt(const std::string& path);

// The user's temporary folder, without a trailing separator.
std::string TempFolder();

// A folder of this process's own in the temporary folder, for the files it makes there (the preview's
// page, downloaded pages): made on first use with mkdtemp (mode 0700, so no other user can plant or read
// anything in it) and removed with everything in it when the process exits. "" when it cannot be made.
std::string PrivateTempFolder();

// Creates the file `path` anew with mode 0600 and writes `data`; an existing file of that name is
// removed first, and a link is never followed (O_CREAT|O_EXCL|O_NOFOLLOW). False with errno.
bool WritePrivateFile(const std::string& path, std::string_view data, int& error);

// The folder part of a path (before its last separator, either kind), "" when there is none.
std::string FolderOf(const std::string& path);
// The name part of a path (after its last separator, either kind); the whole path when there is none.
std::string NameOf(const std::string& path);
