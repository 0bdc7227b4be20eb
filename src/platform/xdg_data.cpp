#include "platform/xdg_data.h"

#include <cstdlib>

std::vector<std::string> XdgDataFolders() {
  std::vector<std::string> folders;
  const char* home = std::getenv("HOME");
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome) folders.push_back(dataHome);
  else if (home && *home) folders.push_back(std::string(home) + "/.local/share");
  const char* dataDirs = std::getenv("XDG_DATA_DIRS");
  const std::string dirs = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    if (end > start) folders.push_back(dirs.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}
