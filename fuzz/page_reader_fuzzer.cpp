// Any bytes as a page file read in the marked-part mode. The first byte picks the item's URL and
// whether the item carries its own marker tags. Reading a page must leave HTML mode off and keep the
// description within its limit.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_scratch.h"
#include "harvest/page_reader.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "xml/vxml.h"

namespace {

std::string g_path;

// An item takes its page's modification time, and new items the current time: both are fixed, so that a
// seeded run is reproducible.
constexpr TimeValue kFixedTime = 1146821400;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-fuzz", 1);
  SetCurrentTimeOverride(kFixedTime);
  g_path = FuzzScratchPath("page.html");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kUrls[] = {"https://example.jp/a/b/page.html", "https://example.jp", "", "relative/page.html",
                                      "http://example.jp:8080/?q=a/b#f"};
  const unsigned control = data[0];
  std::FILE* f = std::fopen(g_path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data + 1, 1, size - 1, f);
  std::fclose(f);
  const timespec times[2] = {{kFixedTime, 0}, {kFixedTime, 0}};
  utimensat(AT_FDCWD, g_path.c_str(), times, 0);

  static CRssFile project;
  project.importMode = 3;
  CRssItem item;
  if (control & 8) {
    item.startTag = "<p>";
    item.endTag = "</p>";
  }
  ReadPageIntoItem(project, kUrls[control % 5], g_path, item);
  if (item.description.size() > 255) __builtin_trap();
  if (item.url != kUrls[control % 5]) __builtin_trap();
  return 0;
}
