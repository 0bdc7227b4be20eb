// What the four feed writers share.
#include "feeds/feed_writer_support.h"

#include "feeds/feed_text.h"
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
