// A strict well-formedness check for the markup the feed writers produce.
//
// The XML library's parser is lenient by design and accepts anything; the writers use this check to
// decide whether markup text (the site fields) can go into a feed as it stands, and the tests and the
// fuzz target use it on whole feed files. Names are judged character by character by XML 1.0's rules
// (so "<■>" is no tag); other characters from U+0080 up count as text.
#pragma once

#include <string_view>

// Element content (internal text): text, elements with their end tags (or "/>"), quoted attributes without duplicates,
// the five predefined entity references and numeric references to XML characters, CDATA sections and
// comments. No "]]>" in text, no "<" in attribute values, no C0 control other than tab, LF and CR, no
// processing instruction or declaration. With `allowPrefixes` false, names holding ":" and "xmlns"
// attributes are refused too (there is no namespace declaration for them in the feed).
bool IsWellFormedXmlContent(std::string_view text, bool allowPrefixes);

// A whole document (UTF-8): valid UTF-8, an optional XML declaration, white space, exactly one root element,
// white space (namespace prefixes allowed).
bool IsWellFormedXmlDocument(std::string_view text);
