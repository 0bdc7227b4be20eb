#include "cli_runner.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "test_env.h"

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') q += "'\\''";
    else q += c;
  }
  return q + "'";
}

CliResult RunCli(const std::string& args, const std::string& input, const std::string& env) {
  char templ[] = "/tmp/vamelrss-cli-XXXXXX";
  std::string dir = mkdtemp(templ);
  WriteFile(dir + "/in", input);
  std::string command = env + " " + Quote(VAMELRSS_CLI) + " " + args + " <" + dir + "/in >" + dir + "/out 2>" + dir + "/err";
  CliResult result;
  result.status = RunCommand(command);
  result.out = ReadFile(dir + "/out");
  result.err = ReadFile(dir + "/err");
  std::remove((dir + "/in").c_str());
  std::remove((dir + "/out").c_str());
  std::remove((dir + "/err").c_str());
  rmdir(dir.c_str());
  return result;
}
