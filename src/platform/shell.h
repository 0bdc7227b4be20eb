// Launching other programs: the default program of a file or URL, or a named program.
#pragma once

#include <string>
#include <vector>

// A program started for the user, not waited for. Whether it started is known at once; a launcher that
// then finds nothing to open (xdg-open) tells so only by its exit status, which Ended reads without
// waiting. Dropping the object stops watching; the program runs on.
class CLaunch {
public:
  CLaunch() = default;
  CLaunch(CLaunch&& other) noexcept;
  CLaunch& operator=(CLaunch&& other) noexcept;
  CLaunch(const CLaunch&) = delete;
  CLaunch& operator=(const CLaunch&) = delete;
  ~CLaunch();

  bool Started() const { return m_started; }
  explicit operator bool() const { return m_started; }
  // Why it did not start: refused (not something this program opens), or the error number of the start.
  bool Refused() const { return m_refused; }
  int StartError() const { return m_error; }
  // The program run (the first word of the command), as internal text.
  const std::string& Program() const { return m_program; }
  // True once the program has ended: `exitStatus` is its exit code, -1 when a signal ended it.
  bool Ended(int& exitStatus);

private:
  friend CLaunch StartProgram(const std::vector<std::string>& args);
  friend CLaunch RefusedLaunch(const std::string& program);
  bool m_started = false;
  bool m_refused = false;
  int m_error = 0;
  std::string m_program;
  int m_statusPipe = -1;  // where the watcher writes the exit status
};

// Opens `target` with its default program (xdg-open). Only what this program opens is passed on: an
// http, https or mailto URL, or a local path (made absolute, so it can never read as an option);
// anything else ("javascript:", "file:", "--help", an empty text) is refused and nothing runs.
CLaunch ShellOpen(const std::string& target);

// Runs `program` with `parameter` as its one argument (none when it is empty; a relative path is made
// absolute). A program text that names no existing file is split into words first ("code --wait").
// An empty program text opens `parameter` with its default program (ShellOpen) instead.
CLaunch ShellRun(const std::string& program, const std::string& parameter);

// Splits a parameter string into words: white space separates, double quotes group.
void SplitCommandLine(const std::string& text, std::vector<std::string>& words);

// Runs a program (looked up on PATH), waits for it and returns its standard output; false when it
// could not be run or did not exit with status 0. Standard error is discarded.
bool RunAndCapture(const std::vector<std::string>& args, std::string& output);

// The full path of a program found on PATH (or `name` itself when it holds a "/" and exists); "" if none.
std::string FindInPath(const std::string& name);

// The program the desktop associates with the file at `path` (xdg-mime), as a full path; "" if none.
std::string FindAssociatedProgram(const std::string& path);

// The desktop's default application for the MIME type `type` when that application is a text editor
// (its desktop entry is in the category TextEditor), as a full path; "" otherwise.
std::string FindDefaultEditor(const std::string& type);
