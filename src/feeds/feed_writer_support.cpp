// What the four feed writers share.
#include "feeds/feed_writer_support.h"

#include <exception>
#include <thread>
#include <vector>

#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "model/rss_file.h"

namespace {

// From this many items on, a feed is built by two threads (a thread costs about what a few items do).
constexpr int kTwoThreadItems = 256;

}  // namespace

int FeedItemCount(const CRssFile& project, int limit) {
  const unsigned int size = static_cast<unsigned int>(project.GetSize());
  const unsigned int cap = static_cast<unsigned int>(limit);
  return static_cast<int>(size < cap ? size : cap);
}

void AppendFeedItems(CVXMLElement& parent, int count, const std::function<std::unique_ptr<CVXMLElement>(int)>& make) {
  if (count < kTwoThreadItems) {
    for (int i = 0; i < count; ++i) parent.AppendChild(make(i));
    return;
  }
  // The helper makes the second half while this thread makes the first; nothing they read changes
  // meanwhile. The helper's nodes come from its own pool, whose slabs this thread takes over when it
  // frees them.
  std::vector<std::unique_ptr<CVXMLElement>> made(static_cast<size_t>(count));
  const int half = count / 2;
  std::exception_ptr failure;
  std::thread helper([&] {
    try {
      for (int i = half; i < count; ++i) made[static_cast<size_t>(i)] = make(i);
    } catch (...) {
      failure = std::current_exception();
    }
  });
  try {
    for (int i = 0; i < half; ++i) made[static_cast<size_t>(i)] = make(i);
  } catch (...) {
    helper.join();
    throw;
  }
  helper.join();
  if (failure) std::rethrow_exception(failure);
  for (auto& element : made) parent.AppendChild(element.release());
}

void SaveFeed(const CVXMLDocument& document, CFeedWriteResult& result) {
  CVXMLResult saved = document.Save(result.path);
  result.saved = saved.ok;
  result.error = std::move(saved.message);
}

CVXMLElement* AddFeedElement(CVXMLElement& parent, const char* name, const std::string& text) {
  auto* child = new CVXMLElement(name, text);
  parent.AppendChild(child);
  return child;
}

CVXMLElement* AddFeedMarkup(CVXMLElement& parent, const char* name, const std::string& text) {
  CVXMLElement* child = AddFeedElement(parent, name);
  SetFeedMarkupText(*child, text);
  return child;
}
