// The per-user store of this platform: one INI file per company and application,
// ${XDG_CONFIG_HOME:-~/.config}/<company>/<application>.ini (VAMELRSS_CONFIG_DIR replaces the
// configuration folder). Strings are stored as UTF-8, integers in decimal; the file has mode 0600.
//
// The file is read once and kept. Each read checks with one stat whether the file has changed since
// (another running copy, or the user's editor, wrote it) and only then reads it again; each change is
// written through to the file at once.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"
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
  // The lines of the file as it is now (read again only when it changed).
  const std::vector<std::string>& Lines(const std::string& path);
  bool ReadRaw(const std::string& section, const std::string& entry, std::string& utf8Value);
  void WriteRaw(const std::string& section, const std::string& entry, const std::string& utf8Value);

  std::mutex m_mutex;  // the kept file may be read from more than one thread
  std::string m_cachedPath;  // the file m_lines came from (native); "" before the first read
  CFileStamp m_cachedStamp;
  std::vector<std::string> m_lines;
};
