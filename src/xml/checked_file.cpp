#include "xml/checked_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "xml/vxml_pool.h"

std::string CCheckedFile::OpenFailedText() { return Lit("ファイルのオープンに失敗しました"); }
std::string CCheckedFile::CloseFailedText() { return Lit("ファイルのクローズに失敗しました"); }
std::string CCheckedFile::WriteFailedText() { return Lit("ファイルの書込に失敗しました"); }
std::string CCheckedFile::SeekFailedText() { return Lit("ファイルのシークに失敗しました"); }
std::string CCheckedFile::ReadFailedText() { return Lit("ファイルの読込に失敗しました"); }
std::string CCheckedFile::BufferFailedText() { return Lit("ファイル読み込みバッファ確保エラー："); }

CCheckedFile::~CCheckedFile() {
  if (m_stream) std::fclose(m_stream);
  DiscardTemporary();
}

void CCheckedFile::Fail(const std::string& text) const { throw CVamelFileException(text + ":" + m_path); }

void CCheckedFile::DiscardTemporary() {
  if (!m_tempNative.empty()) ::unlink(m_tempNative.c_str());
  m_tempNative.clear();
}

bool CCheckedFile::Open(const std::string& path, const char* mode) {
  if (m_stream) {
    std::fclose(m_stream);
    m_stream = nullptr;
    DiscardTemporary();
  }
  std::string native = NativePath(path);
  std::FILE* stream = nullptr;
  if (mode[0] == 'w' && !path.empty()) {
    // Write beside the target and rename at Close. Keep the target's permissions; refuse a folder.
    struct stat st;
    bool exists = ::stat(native.c_str(), &st) == 0;
    if (!(exists && S_ISDIR(st.st_mode))) {
      size_t slash = native.rfind('/');
      std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
      std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
      std::string pattern = folder + "." + name + ".tmpXXXXXX";
      std::vector<char> buffer(pattern.begin(), pattern.end());
      buffer.push_back('\0');
      int fd = ::mkstemp(buffer.data());
      if (fd >= 0) {
        mode_t permissions;
        if (exists) {
          permissions = st.st_mode & 07777;
        } else {
          mode_t mask = ::umask(0);
          ::umask(mask);
          permissions = 0666 & ~mask;
        }
        if (::fchmod(fd, permissions) == 0) stream = ::fdopen(fd, "wb");
        if (!stream) {
          ::close(fd);
          ::unlink(buffer.data());
        } else {
          m_tempNative = buffer.data();
          m_targetNative = native;
        }
      }
    }
  } else if (!path.empty()) {
    stream = std::fopen(native.c_str(), mode);
  }
  if (!stream) throw CVamelFileException(OpenFailedText() + ":" + path);
  if (mode[0] == 'r') {
    // A folder opens on Linux but cannot be read as a file.
    struct stat st;
    if (::fstat(::fileno(stream), &st) != 0 || S_ISDIR(st.st_mode)) {
      std::fclose(stream);
      throw CVamelFileException(OpenFailedText() + ":" + path);
    }
  }
  m_stream = stream;
  m_fd = ::fileno(stream);
  m_path = path;
  return true;
}

bool CCheckedFile::Close() {
  if (!m_stream) return true;
  std::FILE* stream = m_stream;
  m_stream = nullptr;
  bool ok = true;
  if (!m_tempNative.empty()) {
    ok = std::fflush(stream) == 0;
    if (ok && ::fsync(::fileno(stream)) != 0 && errno != EINVAL) ok = false;
  }
  if (std::fclose(stream) != 0) ok = false;
  if (ok && !m_tempNative.empty()) {
    ok = ::rename(m_tempNative.c_str(), m_targetNative.c_str()) == 0;
    if (ok) m_tempNative.clear();
  }
  DiscardTemporary();
  if (!ok) Fail(CloseFailedText());
  return true;
}

bool CCheckedFile::WriteString(const std::string& text) {
  if (!m_stream) Fail(WriteFailedText());
  const void* zero = std::memchr(text.data(), '\0', text.size());
  size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - text.data()) : text.size();
  if (length > 0 && std::fwrite(text.data(), 1, length, m_stream) != length) Fail(WriteFailedText());
  return true;
}

bool CCheckedFile::Write(std::string_view bytes) {
  if (!m_stream) Fail(WriteFailedText());
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_stream) != bytes.size()) Fail(WriteFailedText());
  return true;
}

void CCheckedFile::StartWriteback() const {
  // A system or file system without it simply flushes everything at Close.
  if (m_stream) ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

bool CCheckedFile::Seek(long long offset, int origin) {
  if (!m_stream || ::fseeko(m_stream, static_cast<off_t>(offset), origin) != 0) Fail(SeekFailedText());
  return true;
}

long long CCheckedFile::Tell() const { return m_stream ? static_cast<long long>(::ftello(m_stream)) : -1; }

long long CCheckedFile::GetLength() {
  long long position = Tell();
  Seek(0, SEEK_END);
  long long length = Tell();
  Seek(position, SEEK_SET);
  return length;
}

size_t CCheckedFile::Read(void* buffer, size_t count) {
  if (!m_stream) Fail(ReadFailedText());
  size_t got = std::fread(buffer, 1, count, m_stream);
  if (std::ferror(m_stream)) Fail(ReadFailedText());
  return got;
}

std::string CCheckedFile::ReadAll() {
  std::string content = ReadAllBytes();
  size_t zero = content.find('\0');
  if (zero != std::string::npos) content.resize(zero);
  return content;
}

std::string CCheckedFile::ReadAllBytes() {
  long long length = GetLength();
  if (length < 0) Fail(ReadFailedText());
  std::string content;
  try {
    ResizeLargeBuffer(content, static_cast<size_t>(length));
  } catch (const std::exception&) {
    Fail(BufferFailedText());
  }
  size_t got = content.empty() ? 0 : Read(content.data(), content.size());
  content.resize(got);
  return content;
}
