// What the four feed writers share: the document's options, the item range and the save.
#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"

#include "xml/vxml_document.h"
#include "xml/vxml_element.h"

#include "feeds/feed_writers.h"

class CRssFile;
class CRssItem;

// A feed document is XML written in the indented layout; its items are built in XML mode too.
inline constexpr CVXMLOptions kFeedOptions = kXmlIndented;

// The items of a feed, in list order: those the feeds do not keep out (CRssFile::IsKeptOutOfFeeds), at
// most `limit` of them. The limit is compared unsigned, so 0 writes none and a negative limit writes
// every item.
std::vector<const CRssItem*> SelectFeedItems(const CRssFile& project, int limit, TimeValue now);


// Saves the feed to `path`: done, or failed with the file error's message; the path is the payload.
CFeedWriteResult SaveFeed(const CVXMLDocument& document, const std::string& path);

// A new child element of `parent`, made by its document and named by a literal, whose text needs no
// parsing (fixed texts, dates, URLs made safe).
CVXMLElement* AddFeedElement(CVXMLElement& parent, const char* name, const std::string& text = std::string());
// A new child element holding a site field as markup text (SetFeedMarkupText).
CVXMLElement* AddFeedMarkup(CVXMLElement& parent, const char* name, const std::string& text);
