#include "fuzz_scratch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

std::string g_folder;
int g_handle = -1;

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(g_folder, ec);
}

}  // namespace

std::string FuzzScratchPath(const std::string& name) {
  if (g_handle < 0) {
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    std::string folder = (ec ? std::string("/tmp") : temp.string()) + "/vamelrss-fuzz-XXXXXX";
    const int handle = mkdtemp(folder.data()) ? open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1;
    // A number above those the process opened so far, so that it is the same in every run.
    g_handle = handle < 0 ? -1 : fcntl(handle, F_DUPFD_CLOEXEC, 100);
    if (g_handle < 0) {
      std::perror("fuzz scratch folder");
      std::abort();
    }
    close(handle);
    g_folder = folder;
    std::atexit(RemoveFolder);
  }
  return "/proc/self/fd/" + std::to_string(g_handle) + "/" + name;
}
