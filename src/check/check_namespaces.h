// The common namespaces of feeds, known and checked wherever their elements stand in a channel, an
// item, a feed or an entry: Dublin Core, content, atom (in RSS), syndication, slash, wfw, iTunes,
// Media RSS, geo and GeoRSS, podcast. Elements of other namespaces are left alone.
#pragma once

#include <libxml/tree.h>

#include "check/check_report.h"

// Checks `element`, a child in a namespace of a channel, item, feed or entry, and what it holds.
void CheckExtension(const xmlNode* element, CCheckReport& report);

// True for an atom:link with rel="self".
bool IsSelfLink(const xmlNode* element);
