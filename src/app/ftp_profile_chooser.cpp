#include "app/ftp_profile_chooser.h"

#include "app/settings_page_values.h"
#include "net/ftp_set_array.h"

void CFtpProfileChoice::Load() {
  CFtpSetArray list;
  list.LoadProfiles("ftp");
  profiles.clear();
  for (int i = 0; i < list.GetSize(); ++i) {
    const CFtpSet set = list.GetAt(i);
    profiles.push_back({set.Name, set.Host, set.User, set.Pass, set.LocalDir, set.RemoteDir});
  }
  selected = 0;
}

bool CFtpProfileChoice::ApplyTo(CFtpPageValues& values) const {
  if (selected < 0 || selected >= static_cast<int>(profiles.size())) return false;
  const CFtpProfileEntry& chosen = profiles[static_cast<size_t>(selected)];
  values.host = chosen.host;
  values.user = chosen.user;
  values.password = chosen.password;
  values.remoteDir = chosen.remoteDir;
  return true;
}
