#include "harvest/site_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "harvest/page_mapping.h"
#include "platform/file_system.h"

namespace {

// The canonical native path of `native` (links resolved), or "" when it does not exist.
std::string RealPath(const std::string& native) {
  char* resolved = ::realpath(native.c_str(), nullptr);
  if (!resolved) return std::string();
  std::string out(resolved);
  std::free(resolved);
  return out;
}

bool IsInside(const std::string& path, const std::string& root) {
  if (path == root) return true;
  if (root == "/") return !path.empty() && path[0] == '/';
  return path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/';
}

TimeValue ClampTime(long long t) {
  if (t > INT32_MAX) return INT32_MAX;
  if (t < INT32_MIN) return INT32_MIN;
  return static_cast<TimeValue>(t);
}

bool IsAscii(const std::string& s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

struct CPendingFolder {
  std::string internal;  // as the project knows it
  std::string native;
};

}  // namespace

void WalkSiteFolder(const std::string& root, const SiteFolderFilter& enterFolder, const SiteFileVisitor& visitFile) {
  if (root.empty()) return;
  const std::string rootNative = NativePath(root);
  const std::string rootReal = RealPath(rootNative);
  struct stat st;
  if (rootReal.empty() || ::stat(rootReal.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;

  std::set<std::pair<dev_t, ino_t>> entered{{st.st_dev, st.st_ino}};
  std::vector<CPendingFolder> pending{{root, rootNative}};
  while (!pending.empty()) {
    CPendingFolder folder = std::move(pending.back());
    pending.pop_back();
    DIR* dir = ::opendir(folder.native.c_str());
    if (!dir) continue;  // unreadable: skipped
    const int dirFd = ::dirfd(dir);
    const std::string prefix = folder.native.back() == '/' ? folder.native : folder.native + "/";
    std::vector<CPendingFolder> below;
    while (dirent* entry = ::readdir(dir)) {
      const std::string nameNative = entry->d_name;
      if (nameNative == "." || nameNative == "..") continue;
      std::string name = nameNative;
      if (!IsAscii(nameNative)) {
        name = FromNativePath(nameNative);
        if (NativePath(name) != nameNative) continue;  // no internal-text name reaches this file
      }
      const std::string native = prefix + nameNative;
      struct stat entrySt;
      if (::fstatat(dirFd, nameNative.c_str(), &entrySt, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISLNK(entrySt.st_mode)) {
        const std::string target = RealPath(native);
        if (target.empty() || !IsInside(target, rootReal) || ::stat(target.c_str(), &entrySt) != 0) continue;
      }
      const std::string full = JoinLocalPath(folder.internal, name);
      if (S_ISDIR(entrySt.st_mode)) {
        if (!entered.insert({entrySt.st_dev, entrySt.st_ino}).second) continue;
        if (enterFolder && !enterFolder(full)) continue;
        below.push_back({full, native});
      } else if (S_ISREG(entrySt.st_mode)) {
        if (::faccessat(dirFd, nameNative.c_str(), R_OK, 0) != 0) continue;
        if (visitFile) visitFile(folder.internal, name, ClampTime(entrySt.st_mtime));
      }
    }
    ::closedir(dir);
    // Sub-folders are walked in listing order.
    for (auto it = below.rbegin(); it != below.rend(); ++it) pending.push_back(std::move(*it));
  }
}
