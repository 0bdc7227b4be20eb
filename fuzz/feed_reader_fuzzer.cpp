// Any bytes as a feed file through ReadFeed. The first byte picks a start that makes an RSS 2.0, RSS 1.0,
// Atom 1.0 or Atom 0.3 root likely (or none), the rest is the file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "feeds/feed_reader.h"
#include "fuzz_scratch.h"
#include "model/rss_file.h"
#include "platform/clock.h"

namespace {

const char* const kPrefixes[] = {
    "<rss version=\"2.0\"><channel>",
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><channel rdf:about=\"u\">",
    "<feed xmlns=\"http://www.w3.org/2005/Atom\">",
    "<feed version=\"0.3\">",
    "",
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-fuzz", 1);
  // Items without a date take the current time: a fixed clock keeps a seeded run reproducible.
  SetCurrentTimeOverride(1146821400);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text = kPrefixes[data[0] % (sizeof kPrefixes / sizeof kPrefixes[0])];
  text.append(reinterpret_cast<const char*>(data + 1), size - 1);
  static const std::string path = FuzzScratchPath("feed.xml");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);

  CRssFile project;
  const bool read = ReadFeed(project, path).Ok();
  if (read && (project.sourceKind < 1 || project.sourceKind > 5)) __builtin_trap();
  if (!read && (project.sourceKind != 0 || project.GetSize() != 0)) __builtin_trap();
  // The same file reads the same way into a project that has items already: they are appended.
  if (read) {
    const int count = project.GetSize();
    if (!ReadFeed(project, path) || project.GetSize() != 2 * count) __builtin_trap();
  }
  return 0;
}
