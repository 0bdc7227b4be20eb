#include "test_env.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/options_model.h"
#include "model/rss_file.h"
#include "platform/clock.h"
#include "platform/text_codec.h"

void VamelTest::SetUp() {
  char templ[] = "/tmp/vamelrss-test-XXXXXX";
  char* made = mkdtemp(templ);
  ASSERT_NE(made, nullptr);
  m_temp = made;
  setenv("VAMELRSS_CONFIG_DIR", (m_temp + "/config").c_str(), 1);
  setenv("TZ", "Asia/Tokyo", 1);
  tzset();
  SetCurrentTimeOverride(std::nullopt);
  CRssFile::rssMode = 2;
  CRssFile::atomMode = 2;
  LoadMarkerDefaults();
}

void VamelTest::TearDown() {
  ui.VerifyAllAsked();
  SetCurrentTimeOverride(std::nullopt);
  std::error_code ec;
  std::filesystem::permissions(m_temp, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(m_temp, ec);
}

ScopedTimeZone::ScopedTimeZone(const char* tz) {
  const char* old = std::getenv("TZ");
  m_hadOld = old != nullptr;
  if (old) m_old = old;
  setenv("TZ", tz, 1);
  tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
  if (m_hadOld) setenv("TZ", m_old.c_str(), 1);
  else unsetenv("TZ");
  tzset();
}

std::string J(const std::string& utf8) { return Utf8ToAnsi(utf8); }

std::string EncodeUtf8(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}
std::string U(const std::string& ansi) { return AnsiToUtf8(ansi); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  int status = pclose(pipe);
  if (output) *output = out;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HaveProgram(const std::string& name) { return RunCommand("command -v " + name + " >/dev/null 2>&1") == 0; }

bool RunWithFileSizeLimit(size_t limit, const std::function<bool()>& body) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit bound{limit, limit};
    setrlimit(RLIMIT_FSIZE, &bound);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int CountFolderEntries(const std::string& folder) {
  std::error_code ec;
  int entries = 0;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) ++entries;
  return entries;
}
