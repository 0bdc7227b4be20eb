// The XML of one feed item in each of the four formats, and the Atom id of an item.
#include "feeds/feed_items.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "feeds/feed_dates.h"
#include "feeds/feed_text.h"
#include "feeds/url_parts.h"
#include "feeds/xml_escape.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "xml/vxml_character_data.h"
#include "xml/vxml_element.h"

namespace {

constexpr const char* kContentLanguage = "ja";

// A new child element whose text needs no parsing (escaped text, URLs, dates): one text node, as the
// parser would make of text without "<", taking the string over instead of copying it.
CVXMLElement* AddText(CVXMLElement& parent, const char* name, std::string text) {
  auto* child = new CVXMLElement(name, std::string());
  if (!text.empty()) child->AppendChild(new CVXMLTextNode(std::move(text)));
  parent.AppendChild(child);
  return child;
}

// A new child element holding the content as CDATA.
void AddCdata(CVXMLElement& parent, const char* name, const std::string& content) {
  CVXMLElement* child = AddText(parent, name, std::string());
  AppendFeedCdata(*child, content);
}

// Atom "link rel=alternate" to the item's page; Atom 0.3 also names the media type.
void AddAlternateLink(CVXMLElement& entry, const std::string& url, bool withType) {
  CVXMLElement* link = AddText(entry, "link", std::string());
  link->SetAttribute("rel", "alternate");
  if (withType) link->SetAttribute("type", "text/html");
  link->SetAttribute("href", FeedAttributeText(url));
}

std::unique_ptr<CVXMLElement> NewElement(const char* name) {
  return std::make_unique<CVXMLElement>(name, std::string());
}

}  // namespace

std::unique_ptr<CVXMLElement> MakeRss10Item(const CRssItem& item) {
  const int mode = CRssFile::rssMode;
  auto element = NewElement("item");
  element->SetAttribute("rdf:about", FeedAttributeText(item.url));
  AddText(*element, "title", FeedEscapedText(item.title));
  AddText(*element, "link", FeedUrlText(item.url));
  if (mode >= 1) AddText(*element, "description", FeedEscapedText(item.description));
  AddText(*element, "dc:date", FormatW3cDate(item.date));
  AddText(*element, "dc:subject", FeedEscapedText(item.category));
  if (mode >= 2 && !item.content.empty()) AddCdata(*element, "content:encoded", item.content);
  return element;
}

std::unique_ptr<CVXMLElement> MakeRss20Item(const CRssItem& item) {
  const int mode = CRssFile::rssMode;
  auto element = NewElement("item");
  AddText(*element, "title", FeedEscapedText(item.title));
  AddText(*element, "link", FeedUrlText(item.url));
  AddText(*element, "guid", FeedUrlText(item.url));
  if (mode >= 2 && !item.content.empty()) AddCdata(*element, "description", item.content);
  else if (mode >= 1) AddText(*element, "description", FeedEscapedText(item.description));
  AddText(*element, "pubDate", FormatRfc822Date(item.date));
  if (!item.category.empty()) AddText(*element, "category", FeedEscapedText(item.category));
  return element;
}

std::unique_ptr<CVXMLElement> MakeAtom03Entry(const CRssItem& item) {
  const int mode = CRssFile::atomMode;
  auto entry = NewElement("entry");
  AddText(*entry, "title", FeedEscapedText(item.title));
  AddAlternateLink(*entry, item.url, true);
  AddText(*entry, "id", FeedUrlText(GetItemTagId(item)));
  AddText(*entry, "modified", FormatW3cDate(item.date));
  AddText(*entry, "issued", FormatW3cDate(item.published));
  if (mode >= 1) AddText(*entry, "summary", FeedEscapedText(item.description));
  AddText(*entry, "dc:subject", FeedEscapedText(item.category));
  if (mode >= 2 && !item.content.empty()) {
    CVXMLElement* content = AddText(*entry, "content", std::string());
    content->SetAttribute("type", "text/html");
    content->SetAttribute("mode", "escaped");
    content->SetAttribute("xml:lang", kContentLanguage);
    AppendFeedCdata(*content, item.content);
  }
  return entry;
}

std::unique_ptr<CVXMLElement> MakeAtom10Entry(const CRssItem& item) {
  const int mode = CRssFile::atomMode;
  auto entry = NewElement("entry");
  AddText(*entry, "title", FeedEscapedText(item.title));
  AddAlternateLink(*entry, item.url, false);
  AddText(*entry, "id", FeedUrlText(GetItemTagId(item)));
  AddText(*entry, "updated", FormatW3cDate(item.date));
  AddText(*entry, "published", FormatW3cDate(item.published));
  if (!item.category.empty()) {
    CVXMLElement* category = AddText(*entry, "category", std::string());
    category->SetAttribute("term", FeedEscapedText(item.category));
  }
  if (mode >= 1) AddText(*entry, "summary", FeedEscapedText(item.description));
  if (mode >= 2 && !item.content.empty()) {
    // RFC 4287 knows no "mode" and names HTML "html": the Atom 0.3 attributes would make the feed invalid.
    CVXMLElement* content = AddText(*entry, "content", std::string());
    content->SetAttribute("type", "html");
    content->SetAttribute("xml:lang", kContentLanguage);
    AppendFeedCdata(*content, item.content);
  }
  return entry;
}

std::string GetItemTagId(const CRssItem& item) {
  std::string host, path;
  SplitUrlHostPath(StripXmlForbiddenChars(item.url), host, path);
  path.erase(std::remove(path.begin(), path.end(), '/'), path.end());
  std::string day;
  std::tm tm{};
  if (ToLocalTime(item.published, tm)) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    day = buffer;
  }
  return "tag:" + host + "," + day + ":" + path;
}
