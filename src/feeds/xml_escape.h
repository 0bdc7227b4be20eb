// Escaping of text that the feed writers put into XML.
//
// Internal text (code page 932). The characters handled here all lie below 0x40, and the second byte
// of a double-byte character is 0x40 or above, so they never occur inside one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Plain text for an element: "&", "<", ">", the double quote and the apostrophe become "&amp;", "&lt;",
// "&gt;", "&quot;" and "&apos;", each exactly once. References already in the text are escaped again
// ("&lt;" becomes "&amp;lt;"): the input is text, never markup.
std::string EscapeXmlText(std::string_view text);

// Drops the characters that XML 1.0 forbids: the C0 controls other than tab, line feed and carriage
// return. A lead byte followed by a byte that cannot be a second byte is a character of its own (it
// becomes U+FFFD when converted), so a control byte after it is dropped too.
std::string StripXmlForbiddenChars(const std::string& text);

// For text put in without escaping (markup text, URLs, ids): an "&" that does not begin a reference
// ("&name;", "&#N;", "&#xN;") becomes "&amp;", so "a.cgi?x=1&y=2" and "Tom & Jerry" give well-formed
// XML. Text that holds only proper references and markup comes out unchanged.
std::string EscapeBareAmpersands(const std::string& text);

// An attribute value: as EscapeBareAmpersands, and "<" and the double quote become "&lt;" and "&quot;".
std::string EscapeAttributeText(const std::string& text);

// Splits content for CDATA sections so that no piece holds "]]>": each "]]>" is cut between "]]" and
// ">", and the pieces, written as consecutive CDATA sections, read back as the original content.
// Always at least one piece ("" gives one empty piece).
std::vector<std::string> SplitCdataContent(const std::string& content);
