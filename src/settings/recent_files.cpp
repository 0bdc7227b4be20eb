#include "settings/recent_files.h"

#include "settings/options.h"

std::vector<std::string> GetRecentFiles() {
  std::vector<std::string> files;
  for (int n = 1; n <= kRecentFileCount; ++n) {
    std::string path = GetRecentFileOption(n);
    if (!path.empty()) files.push_back(path);
  }
  return files;
}

void AddRecentFile(const std::string& path) {
  if (path.empty()) return;
  std::vector<std::string> files = GetRecentFiles();
  std::vector<std::string> updated{path};
  for (const std::string& f : files) {
    if (f != path && static_cast<int>(updated.size()) < kRecentFileCount) updated.push_back(f);
  }
  for (int n = 1; n <= kRecentFileCount; ++n) {
    std::string value = n <= static_cast<int>(updated.size()) ? updated[static_cast<size_t>(n - 1)] : std::string();
    if (GetRecentFileOption(n) != value) SetRecentFileOption(n, value);
  }
}
