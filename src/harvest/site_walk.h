// Walking the site's local folder and every folder below it, safely.
#pragma once

#include <functional>
#include <string>

#include "platform/clock.h"

// Called for each sub-folder found (full path); false leaves it and everything beneath it out.
using SiteFolderFilter = std::function<bool(const std::string& folder)>;
// Called for each regular file found: the folder it was found in, its name, its last-write time.
using SiteFileVisitor = std::function<void(const std::string& folder, const std::string& name, TimeValue modified)>;

// Visits the files below `root` (internal text), folders first-come in the order the file system lists
// them. Folders and files that cannot be read, names that internal text cannot hold, and anything that
// is neither a folder nor a regular file (FIFOs, devices, sockets) are skipped. A symbolic link is
// followed only when its target lies inside `root`, and no folder is entered twice, so links that
// loop or lead out of the site are harmless. A missing or empty root visits nothing.
void WalkSiteFolder(const std::string& root, const SiteFolderFilter& enterFolder, const SiteFileVisitor& visitFile);
