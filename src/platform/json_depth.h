// JSON text before it is parsed: whether it is JSON at all, and how deep it nests (parsers and the trees
// they build may recurse as deep as the text nests, so hostile text is refused first).
#pragma once

#include <string_view>

// The text without a UTF-8 byte-order mark at its start.
std::string_view WithoutUtf8Bom(std::string_view text);

// True when the first character after white space (and a byte-order mark) is "{": JSON, not XML.
bool StartsAsJsonObject(std::string_view text);

// True when arrays and objects in `text` nest deeper than `maxDepth` (strings and escapes skipped).
bool JsonNestsDeeperThan(std::string_view text, int maxDepth);
