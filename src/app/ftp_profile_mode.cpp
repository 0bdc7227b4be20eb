#include "app/ftp_profile_mode.h"

#include "app/interaction.h"
#include "app/settings_page_values.h"

bool RunFtpProfileMode(CRssFile& project, const std::string& title, CInteraction& ui) {
  CFtpPageValues values;
  values.SetProfileMode(true);
  values.Load(project);
  if (!ui.RunFtpPage(title, values)) return false;
  values.Store(project);
  return true;
}
