#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sjis.h"
#include "platform/text_codec.h"

std::string NativePath(const std::string& path) { return AnsiToUtf8(path); }

std::string FromNativePath(const std::string& native) { return Utf8ToAnsi(native); }

namespace {

bool StatPath(const std::string& path, struct stat& st) {
  if (path.empty()) return false;
  return ::stat(NativePath(path).c_str(), &st) == 0;
}

// The position of the last "/" or "\" that is a separator, not the second byte of a double-byte character.
size_t LastSeparator(const std::string& path) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
    if (path[i] == '/' || path[i] == '\\') last = i;
  }
  return last;
}

// Writes all of `data` to `fd`, in pieces of a megabyte: one huge write makes the kernel throttle it
// far more than the same bytes in pieces do. False with errno in `error`.
bool WriteAll(int fd, std::string_view data, int& error) {
  constexpr size_t kPiece = 1u << 20;
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left < kPiece ? left : kPiece);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat st;
  return StatPath(path, st);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return StatPath(path, st) && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  if (!StatPath(path, st) || !S_ISREG(st.st_mode)) return false;
  // The write bits, not only access(): the superuser may write anything.
  return (st.st_mode & 0222) == 0 || ::access(NativePath(path).c_str(), W_OK) != 0;
}

bool GetFileModifiedTime(const std::string& path, std::int32_t& time) {
  struct stat st;
  if (!StatPath(path, st)) return false;
  long long t = st.st_mtime;
  if (t > INT32_MAX) t = INT32_MAX;
  if (t < INT32_MIN) t = INT32_MIN;
  time = static_cast<std::int32_t>(t);
  return true;
}

namespace {

CFileStamp StampOf(const struct stat& st) {
  CFileStamp stamp;
  stamp.exists = true;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

}  // namespace

CFileStamp GetFileStamp(const std::string& path) {
  struct stat st;
  return StatPath(path, st) ? StampOf(st) : CFileStamp();
}

bool ReadFileBytes(const std::string& path, std::string& out, int& error, std::size_t maxBytes) {
  int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  const std::size_t limit = maxBytes + 1;
  struct stat st;
  std::string data;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    data.reserve(std::min(static_cast<std::size_t>(st.st_size), limit));
  }
  char buffer[65536];
  while (data.size() < limit) {
    ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - data.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  out.swap(data);
  return true;
}

CReplacingFile::~CReplacingFile() { Abandon(); }

void CReplacingFile::Abandon() {
  if (m_fd < 0) return;
  ::close(m_fd);
  ::unlink(m_tempPath.c_str());
  m_fd = -1;
}

bool CReplacingFile::Fail(int error) {
  Abandon();
  m_error = error;
  return false;
}

bool CReplacingFile::Open(const std::string& path, unsigned newFileMode, ModeRule rule) {
  Abandon();
  m_error = 0;
  if (path.empty()) return Fail(ENOENT);
  m_native = NativePath(path);
  size_t slash = m_native.rfind('/');
  std::string folderPrefix = slash == std::string::npos ? std::string() : m_native.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? m_native : m_native.substr(slash + 1);
  std::string pattern = folderPrefix + "." + name + ".tmpXXXXXX";
  std::vector<char> templ(pattern.begin(), pattern.end());
  templ.push_back('\0');
  m_fd = ::mkostemp(templ.data(), O_CLOEXEC);
  if (m_fd < 0) {
    m_error = errno;
    return false;
  }
  m_tempPath = templ.data();
  struct stat st;
  const bool exists = ::stat(m_native.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return Fail(EISDIR);
  mode_t mode;
  if (exists && rule == ModeRule::KeepExisting) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = static_cast<mode_t>(newFileMode) & 0777 & ~mask;
  }
  if (::fchmod(m_fd, mode) != 0) return Fail(errno);
  return true;
}

bool CReplacingFile::Write(std::string_view data) {
  if (m_fd < 0) return false;
  int error = 0;
  return WriteAll(m_fd, data, error) || Fail(error);
}

void CReplacingFile::StartWriteback() const {
  // A system or file system without it simply flushes everything at Commit.
  if (m_fd >= 0) ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

bool CReplacingFile::Commit() {
  if (m_fd < 0) return false;
  if (::fsync(m_fd) != 0 && errno != EINVAL) return Fail(errno);
  struct stat st;
  m_stamp = ::fstat(m_fd, &st) == 0 ? StampOf(st) : CFileStamp();
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0 || ::rename(m_tempPath.c_str(), m_native.c_str()) != 0) {
    m_error = errno;
    ::unlink(m_tempPath.c_str());
    return false;
  }
  // The rename reaches the disk with the folder. The file is in place already, so a folder that
  // cannot be flushed (some file systems refuse) does not make the save a failure.
  const size_t slash = m_native.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : m_native.substr(0, slash + 1);
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view data, int& error, unsigned newFileMode,
                        CReplacingFile::ModeRule rule) {
  CReplacingFile file;
  const bool ok = file.Open(path, newFileMode, rule) && file.Write(data) && file.Commit();
  if (!ok) error = file.Error();
  return ok;
}

bool DeleteFileAt(const std::string& path) { return !path.empty() && ::unlink(NativePath(path).c_str()) == 0; }

std::string TempFolder() {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::temp_directory_path(ec);
  std::string native = ec ? std::string("/tmp") : p.string();
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  return FromNativePath(native);
}

namespace {

std::string g_privateFolder;  // native; "" until made
pid_t g_privateOwner = 0;

void RemovePrivateFolder() {
  // Only the process that made it (not a child that exits through the same handlers).
  if (g_privateFolder.empty() || ::getpid() != g_privateOwner) return;
  std::error_code ignored;
  std::filesystem::remove_all(g_privateFolder, ignored);  // links inside are removed, not followed
}

}  // namespace

std::string PrivateTempFolder() {
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  // Made again when it has gone (a cleaner of old temporary files removed it); a folder that is no
  // longer the process's own, 0700 and not a link, is never used.
  struct stat st;
  if (!g_privateFolder.empty() &&
      !(::lstat(g_privateFolder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
        (st.st_mode & 0777) == 0700)) {
    g_privateFolder.clear();
  }
  if (g_privateFolder.empty()) {
    std::string pattern = NativePath(TempFolder()) + "/vamelrss-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) return std::string();  // mkdtemp makes it 0700
    g_privateFolder = buffer.data();
    if (g_privateOwner == 0) std::atexit(RemovePrivateFolder);
    g_privateOwner = ::getpid();
  }
  return FromNativePath(g_privateFolder);
}

bool WritePrivateFile(const std::string& path, std::string_view data, int& error) {
  const std::string native = NativePath(path);
  if (path.empty() || (::unlink(native.c_str()) != 0 && errno != ENOENT)) {
    error = path.empty() ? ENOENT : errno;
    return false;
  }
  int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = errno;
    return false;
  }
  bool ok = WriteAll(fd, data, error);
  if (::close(fd) != 0 && ok) {
    error = errno;
    ok = false;
  }
  if (!ok) ::unlink(native.c_str());
  return ok;
}

std::string FolderOf(const std::string& path) {
  size_t sep = LastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string NameOf(const std::string& path) {
  size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}
