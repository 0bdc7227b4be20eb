// File access that reports every failure as an exception carrying a readable message with the path.
//
// Opening with a mode that begins with "w" replaces the file through CReplacingFile (file_system.h):
// the new bytes are put in place by Close, and a failed or abandoned write never destroys the previous
// file and leaves no temporary file behind.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/vamel_exception.h"

// The file error: one user-readable message, "<what failed>:<path>".
class CVamelFileException : public CVamelException {
public:
  using CVamelException::CVamelException;
};

class CCheckedFile {
public:
  CCheckedFile() = default;
  // Closes an open file without checking the result; an uncommitted write is discarded.
  ~CCheckedFile();
  CCheckedFile(const CCheckedFile&) = delete;
  CCheckedFile& operator=(const CCheckedFile&) = delete;

  // Opens `path` (internal text) with a standard mode string ("rb", "wb"). Throws the open message.
  void Open(const std::string& path, const char* mode);
  // Closes the file (and, after writing, puts it in place). Throws the close message. Does nothing when
  // no file is open.
  void Close();
  // Writes `text` up to its first zero byte. Throws the write message.
  void WriteString(const std::string& text);
  // Writes all the bytes. Throws the write message.
  void Write(std::string_view bytes);
  // Lets the system start putting what has been written so far on disk (CReplacingFile).
  void StartWriteback() const { m_writer.StartWriteback(); }
  // Moves the position; origin SEEK_SET, SEEK_CUR or SEEK_END. Throws the seek message.
  void Seek(long long offset, int origin);
  long long Tell() const;
  // The file's length in bytes; the position is kept.
  long long GetLength();
  // Reads up to `count` bytes; the end of the file is not an error. Throws the read message.
  size_t Read(void* buffer, size_t count);
  // The whole file, up to its first zero byte. Throws the buffer or read message.
  std::string ReadAll();
  // The whole file, zero bytes included (text in UTF-16). Throws the buffer or read message.
  std::string ReadAllBytes();

  bool IsOpen() const { return m_stream != nullptr || m_writer.IsOpen(); }
  const std::string& GetPath() const { return m_path; }

  // The message texts (internal text), each followed by ":" and the path when thrown.
  static std::string OpenFailedText();
  static std::string CloseFailedText();
  static std::string WriteFailedText();
  static std::string SeekFailedText();
  static std::string ReadFailedText();
  static std::string BufferFailedText();

private:
  [[noreturn]] void Fail(const std::string& text) const;

  std::FILE* m_stream = nullptr;  // a file open for reading
  CReplacingFile m_writer;        // a file open for writing
  std::string m_path;
};
