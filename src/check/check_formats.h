// The hand-written rules of each format, over a well-formed tree.
#pragma once

#include <libxml/tree.h>

#include "check/check_report.h"
#include "check/feed_check.h"

// The format of a document by its root element.
CheckedFormat DetectFormat(const xmlNode* root);

void CheckRss20(const xmlNode* rss, CCheckReport& report);
void CheckRss10(const xmlNode* rdf, CCheckReport& report);
// Atom 1.0, feed or entry document; `structure` gets the verdict on its structure.
void CheckAtom10(const xmlNode* root, CCheckReport& report, SchemaVerdict& structure);
void CheckAtom03(const xmlNode* feed, CCheckReport& report);

// The date rules on an element's text, by the form its format uses.
enum class DateForm { Rfc822, W3c, W3cZoneOptional, Rfc3339 };
void CheckDateElement(const xmlNode* element, DateForm form, CCheckReport& report);
