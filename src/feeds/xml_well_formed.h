// A strict well-formedness check for the markup the feed writers produce.
//
// The XML library's parser is lenient by design and accepts anything; the writers use this check to
// decide whether markup text (the site fields) can go into a feed as it stands, and the tests and the
// fuzz target use it on whole feed files. Bytes from 0x80 up count as name and text characters, so it
// works on internal text and on UTF-8 alike.
#pragma once

#include <string_view>

// Element content: text, elements with their end tags (or "/>"), quoted attributes without duplicates,
// the five predefined entity references and numeric references to XML characters, CDATA sections and
// comments. No "]]>" in text, no "<" in attribute values, no C0 control other than tab, LF and CR, no
// processing instruction or declaration. With `allowPrefixes` false, names holding ":" and "xmlns"
// attributes are refused too (there is no namespace declaration for them in the feed).
bool IsWellFormedXmlContent(std::string_view text, bool allowPrefixes);

// A whole document: valid UTF-8, an optional XML declaration, white space, exactly one root element,
// white space (namespace prefixes allowed).
bool IsWellFormedXmlDocument(std::string_view text);
