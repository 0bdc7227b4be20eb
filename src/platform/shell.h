// Launching other programs: the default program of a file or URL, or a named program.
#pragma once

#include <string>
#include <vector>

// Opens `path` (a file or a URL) with its default program (xdg-open). An empty path does nothing.
// Returns false when the launch itself failed.
bool ShellOpen(const std::string& path);

// Runs `program` with `parameter` as its one argument (none when it is empty), without waiting.
// A program text that names no existing file is split into words first ("code --wait").
// An empty program text opens `parameter` with its default program (ShellOpen) instead.
// Returns false when the program could not be started.
bool ShellRun(const std::string& program, const std::string& parameter);

// Splits a parameter string into words: white space separates, double quotes group.
void SplitCommandLine(const std::string& text, std::vector<std::string>& words);

// Runs a program (looked up on PATH), waits for it and returns its standard output; false when it
// could not be run or did not exit with status 0. Standard error is discarded.
bool RunAndCapture(const std::vector<std::string>& args, std::string& output);

// The full path of a program found on PATH (or `name` itself when it holds a "/" and exists); "" if none.
std::string FindInPath(const std::string& name);

// The program the desktop associates with the file at `path` (xdg-mime), as a full path; "" if none.
std::string FindAssociatedProgram(const std::string& path);
