// How the feed writers put project text into XML elements and attributes.
//
// Every function takes internal text (code page 932) as the project holds it and first drops the
// characters that XML 1.0 forbids, so a stray control character in one item cannot spoil a feed.
#pragma once

#include <string>
#include <string_view>

class CVXMLElement;

// Element text for item fields: everything escaped (EscapeXmlText), so it is written as plain text.
std::string FeedEscapedText(const std::string& text);

// True when the text holds a C0 control character that XML 1.0 forbids (other than tab, LF, CR).
bool HasForbiddenXmlChars(std::string_view text);

// True when FeedEscapedText gives `text` unchanged (no character to escape or drop), so a writer may
// point at the text instead of copying it.
bool IsPlainFeedText(std::string_view text);

// True when FeedUrlText and FeedAttributeText give `text` unchanged (no "&", "<", ">", double quote
// or forbidden control character).
bool IsPlainFeedUrl(std::string_view text);

// References made safe for a document without a DTD: the five predefined entity references and numeric
// references to XML characters stay; an HTML named entity becomes the numeric reference of its
// character ("&nbsp;" gives "&#160;"); any other "&" becomes "&amp;". Markup is left alone.
std::string RepairReferences(const std::string& text);

// Element text for URLs and ids (link, guid, id): RepairReferences, and "<" and ">" escaped, since an
// address never holds markup.
std::string FeedUrlText(const std::string& text);

// An attribute value (rdf:about, rdf:resource, href): RepairReferences, and "<" and the double quote
// escaped.
std::string FeedAttributeText(const std::string& text);

// Gives `element` the site field `text` as markup: with RepairReferences applied it is parsed by the
// XML library, so "<b>x</b>" becomes a b element. Text that is not well-formed markup ("A < B", "x<br>y",
// a stray end tag, "]]>") gets "<" and ">" escaped instead, so it reads as the user typed it rather than
// losing the part the lenient parser cannot place.
void SetFeedMarkupText(CVXMLElement& element, const std::string& text);

// True when AppendFeedCdata makes one section holding `content` unchanged (no forbidden control
// character, no "]]>", and no byte of a double-byte character at the end).
bool IsPlainFeedCdata(std::string_view content);

// Gives `element` the content as CDATA: one section, or consecutive sections when the content holds
// "]]>", so that it reads back unchanged.
void AppendFeedCdata(CVXMLElement& element, const std::string& content);
