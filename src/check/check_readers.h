// What feed readers manage: the size of a feed, the number of its items, and links inside content
// that only the page itself could resolve. Warnings, never errors.
#pragma once

#include <libxml/tree.h>

#include <cstddef>

#include "check/check_report.h"

// Readers (and the services that fetch feeds for them) stop reading beyond these.
inline constexpr std::size_t kReaderMaxBytes = 512 * 1024;
inline constexpr int kReaderMaxItems = 3000;

// A feed of `bytes` bytes: a warning above kReaderMaxBytes.
void CheckFeedSize(std::size_t bytes, CCheckReport& report);
// `items` items (or entries) in `parent`: a warning above kReaderMaxItems.
void CheckItemCount(const xmlNode* parent, int items, CCheckReport& report);
// The first relative URL in href or src of the HTML in `element` (its text when `escaped`, else its
// XHTML elements): a warning, unless an xml:base above it says where it is relative to.
void CheckContentUrls(const xmlNode* element, bool escaped, CCheckReport& report);
