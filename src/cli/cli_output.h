// Console output of the command line: internal text goes out as UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "platform/vamel_exception.h"

// A failure the program reports: the message goes to standard error, the exit status is 1.
class CCliFailure : public CVamelException {
public:
  using CVamelException::CVamelException;
};

// Bad usage: the message goes to standard error, the exit status is 2.
class CCliUsage : public CVamelException {
public:
  using CVamelException::CVamelException;
};

// Text for a terminal: control characters other than line feed and tab (C0, DEL, and the C1 controls
// U+0080-U+009F) written as "\x1b", so that text from a feed or a page can neither move the cursor nor
// retitle or reprogram the terminal. A CR LF pair (the line break of the program's messages) becomes a
// line feed.
std::string VisibleControls(std::string_view utf8);

// Text + newline on standard output and on standard error, in UTF-8, control characters made visible.
void PrintOut(const std::string& text);
void PrintErr(const std::string& text);

// Internal text from a command-line argument (UTF-8).
std::string ArgText(const std::string& utf8);
