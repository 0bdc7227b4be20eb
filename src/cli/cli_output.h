// Console output of the command line: internal text goes out as UTF-8.
#pragma once

#include <stdexcept>
#include <string>

// A failure the program reports: the message goes to standard error, the exit status is 1.
class CCliFailure : public std::runtime_error {
public:
  explicit CCliFailure(const std::string& message) : std::runtime_error(message) {}
};

// Bad usage: the message goes to standard error, the exit status is 2.
class CCliUsage : public std::runtime_error {
public:
  explicit CCliUsage(const std::string& message) : std::runtime_error(message) {}
};

void PrintOut(const std::string& text);  // text + newline on standard output
void PrintErr(const std::string& text);  // text + newline on standard error

// Internal text from a command-line argument (UTF-8).
std::string ArgText(const std::string& utf8);
