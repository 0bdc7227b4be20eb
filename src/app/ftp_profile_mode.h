// The FTP settings page in its profile mode, shown before an upload when a feed file is open: it
// starts from the sibling editor's profile for the project's folder and, on OK, writes the user's
// corrections back into that profile and into the project (CFtpPageValues::Store).
#pragma once

#include "app/settings_page_values.h"

class CRssFile;

// The page's values as the profile mode opens them.
CFtpPageValues FtpProfileModeValues(const CRssFile& project);
