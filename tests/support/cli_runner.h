// Runs vamelrss-cli as a user would, with the test's settings store and a fixed clock.
#pragma once

#include <string>

struct CliResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// `args` is a shell-quoted argument string; `input` goes to standard input.
CliResult RunCli(const std::string& args, const std::string& input = std::string(), const std::string& env = std::string());

// Single-quotes a string for the shell.
std::string Quote(const std::string& s);
