// "ftp設定の参照": the sibling editor's FTP profiles offered to the FTP settings page, apart from any
// window. The chooser shows each profile's name, host, user, local and remote folders (never the
// password); "この設定" copies host, user, password and remote folder into the page.
#pragma once

#include <string>
#include <vector>

class CInteraction;
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

// "Marrowpadの設定から参照...": opens the chooser and, on "この設定", fills the page's four FTP values.
// Nothing is stored until the page stores.
bool ChooseFtpProfile(CFtpPageValues& values, CInteraction& ui);
