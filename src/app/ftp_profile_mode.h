// The FTP settings page in its profile mode, shown before an upload when a feed file is open: it
// starts from the sibling editor's profile for the project's folder and writes the user's
// corrections back into that profile and into the project.
#pragma once

#include <string>

class CInteraction;
class CRssFile;

// True when the user confirmed; the project's FTP settings, the profile and the passive option are
// then stored.
bool RunFtpProfileMode(CRssFile& project, const std::string& title, CInteraction& ui);
