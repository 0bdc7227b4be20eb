// What the four feed writers share.
#include "feeds/feed_writer_support.h"

#include "model/rss_file.h"
#include "xml/vxml_options.h"

CFeedWriteScope::CFeedWriteScope() : m_htmlMode(CVXMLOptions::Instance().m_htmlMode) {
  CVXMLOptions::Instance().m_htmlMode = 0;
  SetXmlOutputLayout(kXmlLayoutIndented);
}

CFeedWriteScope::~CFeedWriteScope() { CVXMLOptions::Instance().m_htmlMode = m_htmlMode; }

int FeedItemCount(const CRssFile& project, int limit) {
  const unsigned int size = static_cast<unsigned int>(project.GetSize());
  const unsigned int cap = static_cast<unsigned int>(limit);
  return static_cast<int>(size < cap ? size : cap);
}

void SaveFeed(const CVXMLDocument& document, const std::string& path, bool* saved) {
  const bool ok = document.Save(path);
  if (saved) *saved = ok;
}
