#include "app/ftp_profile_mode.h"

CFtpPageValues FtpProfileModeValues(const CRssFile& project) {
  CFtpPageValues values;
  values.SetProfileMode(true);
  values.Load(project);
  return values;
}
