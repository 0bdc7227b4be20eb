// Limits that keep a hostile file from turning the checker's work or memory against the user: libxml2
// checks each new attribute of an element against all before it (quadratic in their number), and the
// checker reads the text of entity references wherever they stand (a file of a megabyte can refer to a
// megabyte of text thousands of times).
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <string_view>

// More attributes than any feed's element has; an element with more is not handed to libxml2.
inline constexpr std::size_t kMaxCheckedAttributes = 256;

// The text that entity references may add to a document of `documentBytes` bytes: far more than the
// references of any real feed (named characters, a few boilerplate texts), far less than an amplifying
// file asks for.
std::size_t ExpandedTextAllowance(std::size_t documentBytes);

// True when a start tag in the document's text has more than `limit` attributes: each "<" followed by
// a name starts a tag, which ends at ">" or at the next "<" (an attribute value holds no "<"), and each
// "=" outside quotes in it is one attribute.
bool HasTagWithMoreAttributes(std::string_view text, std::size_t limit);

// The bytes of text that the entity references below `root` (in content and in attribute values)
// stand for, nested references included. Stops counting once it is above `stopAbove`.
std::size_t ExpandedEntityText(const xmlNode* root, std::size_t stopAbove);
