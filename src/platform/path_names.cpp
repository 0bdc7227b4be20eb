// Path names: joining a folder and a name, and a free name beside a taken one.
#include "platform/path_names.h"

#include "platform/file_system.h"
#include "platform/sjis.h"

namespace {

bool IsLocalSeparator(char c) { return c == kPathSep || c == '/'; }

// The position of the last separator character (never the second byte of a double-byte character).
std::size_t LastSeparator(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
    if (IsLocalSeparator(path[i])) last = i;
  }
  return last;
}

}  // namespace

std::string JoinPath(const std::string& base, const std::string& name) {
  if (base.find("://") != std::string::npos) {
    bool ends = !base.empty() && base.back() == '/';
    return ends ? base + name : base + "/" + name;
  }
  bool ends = !base.empty() && LastSeparator(base) == base.size() - 1;
  return ends ? base + name : base + kPathSepText + name;
}

std::string MakeUniquePath(const std::string& path) {
  if (!PathExists(path)) return path;
  std::size_t sep = LastSeparator(path);
  std::size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
  // "." lies below 0x40 and is never a second byte.
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) dot = path.size();
  const std::string stem = path.substr(0, dot);
  const std::string extension = path.substr(dot);
  // Ends at the first free name; there are only as many candidates taken as files exist.
  for (unsigned long long n = 1;; ++n) {
    std::string candidate = stem + "(" + std::to_string(n) + ")" + extension;
    if (!PathExists(candidate)) return candidate;
  }
}
