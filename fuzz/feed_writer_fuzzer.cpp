// Builds a project from the input, writes it in all four formats, and checks each file: strictly
// well-formed, and read back by our own parser with the right root and the right number of items.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "feeds/feed_writers.h"
#include "feeds/xml_well_formed.h"
#include "fuzz_scratch.h"
#include "model/rss_file.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "xml/vxml.h"

namespace {

// Direct children of `parent` named `name`.
int CountChildren(const CVXMLNode* parent, const char* name) {
  int n = 0;
  for (const CVXMLNode* child : *parent->GetChildNodes()) {
    if (child->GetNodeType() == kXmlElementNode && child->NodeName() == name) ++n;
  }
  return n;
}

const CVXMLNode* FindChild(const CVXMLNode* parent, const char* name) {
  for (const CVXMLNode* child : *parent->GetChildNodes()) {
    if (child->GetNodeType() == kXmlElementNode && child->NodeName() == name) return child;
  }
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The feeds carry the time they were written: a fixed clock keeps a seeded run reproducible.
  SetCurrentTimeOverride(1146821400);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  CRssFile project;
  CRssFile::rssMode = input.ConsumeIntegralInRange(0, 2);
  CRssFile::atomMode = input.ConsumeIntegralInRange(0, 2);
  project.rssCount = input.ConsumeIntegral<int>();
  project.atomCount = input.ConsumeIntegral<int>();
  project.siteTitle = input.ConsumeRandomLengthString(200);
  project.siteUrl = input.ConsumeRandomLengthString(200);
  project.siteDescription = input.ConsumeRandomLengthString(200);
  project.creator = input.ConsumeRandomLengthString(100);
  project.atomFileName = input.ConsumeRandomLengthString(50);
  const int items = input.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < items; ++i) {
    auto item = std::make_unique<CRssItem>(input.ConsumeIntegral<std::int32_t>());
    item->published = input.ConsumeIntegral<std::int32_t>();
    item->url = input.ConsumeRandomLengthString(200);
    item->title = input.ConsumeRandomLengthString(200);
    item->description = input.ConsumeRandomLengthString(200);
    item->category = input.ConsumeRandomLengthString(50);
    item->content = input.ConsumeRandomLengthString(1000);
    project.Add(std::move(item));
  }

  static const std::string path = FuzzScratchPath("feed.xml");
  for (int format = 0; format < 4; ++format) {
    const bool rss = format < 2;
    CFeedWriteResult written;
    switch (format) {
      case 0: written = WriteRss10(project, path); break;
      case 1: written = WriteRss20(project, path); break;
      case 2: written = WriteAtom03(project, path); break;
      default: written = WriteAtom10(project, path); break;
    }
    if (!written.Ok()) __builtin_trap();
    std::string text;
    int error = 0;
    if (!ReadFileBytes(path, text, error)) __builtin_trap();
    if (!IsWellFormedXmlDocument(text)) __builtin_trap();

    CVXMLDocument document;
    document.LoadText(text);
    const CVXMLElement* root = document.GetDocumentElement();
    const char* rootName = format == 0 ? "rdf:RDF" : format == 1 ? "rss" : "feed";
    if (!root || root->NodeName() != rootName) __builtin_trap();
    const unsigned int limit = static_cast<unsigned int>(rss ? project.rssCount : project.atomCount);
    const int expected = static_cast<int>(std::min(static_cast<unsigned int>(items), limit));
    const CVXMLNode* container = format == 1 ? FindChild(root, "channel") : root;
    if (!container || CountChildren(container, format < 2 ? "item" : "entry") != expected) __builtin_trap();
  }
  DeleteFileAt(path);
  return 0;
}
