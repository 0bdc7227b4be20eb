#include "cli/cli_output.h"

#include <cstdio>

#include "platform/text_codec.h"

std::string VisibleControls(std::string_view utf8) {
  std::string out;
  size_t copied = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    unsigned code;
    size_t length = 1;
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
      // A message's line break (CR LF) is a terminal's line break.
      out.append(utf8, copied, i - copied);
      copied = i + 1;
      continue;
    }
    if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
      code = c;
    } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      code = static_cast<unsigned char>(utf8[i + 1]);  // U+0080-U+009F: C1 controls (0x9B starts a sequence too)
      length = 2;
    } else {
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
    out.append(utf8, copied, i - copied);
    out += escaped;
    i += length - 1;
    copied = i + 1;
  }
  if (copied == 0) return std::string(utf8);
  out.append(utf8, copied, utf8.size() - copied);
  return out;
}

void PrintOut(const std::string& text) {
  std::string utf8 = VisibleControls(AnsiToUtf8(text));
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintErr(const std::string& text) {
  std::fflush(stdout);
  std::string utf8 = VisibleControls(AnsiToUtf8(text));
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fputc('\n', stderr);
}

std::string ArgText(const std::string& utf8) { return Utf8ToAnsi(utf8); }
