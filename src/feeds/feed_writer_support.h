// What the four feed writers share: the document's options, the item range and the save.
#pragma once

#include <string>

#include "xml/vxml_document.h"
#include "xml/vxml_element.h"

#include "feeds/feed_writers.h"

class CRssFile;

// A feed document is XML written in the indented layout; its items are built in XML mode too.
inline constexpr CVXMLOptions kFeedOptions = kXmlIndented;

// How many items of the project go into a feed with the given limit: the limit is compared unsigned,
// so 0 writes none and a negative limit writes every item.
int FeedItemCount(const CRssFile& project, int limit);


// Saves the feed to `path`: done, or failed with the file error's message; the path is the payload.
CFeedWriteResult SaveFeed(const CVXMLDocument& document, const std::string& path);

// A new child element of `parent`, made by its document and named by a literal, whose text needs no
// parsing (fixed texts, dates, URLs made safe).
CVXMLElement* AddFeedElement(CVXMLElement& parent, const char* name, const std::string& text = std::string());
// A new child element holding a site field as markup text (SetFeedMarkupText).
CVXMLElement* AddFeedMarkup(CVXMLElement& parent, const char* name, const std::string& text);
