// The XML of one feed item in each of the four formats, and the Atom id of an item.
//
// Each builder reads the process-wide description/content mode of its feed (CRssFile::rssMode for
// RSS, CRssFile::atomMode for Atom) and appends a new element, made by the parent's document, as the
// last child of `parent`; it returns the element. The element points into the item's strings (no copy
// of its text): the item must outlive it and stay unchanged while it is in use.
#pragma once

#include <string>

#include "model/project_extensions.h"

class CRssFile;
class CRssItem;
class CVXMLElement;

// What a project's extensions change in the items of its feeds; the defaults give the classic items.
struct CFeedItemStyle {
  std::string language = kDefaultFeedLanguage;  // xml:lang of Atom content
  bool fullText = false;  // RSS 2.0: the description and, beside it, the content as content:encoded
  bool images = false;    // RSS 2.0 and Atom 1.0: the item's image as media:thumbnail and media:content
  bool podcast = false;   // RSS 2.0: an item's episode tags (itunes:duration, itunes:episode, ...)
};

// The style of the project's feeds.
CFeedItemStyle FeedItemStyle(const CRssFile& project);

// Media RSS, for the images of items.
inline constexpr const char* kMediaNamespace = "http://search.yahoo.com/mrss/";
inline constexpr const char* kContentNamespace = "http://purl.org/rss/1.0/modules/content/";

// RSS 1.0 "item": title, link, description (mode >= 1), dc:date, dc:subject, content:encoded (mode 2
// with content).
CVXMLElement* AppendRss10Item(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style = CFeedItemStyle());

// RSS 2.0 "item": title, link, guid, description (mode >= 1; the content as CDATA in mode 2 when there
// is content), pubDate, category (when set), enclosure (when the item has one). Full text: the
// description stays and the content follows as content:encoded. Images: media:thumbnail and
// media:content of the item's image, when it has one. Podcast: itunes:duration, itunes:episode,
// itunes:season and itunes:episodeType where set, and the item's image as itunes:image.
CVXMLElement* AppendRss20Item(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style = CFeedItemStyle());

// Atom 0.3 "entry": title, link, id, modified, issued, summary (mode >= 1), dc:subject, content (mode 2
// with content, type "text/html", mode "escaped", xml:lang the style's language).
CVXMLElement* AppendAtom03Entry(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style = CFeedItemStyle());

// Atom 1.0 "entry": title, link, id, updated, published, category (when set), summary (mode >= 1),
// content (mode 2 with content, type "html", xml:lang the style's language); images as in RSS 2.0; the
// enclosure as link rel="enclosure" with its length and type.
CVXMLElement* AppendAtom10Entry(CVXMLElement& parent, const CRssItem& item, const CFeedItemStyle& style = CFeedItemStyle());

// "tag:" + host of the URL + "," + the local date of `published` ("%Y-%m-%d") + ":" + the URL's path
// with every "/" removed. Stays the same while the URL and the publication time do.
std::string GetItemTagId(const CRssItem& item);
