// Atom 1.0 and Atom 0.3.
#include <climits>
#include <string>
#include <algorithm>
#include <string_view>
#include <vector>

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
    std::string storage;
    if (TrimSpace(AttributeView(c, "rel", storage, nullptr, &found)) == "alternate" || !found) return true;
  }
  return false;
}

void CheckLinks(const xmlNode* parent, const char* ns, CCheckReport& report) {
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (!IsElement(c, ns, "link")) continue;
    if (!HasAttribute(c, "href")) report.AtNode(CheckRule::LinkHref, c);
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
  if (HasAttribute(e, "src")) return;  // content held elsewhere
  bool found = false;
  std::string storage;
  std::string_view type = TrimSpace(AttributeView(e, "type", storage, nullptr, &found));
  if (!found) type = "text";
  if (type == "text" && !HasChildElements(e)) {
    std::string text;
    std::string tag = FindHtmlTag(OwnTextView(e, text));
    if (!tag.empty()) report.AtNode(CheckRule::TextHoldsMarkup, e, type, tag);
  } else if (type == "html") {
    CheckContentUrls(e, true, report);
  } else if (type == "xhtml") {
    CheckContentUrls(e, false, report);
  }
}

// Link relations registered with IANA (and the five of RFC 4287).
bool RegisteredRel(std::string_view rel) {
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
  struct CAlternate {
    std::string type, hreflang;
    const xmlNode* link;
  };
  std::vector<CAlternate> alternates;  // links are few: looked through one by one
  std::string storage;
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (!IsElement(c, kAtom10Ns, "link")) continue;
    bool found = false;
    std::string_view rel = TrimSpace(AttributeView(c, "rel", storage, nullptr, &found));
    if (!found) rel = "alternate";
    if (rel.find(':') != std::string_view::npos) {
      UrlFault fault = CheckUrl(rel, true);
      if (fault != UrlFault::None && fault != UrlFault::Scheme) report.AtAttribute(CheckRule::LinkRel, c, "rel", rel);
    } else if (!RegisteredRel(rel)) {
      bool name = !rel.empty() && rel.find_first_of(" \t\r\n/?#") == std::string_view::npos;
      report.AtAttribute(name ? CheckRule::LinkRelUnregistered : CheckRule::LinkRel, c, "rel", rel);
    }
    CheckUrlValue(c, "href", false, report);
    CheckIntegerValue(c, "length", 0, LLONG_MAX, report);
    if (rel == "alternate") {
      CAlternate alternate{std::string(TrimSpace(AttributeView(c, "type", storage))),
                           std::string(TrimSpace(AttributeView(c, "hreflang", storage))), c};
      auto same = std::find_if(alternates.begin(), alternates.end(), [&](const CAlternate& a) {
        return a.type == alternate.type && a.hreflang == alternate.hreflang;
      });
      if (same == alternates.end()) alternates.push_back(std::move(alternate));
      else report.AtNodeSeeAlso(CheckRule::DuplicateAlternate, c, TrimSpace(AttributeView(c, "href", storage)), same->link);
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
    if (IsNamed(c, "id")) {
      CheckUrlValue(c, nullptr, true, report);
    } else if (IsNamed(c, "icon") || IsNamed(c, "logo")) {
      CheckUrlValue(c, nullptr, false, report);
    } else if (IsNamed(c, "updated") || IsNamed(c, "published")) {
      CheckDateElement(c, DateForm::Rfc3339, report);
    } else if (IsNamed(c, "author") || IsNamed(c, "contributor")) {
      if (const xmlNode* email = FirstChild(c, kAtom10Ns, "email")) CheckEmailValue(email, false, report);
      if (const xmlNode* uri = FirstChild(c, kAtom10Ns, "uri")) CheckUrlValue(uri, nullptr, false, report);
    } else if (IsNamed(c, "title") || IsNamed(c, "subtitle") || IsNamed(c, "rights") || IsNamed(c, "summary") ||
               IsNamed(c, "content")) {
      CheckAtom10Text(c, report);
    } else if (IsNamed(c, "source")) {
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
