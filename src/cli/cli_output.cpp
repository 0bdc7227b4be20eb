#include "cli/cli_output.h"

#include <cstdio>

#include "platform/text_codec.h"

void PrintOut(const std::string& text) {
  std::string utf8 = AnsiToUtf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintErr(const std::string& text) {
  std::fflush(stdout);
  std::string utf8 = AnsiToUtf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fputc('\n', stderr);
}

std::string ArgText(const std::string& utf8) { return Utf8ToAnsi(utf8); }
