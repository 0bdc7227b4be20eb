// Starts one of the test servers of tests/support/servers/ (a Python script run with /usr/bin/python3)
// on a free port of 127.0.0.1, waits until it listens, and stops it again.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class CTestServer {
public:
  CTestServer() = default;
  ~CTestServer() { Stop(); }
  CTestServer(const CTestServer&) = delete;
  CTestServer& operator=(const CTestServer&) = delete;

  // Runs servers/<script> with `args` plus "--port-file <file>"; the script writes its port (or
  // ports, separated by spaces) there once it listens. False, with a reason, when it did not start.
  bool Start(const std::string& script, const std::vector<std::string>& args, const std::string& workFolder,
             std::string* error = nullptr);
  void Stop();

  bool IsRunning() const { return m_pid > 0; }
  int Port(size_t index = 0) const { return index < m_ports.size() ? m_ports[index] : 0; }

private:
  pid_t m_pid = -1;
  std::vector<int> m_ports;
};

// True when /usr/bin/python3 can import the named module.
bool HavePythonModule(const std::string& module);

// Waits (polling, at most `seconds`) until the file exists and contains `text`.
bool WaitForFileText(const std::string& path, const std::string& text, double seconds = 20);
