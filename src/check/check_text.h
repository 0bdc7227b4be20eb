// Rules on text that apply in every format: absolute URLs, markup escaped twice, markup in text that
// says it is plain, control characters, empty titles.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>

#include "check/check_report.h"

// An absolute URL: a scheme, and for http, https and ftp "//" and a host; no white space, control
// character, '<', '>' or '"' (surrounding white space is allowed, readers trim it).
bool IsAbsoluteUrl(std::string_view url);

// The first HTML tag in `text` ("<p>", "</b>", "<br/>", "<a href=...>") of a known HTML element, or "".
std::string FindHtmlTag(std::string_view text);
// The same, escaped once more ("&lt;p&gt;"): what text holds when markup was escaped twice.
std::string FindEscapedHtmlTag(std::string_view text);

// Reports the element's own text (element names RFC 3986 calls URLs) when it is not an absolute URL.
void CheckUrlText(const xmlNode* element, CCheckReport& report);
// The same for an attribute of an element.
void CheckUrlAttribute(const xmlNode* element, const char* attribute, CCheckReport& report);
// Reports an empty title (no text, or only white space).
void CheckTitleNotEmpty(const xmlNode* title, CCheckReport& report);

// Walks every element below `root`: C1 control characters and DEL in text and attribute values, and
// markup escaped twice in text. One finding of each kind per element. `documentText` (the whole
// document as UTF-8) tells first whether either can be there at all: a control character needs its
// byte or a character reference, an escaped '<' needs "lt;" (unless entities declared in the document
// make text of their own, `hasEntities`).
void CheckTextEverywhere(const xmlNode* root, std::string_view documentText, bool hasEntities, CCheckReport& report);
