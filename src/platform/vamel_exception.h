// The one exception base of the program: a failure that carries the message for the user (internal
// text). The command that started the work catches it and shows the message; each kind of failure
// (a file, the project file's format, an upload, the command line's own) is a class derived from it.
#pragma once

#include <stdexcept>
#include <string>

class CVamelException : public std::runtime_error {
public:
  explicit CVamelException(const std::string& message) : std::runtime_error(message) {}
  // The message for the user, internal text.
  std::string GetMessage() const { return what(); }
};
