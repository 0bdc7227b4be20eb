#include "check/check_value_rules.h"

#include <climits>
#include <cstring>
#include <string>

#include "check/check_nodes.h"
#include "check/check_values.h"

namespace {

const char* C(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool InNamespace(const xmlNode* node, const char* ns) {
  if (!ns) return !node->ns || !node->ns->href;
  return node->ns && node->ns->href && std::strcmp(C(node->ns->href), ns) == 0;
}

// The value and whether it is there: the element's text, or the attribute's value (in `storage` when
// it is not one text node).
std::string_view Value(const xmlNode* element, const char* attribute, std::string& storage, bool& found) {
  if (attribute) return AttributeView(element, attribute, storage, nullptr, &found);
  found = true;
  return OwnTextView(element, storage);
}

void Report(CheckRule rule, const xmlNode* element, const char* attribute, std::string_view arg1,
            std::string_view arg2, CCheckReport& report) {
  if (attribute) report.AtAttribute(rule, element, attribute, arg1, arg2);
  else report.AtNode(rule, element, arg1, arg2);
}

}  // namespace

void CheckChildren(const xmlNode* parent, const char* ns, std::initializer_list<CChildRule> vocabulary, bool elementsOnly,
                   CCheckReport& report) {
  if (!parent) return;
  // Counts of the `once` children, by their place in the vocabulary (vocabularies are short).
  unsigned char seen[64] = {};
  for (const xmlNode* c = parent->children; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE) {
      if (!InNamespace(c, ns)) continue;
      size_t index = 0;
      const CChildRule* rule = nullptr;
      for (const CChildRule& r : vocabulary) {
        if (IsNamed(c, r.name)) {
          rule = &r;
          break;
        }
        ++index;
      }
      if (!rule) {
        report.AtNode(CheckRule::UnknownElement, c, QualifiedName(c), QualifiedName(parent));
      } else if (rule->once && index < sizeof seen) {
        if (seen[index]++) report.AtNode(CheckRule::DuplicateElement, c, QualifiedName(c), QualifiedName(parent));
      }
    } else if (elementsOnly && (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content &&
               !IsBlank(C(c->content))) {
      report.AtNode(CheckRule::UnexpectedText, parent, QualifiedName(parent), TrimSpace(C(c->content)));
      elementsOnly = false;  // once per parent
    }
  }
}

void CheckUrlValue(const xmlNode* element, const char* attribute, bool absolute, CCheckReport& report) {
  bool found = false;
  std::string storage;
  const std::string_view value = Value(element, attribute, storage, found);
  if (!found) return;
  std::string_view url = TrimSpace(value);
  switch (CheckUrl(url, absolute)) {
    case UrlFault::None: break;
    case UrlFault::Relative: Report(CheckRule::RelativeUrl, element, attribute, url, {}, report); break;
    case UrlFault::Character: Report(CheckRule::UrlCharacter, element, attribute, url, {}, report); break;
    case UrlFault::Scheme: Report(CheckRule::UrlScheme, element, attribute, url, {}, report); break;
    case UrlFault::Tag: Report(CheckRule::IdSyntax, element, attribute, "tag URI", url, report); break;
    case UrlFault::Urn: Report(CheckRule::IdSyntax, element, attribute, "URN", url, report); break;
    case UrlFault::Uuid: Report(CheckRule::IdSyntax, element, attribute, "UUID URN", url, report); break;
  }
}

void CheckIntegerValue(const xmlNode* element, const char* attribute, long long min, long long max, CCheckReport& report) {
  bool found = false;
  std::string storage;
  const std::string_view value = Value(element, attribute, storage, found);
  if (!found) return;
  long long n = 0;
  if (!ParseInteger(value, n)) {
    Report(CheckRule::NotInteger, element, attribute, TrimSpace(value), {}, report);
  } else if (n < min || n > max) {
    std::string range = max == LLONG_MAX ? std::to_string(min) + "-" : std::to_string(min) + "-" + std::to_string(max);
    Report(min == 1 && max == LLONG_MAX ? CheckRule::NotPositive : CheckRule::OutOfRange, element, attribute, TrimSpace(value),
           range, report);
  }
}

void CheckEnumValue(const xmlNode* element, const char* attribute, std::initializer_list<const char*> values, const char* list,
                    CCheckReport& report) {
  bool found = false;
  std::string storage;
  const std::string_view value = Value(element, attribute, storage, found);
  if (found && !IsOneOf(value, values)) Report(CheckRule::EnumValue, element, attribute, TrimSpace(value), list, report);
}

void CheckEmailValue(const xmlNode* element, bool contact, CCheckReport& report) {
  std::string storage;
  const std::string_view value = OwnTextView(element, storage);
  if (!(contact ? IsEmailContact(value) : IsEmailAddress(value))) report.AtNode(CheckRule::EmailAddress, element, TrimSpace(value));
}

void CheckLanguageValue(const xmlNode* element, CCheckReport& report) {
  std::string storage;
  const std::string_view value = OwnTextView(element, storage);
  if (!IsLanguageCode(value)) report.AtNode(CheckRule::LanguageTag, element, TrimSpace(value));
}

void CheckMimeValue(const xmlNode* element, const char* attribute, CCheckReport& report) {
  bool found = false;
  std::string storage;
  const std::string_view value = Value(element, attribute, storage, found);
  if (found && !IsMimeType(value)) Report(CheckRule::MediaType, element, attribute, TrimSpace(value), {}, report);
}

void RequireAttributes(const xmlNode* element, std::initializer_list<const char*> names, CCheckReport& report) {
  std::string storage;
  for (const char* name : names) {
    bool found = false;
    const std::string_view value = AttributeView(element, name, storage, nullptr, &found);
    if (!found || IsBlank(value)) report.AtNode(CheckRule::MissingAttribute, element, QualifiedName(element), name);
  }
}
