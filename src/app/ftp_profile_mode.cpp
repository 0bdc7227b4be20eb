#include "app/ftp_profile_mode.h"

#include "app/interaction.h"
#include "model/rss_file.h"
#include "net/ftp_set_array.h"
#include "platform/path_names.h"
#include "settings/options.h"

namespace {
constexpr const char* kProfileSection = "ftp";
// Only turns the local folder into a path whose folder is matched against the profiles.
constexpr const char* kProbeFileName = "test.xml";
}  // namespace

bool RunFtpProfileMode(CRssFile& project, const std::string& title, CInteraction& ui) {
  CFtpSetArray profiles;
  profiles.LoadProfiles(kProfileSection);
  int index = profiles.FindProfileForPath(JoinPath(project.localFolder, kProbeFileName));
  CFtpSet profile = profiles.GetAt(index);
  CFtpPageValues values{profile.Host, profile.User, profile.Pass, profile.RemoteDir, GetFtpPassiveOption()};
  if (!ui.RunFtpPage(title, values)) return false;

  project.ftp.Host = profile.Host = values.host;
  project.ftp.User = profile.User = values.user;
  project.ftp.Pass = profile.Pass = values.password;
  project.ftp.RemoteDir = profile.RemoteDir = values.remoteDir;
  SetFtpPassiveOption(values.passive);
  profiles.SetAt(index, profile);
  profiles.SaveProfiles(kProfileSection);
  return true;
}
