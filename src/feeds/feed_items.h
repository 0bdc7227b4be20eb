// The XML of one feed item in each of the four formats, and the Atom id of an item.
//
// Each builder reads the process-wide description/content mode of its feed (CRssFile::rssMode for
// RSS, CRssFile::atomMode for Atom) and appends a new element, made by the parent's document, as the
// last child of `parent`; it returns the element. The element points into the item's strings (no copy
// of its text): the item must outlive it and stay unchanged while it is in use.
#pragma once

#include <string>

class CRssItem;
class CVXMLElement;

// RSS 1.0 "item": title, link, description (mode >= 1), dc:date, dc:subject, content:encoded (mode 2
// with content).
CVXMLElement* AppendRss10Item(CVXMLElement& parent, const CRssItem& item);

// RSS 2.0 "item": title, link, guid, description (mode >= 1; the content as CDATA in mode 2 when there
// is content), pubDate, category (when set).
CVXMLElement* AppendRss20Item(CVXMLElement& parent, const CRssItem& item);

// Atom 0.3 "entry": title, link, id, modified, issued, summary (mode >= 1), dc:subject, content (mode 2
// with content, type "text/html", mode "escaped", xml:lang "ja").
CVXMLElement* AppendAtom03Entry(CVXMLElement& parent, const CRssItem& item);

// Atom 1.0 "entry": title, link, id, updated, published, category (when set), summary (mode >= 1),
// content (mode 2 with content, type "html", xml:lang "ja").
CVXMLElement* AppendAtom10Entry(CVXMLElement& parent, const CRssItem& item);

// "tag:" + host of the URL + "," + the local date of `published` ("%Y-%m-%d") + ":" + the URL's path
// with every "/" removed. Stays the same while the URL and the publication time do.
std::string GetItemTagId(const CRssItem& item);
