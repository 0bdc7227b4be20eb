#include "settings/vamel_settings.h"

std::string CVamelSettings::GetString(const std::string& section, const std::string& entry, const std::string& def) {
  return DoGetString(section, entry, def);
}

int CVamelSettings::GetInt(const std::string& section, const std::string& entry, int def) {
  return DoGetInt(section, entry, def);
}

void CVamelSettings::PutString(const std::string& section, const std::string& entry, const std::string& value) {
  DoPutString(section, entry, value);
}

void CVamelSettings::PutInt(const std::string& section, const std::string& entry, int value) {
  DoPutInt(section, entry, value);
}

void CVamelSettings::SetKey(const std::string& company, const std::string& application) {
  m_company = company;
  m_application = application;
}
