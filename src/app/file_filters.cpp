#include "app/file_filters.h"

namespace {

bool IsPlainExtension(const std::string& ext) {
  return !ext.empty() && ext.find_first_of("*?;. ") == std::string::npos;
}

}  // namespace

std::vector<CFilterEntry> ParseFileFilter(const std::string& filter) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (start <= filter.size()) {
    // "|" lies below 0x40 and is never the second byte of a character.
    std::string::size_type bar = filter.find('|', start);
    if (bar == std::string::npos) bar = filter.size();
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<CFilterEntry> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() && parts[i + 1].empty()) break;  // the closing "||"
    if (parts[i + 1].empty()) continue;
    entries.push_back({parts[i], parts[i + 1]});
  }
  return entries;
}

std::string ExtensionForSave(const std::vector<CFilterEntry>& entries, int entry, const std::string& defaultExt) {
  if (entry >= 1 && entry <= static_cast<int>(entries.size())) {
    const std::string& pattern = entries[static_cast<size_t>(entry - 1)].pattern;
    if (pattern.compare(0, 2, "*.") == 0 && IsPlainExtension(pattern.substr(2))) return pattern.substr(2);
  }
  return IsPlainExtension(defaultExt) ? defaultExt : std::string();
}

std::string WithExtension(const std::string& path, const std::string& ext) {
  if (ext.empty()) return path;
  const std::string::size_type slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  return path + "." + ext;
}
