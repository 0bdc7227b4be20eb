// Any bytes as a JSON Feed through the reader and the checker: neither crashes, hangs or allocates
// without bound; a feed that is read appends its items, one that is not leaves the project unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "check/feed_check.h"
#include "feeds/feed_reader.h"
#include "feeds/json_feed_reader.h"
#include "model/rss_file.h"
#include "platform/clock.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-fuzz", 1);
  SetCurrentTimeOverride(1146821400);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CRssFile project;
  const bool read = ReadJsonFeedBytes(project, "/nonexistent/feed.json", bytes).Ok();
  if (read && project.sourceKind != kFeedJson) __builtin_trap();
  if (!read && (project.sourceKind != 0 || project.GetSize() != 0 || !project.siteTitle.empty())) __builtin_trap();
  if (read) {
    const int count = project.GetSize();
    if (!ReadJsonFeedBytes(project, "/nonexistent/feed.json", bytes) || project.GetSize() != 2 * count) __builtin_trap();
  }
  const CFeedCheckResult check = CheckFeedBytes(std::string(bytes));
  if (!check.read) __builtin_trap();
  return 0;
}
