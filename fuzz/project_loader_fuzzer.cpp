// Any bytes as a project file: a format error or a project, never a crash or a huge allocation.
#include <cstdint>
#include <string>

#include "model/archive.h"
#include "model/project_file.h"
#include "model/rss_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  CRssFile project;
  try {
    LoadProjectBytes(project, bytes);
    // What loads must store and load again to the same project file.
    std::string stored = SaveProjectBytes(project);
    CRssFile again;
    LoadProjectBytes(again, stored);
    if (SaveProjectBytes(again) != stored) __builtin_trap();
  } catch (const CArchiveException&) {
  }
  return 0;
}
