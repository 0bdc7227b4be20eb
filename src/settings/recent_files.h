// The recent-file list: "Recent File List"/"File1" (newest) to "File8".
#pragma once

#include <string>
#include <vector>

// The stored paths, newest first, without empty entries.
std::vector<std::string> GetRecentFiles();

// Puts `path` first; an entry with the same path moves up instead of appearing twice; at most eight.
void AddRecentFile(const std::string& path);
