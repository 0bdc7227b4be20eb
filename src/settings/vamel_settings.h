// Per-user settings stores, by section and value name.
#pragma once

#include <string>

// A store named by a company and an application. The public operations call the protected ones, which
// a concrete store implements. Missing or unreadable values give the default; write failures are silent.
class CVamelSettings {
public:
  virtual ~CVamelSettings() = default;

  virtual std::string GetString(const std::string& section, const std::string& entry, const std::string& def);
  virtual int GetInt(const std::string& section, const std::string& entry, int def);
  virtual void PutString(const std::string& section, const std::string& entry, const std::string& value);
  virtual void PutInt(const std::string& section, const std::string& entry, int value);

  void SetKey(const std::string& company, const std::string& application);
  const std::string& GetCompany() const { return m_company; }
  const std::string& GetApplication() const { return m_application; }

protected:
  virtual std::string DoGetString(const std::string& section, const std::string& entry, const std::string& def) = 0;
  virtual int DoGetInt(const std::string& section, const std::string& entry, int def) = 0;
  virtual void DoPutString(const std::string& section, const std::string& entry, const std::string& value) = 0;
  virtual void DoPutInt(const std::string& section, const std::string& entry, int value) = 0;

  std::string m_company;
  std::string m_application;
};
