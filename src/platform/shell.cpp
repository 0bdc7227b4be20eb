#include "platform/shell.h"

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/url_parts.h"
#include "platform/xdg_data.h"

extern char** environ;

CLaunch StartProgram(const std::vector<std::string>& args);
CLaunch RefusedLaunch(const std::string& program);

namespace {

void ReadAll(int fd, void* buffer, size_t size, ssize_t& got) {
  do {
    got = ::read(fd, buffer, size);
  } while (got < 0 && errno == EINTR);
}

// Local paths are passed absolute: an argument that starts with "-" would be read as an option.
std::string AbsoluteNative(const std::string& path) {
  std::string native = NativePath(path);
  if (native.empty() || native[0] == '/') return native;
  char cwd[4096];
  if (!::getcwd(cwd, sizeof cwd)) return "./" + native;
  return std::string(cwd) + "/" + native;
}

}  // namespace

// The program runs in a session of its own under a watcher process that writes its exit status into a
// pipe; the watcher is not this process's child, so nothing is left to reap. A second pipe, closed by
// a successful exec, carries the error number of a failed one.
CLaunch StartProgram(const std::vector<std::string>& args) {
  CLaunch launch;
  if (args.empty() || args[0].empty()) return launch;
  launch.m_program = FromNativePath(args[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int execPipe[2], statusPipe[2];
  if (::pipe2(execPipe, O_CLOEXEC) != 0) {
    launch.m_error = errno;
    return launch;
  }
  if (::pipe2(statusPipe, O_CLOEXEC) != 0) {
    launch.m_error = errno;
    ::close(execPipe[0]);
    ::close(execPipe[1]);
    return launch;
  }
  pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    // Only calls that are safe after fork from here on.
    if (::fork() != 0) ::_exit(0);  // the watcher goes on, no longer a child of the program
    ::close(execPipe[0]);
    ::close(statusPipe[0]);
    pid_t program = ::fork();
    if (program == 0) {
      int devnull = ::open("/dev/null", O_RDONLY);
      if (devnull >= 0) ::dup2(devnull, STDIN_FILENO);
      ::execvp(argv[0], argv.data());
      int err = errno;
      ssize_t ignored = ::write(execPipe[1], &err, sizeof err);
      (void)ignored;
      ::_exit(127);
    }
    ::close(execPipe[1]);
    int status = 0;
    if (program > 0) {
      while (::waitpid(program, &status, 0) < 0 && errno == EINTR) {
      }
    }
    ssize_t ignored = ::write(statusPipe[1], &status, sizeof status);
    (void)ignored;
    ::_exit(0);
  }
  ::close(execPipe[1]);
  ::close(statusPipe[1]);
  if (child < 0) {
    launch.m_error = errno;
    ::close(execPipe[0]);
    ::close(statusPipe[0]);
    return launch;
  }
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t n = 0;
  ReadAll(execPipe[0], &err, sizeof err, n);
  ::close(execPipe[0]);
  if (n > 0) {
    // The exec failed: the watcher's status says nothing more.
    launch.m_error = err != 0 ? err : ENOEXEC;
    ::close(statusPipe[0]);
    return launch;
  }
  launch.m_started = true;
  launch.m_statusPipe = statusPipe[0];
  ::fcntl(launch.m_statusPipe, F_SETFL, O_NONBLOCK);
  return launch;
}

CLaunch RefusedLaunch(const std::string& program) {
  CLaunch launch;
  launch.m_program = program;
  launch.m_refused = true;
  return launch;
}

CLaunch::CLaunch(CLaunch&& other) noexcept { *this = std::move(other); }

CLaunch& CLaunch::operator=(CLaunch&& other) noexcept {
  if (this == &other) return *this;
  if (m_statusPipe >= 0) ::close(m_statusPipe);
  m_started = other.m_started;
  m_refused = other.m_refused;
  m_error = other.m_error;
  m_program = std::move(other.m_program);
  m_statusPipe = other.m_statusPipe;
  other.m_statusPipe = -1;
  return *this;
}

CLaunch::~CLaunch() {
  if (m_statusPipe >= 0) ::close(m_statusPipe);
}

bool CLaunch::Ended(int& exitStatus) {
  if (m_statusPipe < 0) return false;
  int status = 0;
  ssize_t n = 0;
  ReadAll(m_statusPipe, &status, sizeof status, n);
  if (n < 0 && errno == EAGAIN) return false;
  ::close(m_statusPipe);
  m_statusPipe = -1;
  // A watcher that ended without a word (it cannot fail otherwise) counts as a program that ran.
  if (n != static_cast<ssize_t>(sizeof status)) {
    exitStatus = 0;
    return true;
  }
  exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

void SplitCommandLine(const std::string& text, std::vector<std::string>& words) {
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
}

CLaunch ShellOpen(const std::string& target) {
  const std::string scheme = UrlScheme(target);
  const bool url = IsWebAddress(target) || scheme == "mailto";
  // A path: no scheme, not empty, and not a word the opener would take for an option.
  const bool path = scheme.empty() && !target.empty() && target[0] != '-';
  if (!url && !path) return RefusedLaunch("xdg-open");
  return StartProgram({"xdg-open", url ? target : AbsoluteNative(target)});
}

CLaunch ShellRun(const std::string& program, const std::string& parameter) {
  std::vector<std::string> args;
  if (FileExists(program)) args.push_back(NativePath(program));
  else SplitCommandLine(NativePath(program), args);
  // No program set (no viewer configured and none associated): the parameter would become the
  // program itself, so a feed or page file marked executable would run. Open it instead.
  if (args.empty()) return ShellOpen(parameter);
  if (!parameter.empty()) args.push_back(AbsoluteNative(parameter));
  return StartProgram(args);
}

bool RunAndCapture(const std::vector<std::string>& args, std::string& output) {
  if (args.empty()) return false;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (rc != 0) {
    ::close(pipeFds[0]);
    return false;
  }
  output.clear();
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    // A look-up answers in a few lines; more is not an answer.
    if (output.size() < 65536) output.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

namespace {

bool IsExecutableFile(const std::string& native) {
  struct stat st;
  return ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(native.c_str(), X_OK) == 0;
}

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

// The folders that hold .desktop files, most specific first.
std::vector<std::string> ApplicationFolders() {
  std::vector<std::string> folders = XdgDataFolders();
  for (std::string& folder : folders) folder += "/applications";
  return folders;
}

// What a desktop entry says of its program: the first word of its Exec line, and its Categories.
struct CDesktopEntry {
  std::string program;
  std::string categories;
};

CDesktopEntry ReadDesktopEntry(const std::string& desktopId) {
  CDesktopEntry entry;
  for (const std::string& folder : ApplicationFolders()) {
    std::ifstream in(folder + "/" + desktopId);
    if (!in) continue;
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
      if (!line.empty() && line[0] == '[') inEntry = line.rfind("[Desktop Entry]", 0) == 0;
      else if (inEntry && line.rfind("Exec=", 0) == 0) {
        std::vector<std::string> words;
        SplitCommandLine(line.substr(5), words);
        if (!words.empty()) entry.program = words[0];
      } else if (inEntry && line.rfind("Categories=", 0) == 0) {
        entry.categories = ";" + line.substr(11) + ";";
      }
    }
    return entry;
  }
  return entry;
}

// The desktop entry of the desktop's default application for a MIME type ("" when none is set).
std::string DefaultDesktopId(const std::string& type) {
  std::string desktop;
  if (type.empty() || !RunAndCapture({"xdg-mime", "query", "default", type}, desktop)) return std::string();
  desktop = FirstLine(desktop);
  return desktop.find('/') != std::string::npos ? std::string() : desktop;
}

}  // namespace

std::string FindInPath(const std::string& name) {
  if (name.empty()) return std::string();
  std::string native = NativePath(name);
  if (native.find('/') != std::string::npos) return IsExecutableFile(native) ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = (end > start ? dirs.substr(start, end - start) : ".") + "/" + native;
    if (IsExecutableFile(candidate)) return FromNativePath(candidate);
    start = end + 1;
  }
  return std::string();
}

std::string FindAssociatedProgram(const std::string& path) {
  // Desktops associate by MIME type, which they take from the file name first; an empty file's
  // content would only say "empty".
  static const std::pair<const char*, const char*> kTypesByExtension[] = {
      {"html", "text/html"}, {"htm", "text/html"}, {"xhtml", "application/xhtml+xml"},
      {"xml", "application/xml"}, {"rdf", "application/rdf+xml"}, {"txt", "text/plain"}};
  std::string type, desktop;
  std::string ext = NameOf(path);
  ext = ext.find('.') == std::string::npos ? std::string() : ext.substr(ext.rfind('.') + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const auto& known : kTypesByExtension) {
    if (ext == known.first) type = known.second;
  }
  if (type.empty()) {
    if (!RunAndCapture({"xdg-mime", "query", "filetype", NativePath(path)}, type)) return std::string();
    type = FirstLine(type);
  }
  desktop = DefaultDesktopId(type);
  if (desktop.empty()) return std::string();
  return FindInPath(FromNativePath(ReadDesktopEntry(desktop).program));
}

std::string FindDefaultEditor(const std::string& type) {
  const std::string desktop = DefaultDesktopId(type);
  if (desktop.empty()) return std::string();
  const CDesktopEntry entry = ReadDesktopEntry(desktop);
  if (entry.categories.find(";TextEditor;") == std::string::npos) return std::string();
  return FindInPath(FromNativePath(entry.program));
}
