// itunes:category against the tree podcast directories accept (model/podcast_categories.h), and the
// names of the older trees.
#pragma once

#include <libxml/tree.h>

#include "check/check_report.h"

// Checks an itunes:category (its text attribute) and the subcategories nested in it.
void CheckItunesCategory(const xmlNode* category, CCheckReport& report);
