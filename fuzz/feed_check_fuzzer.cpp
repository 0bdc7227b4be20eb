// Any bytes as a feed file through the checker. The first byte picks a start that makes an RSS 2.0,
// RSS 1.0, Atom 1.0 or Atom 0.3 root likely (or none), the rest is the file. Every finding must have
// a rule and a message, and positions must lie in the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check/feed_check.h"

namespace {

const char* const kPrefixes[] = {
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel>",
    "<rdf:RDF xmlns=\"http://purl.org/rss/1.0/\" xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><channel rdf:about=\"u\">",
    "<feed xmlns=\"http://www.w3.org/2005/Atom\">",
    "<feed version=\"0.3\" xmlns=\"http://purl.org/atom/ns#\">",
    "",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text = kPrefixes[data[0] % 5];
  text.append(reinterpret_cast<const char*>(data + 1), size - 1);
  CFeedCheckOptions options;
  options.useSchema = false;
  options.language = data[0] & 0x80 ? CheckLanguage::English : CheckLanguage::Japanese;
  CFeedCheckResult result = CheckFeedBytes(text, options);
  long lines = 1;
  for (char c : text) lines += c == '\n' || c == '\r';
  for (const CFeedFinding& f : result.findings) {
    if (f.rule.empty() || f.message.empty() || f.line < 0 || f.line > lines || f.column < 0) std::abort();
  }
  return 0;
}
