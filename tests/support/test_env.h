// The base fixture of every suite: a fresh temporary folder, its own settings store, Japanese time,
// the real clock, the default process-wide modes and a scripted interaction.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/result.h"
#include "scripted_interaction.h"

class VamelTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A path below the test's temporary folder (native = internal for ASCII and UTF-8 names in tests).
  std::string TempPath(const std::string& name) const { return m_temp + "/" + name; }
  const std::string& TempFolder() const { return m_temp; }

  CScriptedInteraction ui;

private:
  std::string m_temp;
};

// Sets TZ for the life of the object and restores the previous value.
class ScopedTimeZone {
public:
  explicit ScopedTimeZone(const char* tz);
  ~ScopedTimeZone();

private:
  std::string m_old;
  bool m_hadOld;
};

// Whether an operation succeeded, with the text of its first message in `message` ("" for none).
template <class Payload>
bool Did(const CResult<Payload>& result, std::string& message) {
  message = result.FirstText();
  return result.Ok();
}

// Internal text (code page 932) from a UTF-8 test literal, and back.
std::string J(const std::string& utf8);
std::string U(const std::string& ansi);
// The UTF-8 of one code point (any value below 0x200000, surrogates included, for tests that need them).
std::string EncodeUtf8(char32_t cp);

// Small file helpers for tests.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);
// Runs a shell command, returns its exit status and (optionally) its standard output.
int RunCommand(const std::string& command, std::string* output = nullptr);
// True when a program is on PATH.
bool HaveProgram(const std::string& name);
// Runs `body` in a child process whose files cannot grow beyond `limit` bytes (a write past it fails
// as a full disk would), so the limit does not touch the test run; true when `body` returned true.
bool RunWithFileSizeLimit(size_t limit, const std::function<bool()>& body);
// The number of entries in a folder (0 when it cannot be read).
int CountFolderEntries(const std::string& folder);
