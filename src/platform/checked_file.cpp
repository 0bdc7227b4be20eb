#include "platform/checked_file.h"

#include <cstring>
#include <stdexcept>
#include <sys/stat.h>

#include "platform/large_buffer.h"
#include "platform/text_codec.h"

std::string CCheckedFile::OpenFailedText() { return Lit("ファイルのオープンに失敗しました"); }
std::string CCheckedFile::CloseFailedText() { return Lit("ファイルのクローズに失敗しました"); }
std::string CCheckedFile::WriteFailedText() { return Lit("ファイルの書込に失敗しました"); }
std::string CCheckedFile::SeekFailedText() { return Lit("ファイルのシークに失敗しました"); }
std::string CCheckedFile::ReadFailedText() { return Lit("ファイルの読込に失敗しました"); }
std::string CCheckedFile::BufferFailedText() { return Lit("ファイル読み込みバッファ確保エラー："); }

CCheckedFile::~CCheckedFile() {
  if (m_stream) std::fclose(m_stream);
}

void CCheckedFile::Fail(const std::string& text) const { throw CVamelFileException(text + ":" + m_path); }

void CCheckedFile::Open(const std::string& path, const char* mode) {
  if (m_stream) {
    std::fclose(m_stream);
    m_stream = nullptr;
  }
  if (mode[0] == 'w') {
    if (!m_writer.Open(path)) throw CVamelFileException(OpenFailedText() + ":" + path);
    m_path = path;
    return;
  }
  // (An earlier write that was not closed is abandoned.)
  m_writer.Abandon();
  std::FILE* stream = path.empty() ? nullptr : std::fopen(NativePath(path).c_str(), mode);
  if (!stream) throw CVamelFileException(OpenFailedText() + ":" + path);
  // A folder opens on Linux but cannot be read as a file.
  struct stat st;
  if (::fstat(::fileno(stream), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(stream);
    throw CVamelFileException(OpenFailedText() + ":" + path);
  }
  m_stream = stream;
  m_path = path;
}

void CCheckedFile::Close() {
  if (m_writer.IsOpen()) {
    if (!m_writer.Commit()) Fail(CloseFailedText());
    return;
  }
  if (!m_stream) return;
  std::FILE* stream = m_stream;
  m_stream = nullptr;
  if (std::fclose(stream) != 0) Fail(CloseFailedText());
}

void CCheckedFile::WriteString(const std::string& text) {
  const void* zero = std::memchr(text.data(), '\0', text.size());
  Write(std::string_view(text.data(), zero ? static_cast<size_t>(static_cast<const char*>(zero) - text.data()) : text.size()));
}

void CCheckedFile::Write(std::string_view bytes) {
  if (!m_writer.IsOpen() || !m_writer.Write(bytes)) Fail(WriteFailedText());
}

void CCheckedFile::Seek(long long offset, int origin) {
  if (!m_stream || ::fseeko(m_stream, static_cast<off_t>(offset), origin) != 0) Fail(SeekFailedText());
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
