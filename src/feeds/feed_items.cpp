// The XML of one feed item in each of the four formats, and the Atom id of an item.
#include "feeds/feed_items.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "feeds/feed_dates.h"
#include "feeds/feed_text.h"
#include "platform/url_parts.h"
#include "feeds/xml_escape.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "xml/vxml_character_data.h"
#include "xml/vxml_element.h"

namespace {

// The elements of an item point at the item's own strings wherever the text goes in unchanged, and at
// literals for names: a feed of many items is built without copying its text (the tree lives only while
// the writer runs, the items longer).

// A new child element named by a literal.
CVXMLElement* AddElement(CVXMLElement& parent, const char* name) {
  CVXMLElement* child = parent.AppendNew<CVXMLElement>();
  child->BorrowName(name);
  return child;
}

// A new child element holding `text`, which needs no parsing (escaped text, URLs, dates), as one text
// node, as the parser would make of text without "<".
CVXMLElement* AddText(CVXMLElement& parent, const char* name, std::string_view text) {
  CVXMLElement* child = AddElement(parent, name);
  if (!text.empty()) child->AppendNew<CVXMLTextNode>()->AssignValue(text);
  return child;
}

// The same, pointing at `text`, which outlives the tree.
CVXMLElement* AddLasting(CVXMLElement& parent, const char* name, const std::string& text) {
  CVXMLElement* child = AddElement(parent, name);
  if (!text.empty()) child->AppendNew<CVXMLTextNode>()->BorrowValue(text);
  return child;
}

// Item text, escaped (FeedEscapedText).
CVXMLElement* AddEscaped(CVXMLElement& parent, const char* name, const std::string& text) {
  return IsPlainFeedText(text) ? AddLasting(parent, name, text) : AddText(parent, name, FeedEscapedText(text));
}

// An item URL (FeedUrlText); `safe` is FeedUrlText(url) when that was made already, else null.
CVXMLElement* AddUrl(CVXMLElement& parent, const char* name, const std::string& url, const std::string* safe = nullptr) {
  if (IsPlainFeedUrl(url)) return AddLasting(parent, name, url);
  return AddText(parent, name, safe ? *safe : FeedUrlText(url));
}

// An attribute holding item text made safe (FeedAttributeText), or a literal.
void SetUrlAttribute(CVXMLElement& element, const char* name, const std::string& url) {
  if (IsPlainFeedUrl(url)) element.SetAttributeBorrowing(name, url);
  else element.SetAttribute(name, FeedAttributeText(url));
}

CVXMLElement* AddW3cDate(CVXMLElement& parent, const char* name, TimeValue t) {
  char buffer[kDateBufferSize];
  return AddText(parent, name, FormatW3cDateInto(t, buffer));
}

// The content as CDATA (AppendFeedCdata).
void AddCdataTo(CVXMLElement& element, const std::string& content) {
  if (IsPlainFeedCdata(content)) element.AppendNew<CVXMLCDATASection>()->BorrowValue(content);
  else AppendFeedCdata(element, content);
}

// A new child element holding the content as CDATA.
void AddCdata(CVXMLElement& parent, const char* name, const std::string& content) {
  AddCdataTo(*AddElement(parent, name), content);
}

// Atom "link rel=alternate" to the item's page; Atom 0.3 also names the media type.
void AddAlternateLink(CVXMLElement& entry, const std::string& url, bool withType) {
  CVXMLElement* link = AddElement(entry, "link");
  link->SetAttributeBorrowing("rel", "alternate");
  if (withType) link->SetAttributeBorrowing("type", "text/html");
  SetUrlAttribute(*link, "href", url);
}

// The content's xml:lang: the default language points at its literal, another is copied (the style
// may be a temporary).
void SetContentLanguage(CVXMLElement& content, const CFeedItemStyle& style) {
  if (style.language == kDefaultFeedLanguage) content.SetAttributeBorrowing("xml:lang", kDefaultFeedLanguage);
  else content.SetAttribute("xml:lang", style.language);
}

// The item's image as Media RSS: a thumbnail, and the image itself as the item's medium.
void AddImage(CVXMLElement& element, const CRssItem& item, const CFeedItemStyle& style) {
  if (!style.images || item.ext.image.empty()) return;
  SetUrlAttribute(*AddElement(element, "media:thumbnail"), "url", item.ext.image);
  CVXMLElement* content = AddElement(element, "media:content");
  SetUrlAttribute(*content, "url", item.ext.image);
  content->SetAttributeBorrowing("medium", "image");
}

// The item's enclosure: `element` named "enclosure" (RSS 2.0, url) or "link" (Atom 1.0, href), with its
// length in bytes (RSS 2.0 requires one: 0 when unknown) and its type when known.
void AddEnclosure(CVXMLElement& parent, const CRssItem& item, bool atom) {
  const CEnclosure& enclosure = item.ext.enclosure;
  if (enclosure.url.empty()) return;
  CVXMLElement* element = AddElement(parent, atom ? "link" : "enclosure");
  if (atom) element->SetAttributeBorrowing("rel", "enclosure");
  SetUrlAttribute(*element, atom ? "href" : "url", enclosure.url);
  if (!atom || enclosure.length > 0) element->SetAttribute("length", std::to_string(enclosure.length));
  if (!enclosure.type.empty()) element->SetAttribute("type", FeedEscapedText(enclosure.type));
}

// A number a podcast item carries, when set.
void AddCount(CVXMLElement& parent, const char* name, long long value) {
  if (value > 0) AddText(parent, name, std::to_string(value));
}

// The episode tags of a podcast's item.
void AddEpisode(CVXMLElement& element, const CRssItem& item) {
  AddCount(element, "itunes:duration", item.ext.enclosure.duration);
  AddCount(element, "itunes:episode", item.ext.episode);
  AddCount(element, "itunes:season", item.ext.season);
  if (!item.ext.episodeType.empty()) AddLasting(element, "itunes:episodeType", item.ext.episodeType);
  if (!item.ext.image.empty()) SetUrlAttribute(*AddElement(element, "itunes:image"), "href", item.ext.image);
}

}  // namespace

CFeedItemStyle FeedItemStyle(const CRssFile& project) {
  CFeedItemStyle style;
  style.language = project.ext.language;
  style.fullText = project.ext.fullText;
  style.images = project.ext.itemImages;
  style.podcast = project.ext.podcast;
  return style;
}

CVXMLElement* AppendRss10Item(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle&) {
  const int mode = CRssFile::rssMode;
  CVXMLElement* element = AddElement(parent, "item");
  SetUrlAttribute(*element, "rdf:about", item.url);
  AddEscaped(*element, "title", item.title);
  AddUrl(*element, "link", item.url);
  if (mode >= 1) AddEscaped(*element, "description", item.description);
  AddW3cDate(*element, "dc:date", item.date);
  AddEscaped(*element, "dc:subject", item.category);
  if (mode >= 2 && !item.content.empty()) AddCdata(*element, "content:encoded", item.content);
  return element;
}

CVXMLElement* AppendRss20Item(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style) {
  const int mode = CRssFile::rssMode;
  CVXMLElement* element = AddElement(parent, "item");
  AddEscaped(*element, "title", item.title);
  // The link and the guid are the same URL: made safe once.
  const std::string safeUrl = IsPlainFeedUrl(item.url) ? std::string() : FeedUrlText(item.url);
  AddUrl(*element, "link", item.url, &safeUrl);
  AddUrl(*element, "guid", item.url, &safeUrl);
  const bool withContent = mode >= 2 && !item.content.empty();
  if (withContent && !style.fullText) AddCdata(*element, "description", item.content);
  else if (mode >= 1) AddEscaped(*element, "description", item.description);
  char buffer[kDateBufferSize];
  AddText(*element, "pubDate", FormatRfc822DateInto(item.date, buffer));
  if (!item.category.empty()) AddEscaped(*element, "category", item.category);
  AddEnclosure(*element, item, false);
  AddImage(*element, item, style);
  if (style.podcast) AddEpisode(*element, item);
  if (withContent && style.fullText) AddCdata(*element, "content:encoded", item.content);
  return element;
}

CVXMLElement* AppendAtom03Entry(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style) {
  const int mode = CRssFile::atomMode;
  CVXMLElement* entry = AddElement(parent, "entry");
  AddEscaped(*entry, "title", item.title);
  AddAlternateLink(*entry, item.url, true);
  AddText(*entry, "id", FeedUrlText(GetItemTagId(item)));
  AddW3cDate(*entry, "modified", item.date);
  AddW3cDate(*entry, "issued", item.published);
  if (mode >= 1) AddEscaped(*entry, "summary", item.description);
  AddEscaped(*entry, "dc:subject", item.category);
  if (mode >= 2 && !item.content.empty()) {
    CVXMLElement* content = AddElement(*entry, "content");
    content->SetAttributeBorrowing("type", "text/html");
    content->SetAttributeBorrowing("mode", "escaped");
    SetContentLanguage(*content, style);
    AddCdataTo(*content, item.content);
  }
  return entry;
}

CVXMLElement* AppendAtom10Entry(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style) {
  const int mode = CRssFile::atomMode;
  CVXMLElement* entry = AddElement(parent, "entry");
  AddEscaped(*entry, "title", item.title);
  AddAlternateLink(*entry, item.url, false);
  AddEnclosure(*entry, item, true);
  AddText(*entry, "id", FeedUrlText(GetItemTagId(item)));
  AddW3cDate(*entry, "updated", item.date);
  AddW3cDate(*entry, "published", item.published);
  if (!item.category.empty()) {
    CVXMLElement* category = AddElement(*entry, "category");
    if (IsPlainFeedText(item.category)) category->SetAttributeBorrowing("term", item.category);
    else category->SetAttribute("term", FeedEscapedText(item.category));
  }
  if (mode >= 1) AddEscaped(*entry, "summary", item.description);
  AddImage(*entry, item, style);
  if (mode >= 2 && !item.content.empty()) {
    // RFC 4287 knows no "mode" and names HTML "html": the Atom 0.3 attributes would make the feed invalid.
    CVXMLElement* content = AddElement(*entry, "content");
    content->SetAttributeBorrowing("type", "html");
    SetContentLanguage(*content, style);
    AddCdataTo(*content, item.content);
  }
  return entry;
}

std::string GetItemTagId(const CRssItem& item) {
  std::string host, path;
  // StripXmlForbiddenChars changes only text that holds a forbidden control character.
  if (HasForbiddenXmlChars(item.url)) SplitUrlHostPath(StripXmlForbiddenChars(item.url), host, path);
  else SplitUrlHostPath(item.url, host, path);
  path.erase(std::remove(path.begin(), path.end(), '/'), path.end());
  char day[32];
  std::size_t dayLength = 0;
  std::tm tm{};
  if (ToLocalTime(item.published, tm)) {
    dayLength = static_cast<std::size_t>(std::snprintf(day, sizeof day, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday));
  }
  std::string id;
  id.reserve(6 + host.size() + dayLength + path.size());
  id.append("tag:").append(host).append(",").append(day, dayLength).append(":").append(path);
  return id;
}
