// Atom 1.0 and Atom 0.3.
#include <climits>
#include <string>
#include <unordered_map>

#include "check/check_formats.h"
#include "check/check_nodes.h"
#include "check/check_atom_structure.h"
#include "check/check_namespaces.h"
#include "check/check_readers.h"
#include "check/check_text.h"
#include "check/check_value_rules.h"
#include "check/check_values.h"

namespace {

void RequireChildren(const xmlNode* parent, const char* ns, std::initializer_list<const char*> names,
                     CCheckReport& report) {
  for (const char* name : names) {
    if (!FirstChild(parent, ns, name)) report.AtNode(CheckRule::MissingElement, parent, name);
  }
}

bool HasAlternateLink(const xmlNode* parent, const char* ns) {
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (!IsElement(c, ns, "link")) continue;
    bool found = false;
    std::string rel(TrimSpace(Attribute(c, "rel", nullptr, &found)));
    if (!found || rel == "alternate") return true;
  }
  return false;
}

void CheckLinks(const xmlNode* parent, const char* ns, CCheckReport& report) {
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (!IsElement(c, ns, "link")) continue;
    bool found = false;
    Attribute(c, "href", nullptr, &found);
    if (!found) report.AtNode(CheckRule::LinkHref, c);
  }
}

void CheckUniqueId(const xmlNode* entry, const char* ns, CIdSet& ids, CCheckReport& report) {
  const xmlNode* id = FirstChild(entry, ns, "id");
  if (!id) return;
  std::string storage;
  std::string_view value = TrimSpace(OwnTextView(id, storage));
  if (const xmlNode* first = ids.Add(id, value, storage)) report.AtNodeSeeAlso(CheckRule::DuplicateId, id, value, first);
}

// An Atom 1.0 text construct (title, subtitle, rights, summary) or content: plain text that holds
// markup, and relative links in HTML. (What the type allows the structure checks.)
void CheckAtom10Text(const xmlNode* e, CCheckReport& report) {
  if (!e) return;
  bool found = false;
  std::string type(TrimSpace(Attribute(e, "type", nullptr, &found)));
  if (!found) type = "text";
  Attribute(e, "src", nullptr, &found);
  if (found) return;  // content held elsewhere
  if (type == "text" && !HasChildElements(e)) {
    std::string tag = FindHtmlTag(OwnText(e));
    if (!tag.empty()) report.AtNode(CheckRule::TextHoldsMarkup, e, type, tag);
  } else if (type == "html") {
    CheckContentUrls(e, true, report);
  } else if (type == "xhtml") {
    CheckContentUrls(e, false, report);
  }
}

// Link relations registered with IANA (and the five of RFC 4287).
bool RegisteredRel(const std::string& rel) {
  static const char* const kRels[] = {
      "about", "alternate", "appendix", "archives", "author", "bookmark", "canonical", "chapter", "collection",
      "contents", "copyright", "current", "describedby", "edit", "edit-media", "enclosure", "first", "glossary",
      "help", "hub", "icon", "index", "item", "last", "latest-version", "license", "lrdd", "monitor", "next",
      "next-archive", "nofollow", "noreferrer", "payment", "pingback", "predecessor-version", "prefetch", "prev",
      "prev-archive", "preview", "previous", "privacy-policy", "related", "replies", "search", "section", "self",
      "service", "start", "stylesheet", "subsection", "successor-version", "tag", "terms-of-service", "type", "up",
      "version-history", "via", "webmention", "working-copy", "working-copy-of"};
  for (const char* r : kRels) {
    if (rel == r) return true;
  }
  return false;
}

// The links of a feed, an entry or a source: their values, and no two alternates alike.
void CheckAtom10Links(const xmlNode* parent, CCheckReport& report) {
  std::unordered_map<std::string, const xmlNode*> alternates;
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (!IsElement(c, kAtom10Ns, "link")) continue;
    bool found = false;
    std::string rel(TrimSpace(Attribute(c, "rel", nullptr, &found)));
    if (!found) rel = "alternate";
    if (rel.find(':') != std::string::npos) {
      UrlFault fault = CheckUrl(rel, true);
      if (fault != UrlFault::None && fault != UrlFault::Scheme) report.AtAttribute(CheckRule::LinkRel, c, "rel", rel);
    } else if (!RegisteredRel(rel)) {
      bool name = !rel.empty() && rel.find_first_of(" \t\r\n/?#") == std::string::npos;
      report.AtAttribute(name ? CheckRule::LinkRelUnregistered : CheckRule::LinkRel, c, "rel", rel);
    }
    CheckUrlValue(c, "href", false, report);
    CheckIntegerValue(c, "length", 0, LLONG_MAX, report);
    if (rel == "alternate") {
      std::string key = std::string(TrimSpace(Attribute(c, "type"))) + "\n" + std::string(TrimSpace(Attribute(c, "hreflang")));
      auto [it, inserted] = alternates.emplace(key, c);
      if (!inserted) report.AtNodeSeeAlso(CheckRule::DuplicateAlternate, c, TrimSpace(Attribute(c, "href")), it->second);
    }
  }
}

// The values of a feed's, an entry's or a source's own elements, and the extensions it holds.
void CheckAtom10Values(const xmlNode* parent, CCheckReport& report) {
  CheckAtom10Links(parent, report);
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (!IsElement(c, kAtom10Ns, reinterpret_cast<const char*>(c->name))) {
      CheckExtension(c, report);
      continue;
    }
    const std::string name(reinterpret_cast<const char*>(c->name));
    if (name == "id") {
      CheckUrlValue(c, nullptr, true, report);
    } else if (name == "icon" || name == "logo") {
      CheckUrlValue(c, nullptr, false, report);
    } else if (name == "updated" || name == "published") {
      CheckDateElement(c, DateForm::Rfc3339, report);
    } else if (name == "author" || name == "contributor") {
      if (const xmlNode* email = FirstChild(c, kAtom10Ns, "email")) {
        if (!IsEmailAddress(OwnText(email))) report.AtNode(CheckRule::EmailAddress, email, TrimSpace(OwnText(email)));
      }
      if (const xmlNode* uri = FirstChild(c, kAtom10Ns, "uri")) CheckUrlValue(uri, nullptr, false, report);
    } else if (name == "title" || name == "subtitle" || name == "rights" || name == "summary" || name == "content") {
      CheckAtom10Text(c, report);
    } else if (name == "source") {
      CheckAtom10Values(c, report);
    }
  }
}

void CheckAtom10Entry(const xmlNode* entry, bool feedAuthor, CIdSet& ids, CCheckReport& report) {
  const char* ns = kAtom10Ns;
  CheckTitleNotEmpty(FirstChild(entry, ns, "title"), report);
  CheckUniqueId(entry, ns, ids, report);
  CheckAtom10Values(entry, report);
  const xmlNode* source = FirstChild(entry, ns, "source");
  if (!feedAuthor && !FirstChild(entry, ns, "author") && !(source && FirstChild(source, ns, "author"))) {
    report.AtNode(CheckRule::NoAuthor, entry);
  }
  if (!FirstChild(entry, ns, "content") && !HasAlternateLink(entry, ns)) report.AtNode(CheckRule::NoAlternate, entry);
}

// An Atom 0.3 content construct: type (a MIME type, text/plain by default) and mode (xml by default).
void CheckAtom03Text(const xmlNode* e, CCheckReport& report) {
  if (!e) return;
  bool found = false;
  std::string type(TrimSpace(Attribute(e, "type", nullptr, &found)));
  if (!found) type = "text/plain";
  std::string mode(TrimSpace(Attribute(e, "mode", nullptr, &found)));
  if (!found) mode = "xml";
  if (mode != "xml" && mode != "escaped" && mode != "base64") {
    report.AtNode(CheckRule::Atom03Mode, e, mode);
    return;
  }
  if (mode != "xml") {
    if (HasChildElements(e)) report.AtNode(CheckRule::HtmlHoldsElements, e, "mode=\"" + mode + "\"");
    return;
  }
  if (type == "text/plain") {
    if (HasChildElements(e)) {
      report.AtNode(CheckRule::HtmlHoldsElements, e, type);
    } else {
      std::string tag = FindHtmlTag(OwnText(e));
      if (!tag.empty()) report.AtNode(CheckRule::TextHoldsMarkup, e, type, tag);
    }
  }
}

}  // namespace

void CheckAtom10(const xmlNode* root, CCheckReport& report, SchemaVerdict& structure) {
  const char* ns = kAtom10Ns;
  CIdSet ids;
  if (IsElement(root, ns, "entry")) {
    CheckAtom10Entry(root, false, ids, report);
  } else {
    const xmlNode* feed = root;
    CheckTitleNotEmpty(FirstChild(feed, ns, "title"), report);
    CheckAtom10Values(feed, report);
    bool self = false;
    for (const xmlNode* c = FirstElement(feed); c; c = NextElement(c)) self = self || IsSelfLink(c);
    if (!self) report.AtNode(CheckRule::NoSelfLink, feed);
    const bool feedAuthor = FirstChild(feed, ns, "author") != nullptr;
    int entries = 0;
    for (const xmlNode* entry = FirstElement(feed); entry; entry = NextElement(entry)) {
      if (!IsElement(entry, ns, "entry")) continue;
      ++entries;
      CheckAtom10Entry(entry, feedAuthor, ids, report);
    }
    if (!feedAuthor && entries == 0) report.AtNode(CheckRule::NoAuthor, feed);
    CheckItemCount(feed, entries, report);
  }
  // After the value rules: a date they found wrong is not told again.
  structure = CheckAtom10Structure(root, report) ? SchemaVerdict::Valid : SchemaVerdict::Invalid;
}

void CheckAtom03(const xmlNode* feed, CCheckReport& report) {
  const char* ns = kAtom03Ns;
  bool found = false;
  std::string version(TrimSpace(Attribute(feed, "version", nullptr, &found)));
  if (version != "0.3") report.AtNode(CheckRule::Atom03Version, feed, found ? version : "-");
  RequireChildren(feed, ns, {"title", "modified"}, report);
  if (!HasAlternateLink(feed, ns)) report.AtNode(CheckRule::MissingElement, feed, "link rel=\"alternate\"");
  CheckTitleNotEmpty(FirstChild(feed, ns, "title"), report);
  for (const char* name : {"title", "tagline", "copyright", "info"}) CheckAtom03Text(FirstChild(feed, ns, name), report);
  CheckDateElement(FirstChild(feed, ns, "modified"), DateForm::W3c, report);
  CheckLinks(feed, ns, report);
  const bool feedAuthor = FirstChild(feed, ns, "author") != nullptr;

  CIdSet ids;
  bool anyEntry = false;
  for (const xmlNode* entry = FirstElement(feed); entry; entry = NextElement(entry)) {
    if (!IsElement(entry, ns, "entry")) continue;
    anyEntry = true;
    RequireChildren(entry, ns, {"title", "id", "modified", "issued"}, report);
    if (!HasAlternateLink(entry, ns)) report.AtNode(CheckRule::MissingElement, entry, "link rel=\"alternate\"");
    CheckTitleNotEmpty(FirstChild(entry, ns, "title"), report);
    CheckUniqueId(entry, ns, ids, report);
    for (const char* name : {"title", "summary", "content"}) CheckAtom03Text(FirstChild(entry, ns, name), report);
    CheckDateElement(FirstChild(entry, ns, "modified"), DateForm::W3c, report);
    CheckDateElement(FirstChild(entry, ns, "issued"), DateForm::W3cZoneOptional, report);
    CheckDateElement(FirstChild(entry, ns, "created"), DateForm::W3c, report);
    CheckLinks(entry, ns, report);
    if (!feedAuthor && !FirstChild(entry, ns, "author")) report.AtNode(CheckRule::NoAuthor, entry);
  }
  if (!feedAuthor && !anyEntry) report.AtNode(CheckRule::NoAuthor, feed);
}
