// The failure of an FTP step: one message for the user (internal text).
#pragma once

#include <stdexcept>
#include <string>

class CVamelFtpException : public std::runtime_error {
public:
  explicit CVamelFtpException(const std::string& message) : std::runtime_error(message), m_message(message) {}
  const std::string& GetMessage() const { return m_message; }

private:
  std::string m_message;
};
