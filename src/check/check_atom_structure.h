// The structure of an Atom 1.0 document as RFC 4287 lays it down (sections 3 and 4): which elements
// stand where and how often, which attributes they take, what their values look like. Built into the
// program, so that a check needs no schema file.
#pragma once

#include <libxml/tree.h>

#include <string_view>

#include "check/check_report.h"

// Checks the feed or entry document below `root` (atom:feed or atom:entry). False when the structure
// does not hold; each fault is reported (a date that another rule already found wrong is not reported
// twice, and still counts).
bool CheckAtom10Structure(const xmlNode* root, CCheckReport& report);

// An xsd:dateTime as RFC 4287's date constructs use it: white space around it is allowed, the zone is
// optional, "24:00:00" is the end of the day, zones reach at most 14 hours.
bool IsXsdDateTime(std::string_view text);

// A language tag in the form RFC 4287 asks of xml:lang and hreflang: 1 to 8 letters, then any number
// of "-" and 1 to 8 letters or digits.
bool IsAtomLanguageTag(std::string_view text);
