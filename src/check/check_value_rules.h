// Rules on single values and on the children of an element, shared by the formats and the namespaces:
// each reports what it finds at the element (or its attribute).
#pragma once

#include <libxml/tree.h>

#include <initializer_list>
#include <string_view>

#include "check/check_report.h"

// A child element that a parent takes (in the parent's vocabulary), and whether it may stand only once.
struct CChildRule {
  const char* name;
  bool once;
};

// The children of `parent` in namespace `ns` (nullptr: none): names outside `vocabulary` are reported
// as unknown (`unknown`) and second ones of a `once` child as duplicates; text that is more than white
// space is reported when `elementsOnly`.
void CheckChildren(const xmlNode* parent, const char* ns, std::initializer_list<CChildRule> vocabulary, bool elementsOnly,
                   CCheckReport& report);

// A URL in the element's text (`attribute` nullptr) or in an attribute; `absolute` as CheckUrl says.
void CheckUrlValue(const xmlNode* element, const char* attribute, bool absolute, CCheckReport& report);
// An integer in the text or an attribute, at least `min` and at most `max`.
void CheckIntegerValue(const xmlNode* element, const char* attribute, long long min, long long max, CCheckReport& report);
// A value that is one of `values` (case aside); `list` names them in the message.
void CheckEnumValue(const xmlNode* element, const char* attribute, std::initializer_list<const char*> values, const char* list,
                    CCheckReport& report);
// An e-mail address in the element's text; with `contact` also followed by a name in parentheses or
// after a name in angle brackets (as RSS 2.0 writes them).
void CheckEmailValue(const xmlNode* element, bool contact, CCheckReport& report);
void CheckLanguageValue(const xmlNode* element, CCheckReport& report);
void CheckMimeValue(const xmlNode* element, const char* attribute, CCheckReport& report);
// Attributes that must be there (and not empty).
void RequireAttributes(const xmlNode* element, std::initializer_list<const char*> names, CCheckReport& report);
