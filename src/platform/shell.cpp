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

extern char** environ;

namespace {

// Starts argv detached (double fork, so no zombie is left) and reports whether exec succeeded.
bool SpawnDetached(const std::vector<std::string>& args) {
  if (args.empty() || args[0].empty()) return false;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return false;
  }
  if (child == 0) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
      int devnull = ::open("/dev/null", O_RDONLY);
      if (devnull >= 0) ::dup2(devnull, STDIN_FILENO);
      ::execvp(argv[0], argv.data());
      int err = errno;
      ssize_t ignored = ::write(pipeFds[1], &err, sizeof err);
      (void)ignored;
      ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
  }
  ::close(pipeFds[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t n;
  do {
    n = ::read(pipeFds[0], &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  ::close(pipeFds[0]);
  // Nothing written means exec succeeded (the pipe closed on exec).
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

}  // namespace

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

bool ShellOpen(const std::string& path) {
  if (path.empty()) return false;
  return SpawnDetached({"xdg-open", NativePath(path)});
}

bool ShellRun(const std::string& program, const std::string& parameter) {
  std::vector<std::string> args;
  if (FileExists(program)) args.push_back(NativePath(program));
  else SplitCommandLine(NativePath(program), args);
  // No program set (no viewer configured and none associated): the parameter would become the
  // program itself, so a feed or page file marked executable would run. Open it instead.
  if (args.empty()) return ShellOpen(parameter);
  if (!parameter.empty()) args.push_back(NativePath(parameter));
  return SpawnDetached(args);
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
  std::vector<std::string> folders;
  const char* home = std::getenv("HOME");
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome) folders.push_back(std::string(dataHome) + "/applications");
  else if (home && *home) folders.push_back(std::string(home) + "/.local/share/applications");
  const char* dataDirs = std::getenv("XDG_DATA_DIRS");
  std::string dirs = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    if (end > start) folders.push_back(dirs.substr(start, end - start) + "/applications");
    start = end + 1;
  }
  return folders;
}

// The program of a desktop entry: the first word of its Exec line.
std::string ProgramOfDesktopEntry(const std::string& desktopId) {
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
        return words.empty() ? std::string() : words[0];
      }
    }
  }
  return std::string();
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
  if (type.empty() || !RunAndCapture({"xdg-mime", "query", "default", type}, desktop)) return std::string();
  desktop = FirstLine(desktop);
  if (desktop.empty() || desktop.find('/') != std::string::npos) return std::string();
  return FindInPath(FromNativePath(ProgramOfDesktopEntry(desktop)));
}
