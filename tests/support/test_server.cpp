#include "test_server.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

constexpr const char* kPython = "/usr/bin/python3";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

bool CTestServer::Start(const std::string& script, const std::vector<std::string>& args,
                        const std::string& workFolder, std::string* error) {
  Stop();
  static int serial = 0;
  std::string portFile = workFolder + "/server-port-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
  std::string path = std::string(VAMELRSS_SOURCE_DIR) + "/tests/support/servers/" + script;
  std::vector<std::string> argv = {kPython, path};
  argv.insert(argv.end(), args.begin(), args.end());
  argv.push_back("--port-file");
  argv.push_back(portFile);
  std::vector<char*> raw;
  for (std::string& a : argv) raw.push_back(a.data());
  raw.push_back(nullptr);

  pid_t pid = -1;
  if (posix_spawn(&pid, kPython, nullptr, nullptr, raw.data(), environ) != 0) {
    if (error) *error = "cannot start " + path;
    return false;
  }
  m_pid = pid;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    std::string text = ReadAll(portFile);
    if (!text.empty()) {
      std::istringstream in(text);
      int port;
      while (in >> port) m_ports.push_back(port);
      if (!m_ports.empty()) return true;
    }
    int status;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_pid = -1;
      if (error) *error = script + " ended before it listened";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (error) *error = script + " did not start listening";
  Stop();
  return false;
}

void CTestServer::Stop() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    int status;
    for (int i = 0; i < 200; ++i) {
      if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, &status, 0);
      m_pid = -1;
    }
  }
  m_ports.clear();
}

bool HavePythonModule(const std::string& module) {
  std::string command = std::string(kPython) + " -c 'import " + module + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

bool WaitForFileText(const std::string& path, const std::string& text, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
  do {
    if (ReadAll(path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}
