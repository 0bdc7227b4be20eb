#include "platform/shell.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_system.h"

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
  if (!parameter.empty()) args.push_back(NativePath(parameter));
  return SpawnDetached(args);
}
