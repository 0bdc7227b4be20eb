// The per-user store of this platform: one INI file per company and application,
// ${XDG_CONFIG_HOME:-~/.config}/<company>/<application>.ini (VAMELRSS_CONFIG_DIR replaces the
// configuration folder). Strings are stored as UTF-8, integers in decimal; the file has mode 0600.
#pragma once

#include "settings/vamel_settings.h"

class CVamelProfile : public CVamelSettings {
public:
  CVamelProfile() = default;
  CVamelProfile(const std::string& company, const std::string& application) { SetKey(company, application); }

  // The file that holds this store (native path).
  std::string GetStorePath() const;

  // The configuration folder (native path) that holds every company's folder.
  static std::string ConfigRoot();

protected:
  std::string DoGetString(const std::string& section, const std::string& entry, const std::string& def) override;
  int DoGetInt(const std::string& section, const std::string& entry, int def) override;
  void DoPutString(const std::string& section, const std::string& entry, const std::string& value) override;
  void DoPutInt(const std::string& section, const std::string& entry, int value) override;

private:
  bool ReadRaw(const std::string& section, const std::string& entry, std::string& utf8Value) const;
  void WriteRaw(const std::string& section, const std::string& entry, const std::string& utf8Value);
};
