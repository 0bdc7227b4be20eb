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

// Reads a whole file. On failure returns false with errno in `error`. At most `maxBytes` + 1 bytes are
// read, so a device or a pipe that never ends (/dev/zero, a FIFO) costs no more than that: a result
// longer than `maxBytes` tells the caller the file is too large.
bool ReadFileBytes(const std::string& path, std::string& out, int& error,
                   std::size_t maxBytes = static_cast<std::size_t>(-1) - 1);

// A file written in pieces to a temporary file in the same folder and renamed over `path` by Commit,
// so that a failure never destroys the previous file and leaves no temporary file behind. Each
// operation returns false on failure, with errno in Error(); the temporary file is then gone, and it
// is removed as well when the object goes without a Commit.
class CReplacingFile {
public:
  CReplacingFile() = default;
  ~CReplacingFile();
  CReplacingFile(const CReplacingFile&) = delete;
  CReplacingFile& operator=(const CReplacingFile&) = delete;

  // A new file gets `newFileMode` under the umask; a file that is replaced keeps its own mode.
  bool Open(const std::string& path, unsigned newFileMode = 0666);
  bool Write(std::string_view data);
  // Flushes the file to disk and puts it in place.
  bool Commit();
  int Error() const { return m_error; }

private:
  bool Fail(int error);
  void Abandon();

  int m_fd = -1;
  int m_error = 0;
  std::string m_native;
  std::string m_tempPath;
};

// Writes `data` through a CReplacingFile. Returns false with errno.
bool WriteFileReplacing(const std::string& path, const std::string& data, int& error);

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

// The data folder of the installed program: share/vamelrss beside the folder of the running program
// (/usr/bin/vamelrss gives /usr/share/vamelrss), wherever it was installed; "" when the program's own
// path cannot be read.
std::string ProgramDataFolder();
