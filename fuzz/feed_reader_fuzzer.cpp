// Any bytes as a feed file through ReadFeed. The first byte picks a start that makes an RSS 2.0, RSS 1.0,
// Atom 1.0 or Atom 0.3 root likely (or none), the rest is the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "feeds/feed_reader.h"
#include "model/rss_file.h"
#include "platform/file_system.h"

namespace {

const char* const kPrefixes[] = {
    "<rss version=\"2.0\"><channel>",
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><channel rdf:about=\"u\">",
    "<feed xmlns=\"http://www.w3.org/2005/Atom\">",
    "<feed version=\"0.3\">",
    "",
};

const std::string& FeedPath() {
  static const std::string path = [] {
    setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-fuzz", 1);
    return TempFolder() + "/vamelrss-reader-fuzz-" + std::to_string(getpid()) + ".xml";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text = kPrefixes[data[0] % (sizeof kPrefixes / sizeof kPrefixes[0])];
  text.append(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string& path = FeedPath();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);

  CRssFile project;
  const bool read = ReadFeed(project, path).ok;
  if (read && (project.sourceKind < 1 || project.sourceKind > 4)) __builtin_trap();
  if (!read && (project.sourceKind != 0 || project.GetSize() != 0)) __builtin_trap();
  // The same file reads the same way into a project that has items already: they are appended.
  if (read) {
    const int count = project.GetSize();
    if (!ReadFeed(project, path) || project.GetSize() != 2 * count) __builtin_trap();
  }
  return 0;
}
