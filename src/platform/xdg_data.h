// The folders where desktop data lies (application entries, the shared MIME database), as the XDG base
// directory rules give them: the user's own first, then the system's.
#pragma once

#include <string>
#include <vector>

// $XDG_DATA_HOME (default ~/.local/share), then each folder of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share); native paths without a trailing separator, most important first.
std::vector<std::string> XdgDataFolders();
