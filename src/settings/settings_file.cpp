// CVamelProfile on an INI file.
//
// Layout: "[section]" lines and "name=value" lines. Section and value names match without regard to
// ASCII case, as registry names do. In values "\\", "\r" and "\n" stand for a backslash, CR and LF,
// so multi-line marker tags survive. Values before the first section header belong to the section "".
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "settings/vamel_profile.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string Escape(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (c == '\\') out += "\\\\";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::string Unescape(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      char n = value[++i];
      if (n == 'r') out += '\r';
      else if (n == 'n') out += '\n';
      else out += n;
    } else {
      out += value[i];
    }
  }
  return out;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return lines;
  std::string data;
  char buffer[8192];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    if (end == std::string::npos) end = data.size();
    std::string line = data.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool IsSectionLine(const std::string& line, std::string& name) {
  if (line.size() < 2 || line[0] != '[') return false;
  size_t close = line.rfind(']');
  if (close == std::string::npos || close == 0) return false;
  name = line.substr(1, close - 1);
  return true;
}

bool SplitEntry(const std::string& line, std::string& name, std::string& value) {
  if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[') return false;
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  name = line.substr(0, eq);
  value = line.substr(eq + 1);
  return true;
}

void MakeFolders(const std::string& folder) {
  if (folder.empty()) return;
  for (size_t pos = 1; pos <= folder.size(); ++pos) {
    if (pos == folder.size() || folder[pos] == '/') ::mkdir(folder.substr(0, pos).c_str(), 0700);
  }
}

}  // namespace

std::string CVamelProfile::ConfigRoot() {
  const char* over = std::getenv("VAMELRSS_CONFIG_DIR");
  if (over && *over) return over;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config";
}

std::string CVamelProfile::GetStorePath() const {
  return ConfigRoot() + "/" + m_company + "/" + m_application + ".ini";
}

const std::vector<std::string>& CVamelProfile::Lines(const std::string& path) {
  const CFileStamp stamp = GetFileStamp(FromNativePath(path));
  if (path != m_cachedPath || stamp != m_cachedStamp) {
    m_lines = stamp.exists ? ReadLines(path) : std::vector<std::string>();
    m_cachedPath = path;
    m_cachedStamp = stamp;
  }
  return m_lines;
}

bool CVamelProfile::ReadRaw(const std::string& section, const std::string& entry, std::string& utf8Value) {
  std::lock_guard<std::mutex> lock(m_mutex);
  bool inSection = section.empty();  // values before the first section header form the section ""
  for (const std::string& line : Lines(GetStorePath())) {
    std::string name, value;
    if (IsSectionLine(line, name)) {
      inSection = EqualNoCase(name, section);
    } else if (inSection && SplitEntry(line, name, value) && EqualNoCase(name, entry)) {
      utf8Value = Unescape(value);
      return true;
    }
  }
  return false;
}

void CVamelProfile::WriteRaw(const std::string& section, const std::string& entry, const std::string& utf8Value) {
  std::lock_guard<std::mutex> lock(m_mutex);
  const std::string path = GetStorePath();
  // Changed on top of the file as it is now, so that what another copy wrote meanwhile stays.
  std::vector<std::string> lines = Lines(path);
  std::string newLine = entry + "=" + Escape(utf8Value);
  bool inSection = section.empty(), sectionSeen = section.empty(), done = false;
  size_t insertAt = lines.size();
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name, value;
    if (IsSectionLine(lines[i], name)) {
      if (inSection) {
        insertAt = i;
        break;
      }
      inSection = EqualNoCase(name, section);
      if (inSection) sectionSeen = true;
    } else if (inSection && SplitEntry(lines[i], name, value) && EqualNoCase(name, entry)) {
      lines[i] = newLine;
      done = true;
    }
  }
  if (!done) {
    if (sectionSeen) {
      // Insert after the section's last non-empty line.
      while (insertAt > 0 && lines[insertAt - 1].empty()) --insertAt;
      lines.insert(lines.begin() + static_cast<long>(insertAt), newLine);
    } else {
      if (!lines.empty() && !lines.back().empty()) lines.push_back("");
      lines.push_back("[" + section + "]");
      lines.push_back(newLine);
    }
  }
  std::string data;
  for (const std::string& line : lines) data += line + "\n";
  size_t slash = path.rfind('/');
  if (slash != std::string::npos) MakeFolders(path.substr(0, slash));
  // The store may hold passwords (the sibling editor's FTP list): it stays private whatever its mode was.
  CReplacingFile file;
  if (file.Open(FromNativePath(path), 0600, CReplacingFile::ModeRule::Always) && file.Write(data) && file.Commit()) {
    m_lines.swap(lines);
    m_cachedStamp = file.WrittenStamp();
  }
}

std::string CVamelProfile::DoGetString(const std::string& section, const std::string& entry, const std::string& def) {
  std::string value;
  if (!ReadRaw(section, entry, value)) return def;
  return Utf8ToAnsi(value);
}

int CVamelProfile::DoGetInt(const std::string& section, const std::string& entry, int def) {
  std::string value;
  if (!ReadRaw(section, entry, value) || value.empty()) return def;
  errno = 0;
  char* end = nullptr;
  long long n = std::strtoll(value.c_str(), &end, 10);
  if (errno != 0 || end == value.c_str() || *end != '\0' || n < INT_MIN || n > UINT_MAX) return def;
  // Values up to 2^32-1 read back as the signed 32-bit number of the same bits, as a DWORD would.
  return static_cast<int>(static_cast<unsigned int>(n & 0xFFFFFFFFLL));
}

void CVamelProfile::DoPutString(const std::string& section, const std::string& entry, const std::string& value) {
  WriteRaw(section, entry, AnsiToUtf8(value));
}

void CVamelProfile::DoPutInt(const std::string& section, const std::string& entry, int value) {
  WriteRaw(section, entry, std::to_string(value));
}
