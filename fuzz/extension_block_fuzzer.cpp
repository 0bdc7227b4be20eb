// Any bytes as the extension block after a project's own data: extension values, some of them reset,
// never a crash, a huge allocation or lost project data; and what is saved then loads as it was saved.
// An input whose first byte is even gets a sound header (tag, version, its own length), so that the
// values themselves are explored; an odd one is the block as it stands.
#include <cstdint>
#include <string>

#include "model/extension_block.h"
#include "model/project_file.h"
#include "model/rss_file.h"

namespace {

std::string ClassicBytes() {
  CRssFile project;
  project.siteTitle = "Site";
  for (int i = 0; i < 3; ++i) {
    auto item = std::make_unique<CRssItem>(i);
    item->url = "https://example.jp/" + std::to_string(i) + ".html";
    project.Add(std::move(item));
  }
  return SaveProjectBytes(project);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static const std::string classic = ClassicBytes();
  std::string rest(reinterpret_cast<const char*>(data), size);
  if (size > 0 && data[0] % 2 == 0) {
    std::string values = rest.substr(1);
    rest.assign(kExtensionTag, sizeof kExtensionTag);
    for (std::uint32_t v : {kExtensionVersion, static_cast<std::uint32_t>(values.size())}) {
      for (int i = 0; i < 4; ++i) rest += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    rest += values;
  }
  CRssFile project;
  LoadProjectBytes(project, classic + rest);
  const std::string saved = SaveProjectBytes(project);
  if (saved.compare(0, classic.size(), classic) != 0) __builtin_trap();
  CRssFile again;
  if (!LoadProjectBytes(again, saved).empty() || SaveProjectBytes(again) != saved) __builtin_trap();
  return 0;
}
