// What the four feed writers share.
#include "feeds/feed_writer_support.h"

#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "model/rss_file.h"

std::vector<const CRssItem*> SelectFeedItems(const CRssFile& project, int limit, TimeValue now) {
  const unsigned int size = static_cast<unsigned int>(project.GetSize());
  const unsigned int cap = static_cast<unsigned int>(limit);
  std::vector<const CRssItem*> items;
  items.reserve(size < cap ? size : cap);
  for (int i = 0; i < project.GetSize() && items.size() < cap; ++i) {
    const CRssItem* item = project.GetAt(i);
    if (!project.IsKeptOutOfFeeds(*item, now)) items.push_back(item);
  }
  return items;
}

CFeedWriteResult SaveFeed(const CVXMLDocument& document, const std::string& path) {
  CFeedWriteResult result;
  result.value = path;
  return result.Follow(document.Save(path));
}

CVXMLElement* AddFeedElement(CVXMLElement& parent, const char* name, const std::string& text) {
  CVXMLElement* child = parent.AppendNew<CVXMLElement>();
  child->BorrowName(name);
  child->SetNodeValue(text);
  return child;
}

CVXMLElement* AddFeedMarkup(CVXMLElement& parent, const char* name, const std::string& text) {
  CVXMLElement* child = AddFeedElement(parent, name);
  SetFeedMarkupText(*child, text);
  return child;
}
