// "ftp設定の参照": the sibling editor's FTP profiles offered to the FTP settings page, apart from any
// window. The chooser shows each profile's name, host, user, local and remote folders (never the
// password); "この設定" copies host, user, password and remote folder into the page.
#pragma once

#include <string>
#include <vector>

struct CFtpPageValues;

struct CFtpProfileEntry {
  std::string name;
  std::string host;
  std::string user;
  std::string password;  // copied into the page, not shown
  std::string localDir;
  std::string remoteDir;
};

struct CFtpProfileChoice {
  std::vector<CFtpProfileEntry> profiles;  // in the list's order
  int selected = 0;                        // the profile chosen; the first when the chooser opens

  // The list as stored under "ftp" (never empty: without profiles, the default one).
  void Load();
  // The selected profile's four values into the page's values; false when nothing valid is selected.
  bool ApplyTo(CFtpPageValues& values) const;
};
