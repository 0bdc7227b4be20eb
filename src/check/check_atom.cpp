// Atom 1.0 and Atom 0.3.
#include <string>
#include <unordered_map>

#include "check/check_formats.h"
#include "check/check_nodes.h"
#include "check/check_text.h"

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

// An Atom 1.0 text construct (title, subtitle, rights, summary) or content: what it holds agrees with
// its type.
void CheckAtom10Text(const xmlNode* e, CCheckReport& report) {
  if (!e) return;
  bool found = false;
  std::string type(TrimSpace(Attribute(e, "type", nullptr, &found)));
  if (!found) type = "text";
  Attribute(e, "src", nullptr, &found);
  if (found) return;  // content held elsewhere
  if (type == "text" || type == "html") {
    if (HasChildElements(e)) {
      report.AtNode(CheckRule::HtmlHoldsElements, e, type);
    } else if (type == "text") {
      std::string tag = FindHtmlTag(OwnText(e));
      if (!tag.empty()) report.AtNode(CheckRule::TextHoldsMarkup, e, type, tag);
    }
  } else if (type == "xhtml") {
    const xmlNode* div = FirstElement(e);
    if (!IsElement(div, kXhtmlNs, "div") || NextElement(div) || !IsBlank(OwnText(e))) {
      report.AtNode(CheckRule::XhtmlDiv, e);
    }
  }
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

void CheckAtom10(const xmlNode* feed, CCheckReport& report) {
  const char* ns = kAtom10Ns;
  RequireChildren(feed, ns, {"id", "title", "updated"}, report);
  CheckTitleNotEmpty(FirstChild(feed, ns, "title"), report);
  for (const char* name : {"title", "subtitle", "rights"}) CheckAtom10Text(FirstChild(feed, ns, name), report);
  CheckDateElement(FirstChild(feed, ns, "updated"), DateForm::Rfc3339, report);
  CheckLinks(feed, ns, report);
  bool self = false;
  for (const xmlNode* c = FirstElement(feed); c; c = NextElement(c)) {
    if (IsElement(c, ns, "link") && TrimSpace(Attribute(c, "rel")) == "self") self = true;
  }
  if (!self) report.AtNode(CheckRule::NoSelfLink, feed);
  const bool feedAuthor = FirstChild(feed, ns, "author") != nullptr;

  CIdSet ids;
  bool anyEntry = false;
  for (const xmlNode* entry = FirstElement(feed); entry; entry = NextElement(entry)) {
    if (!IsElement(entry, ns, "entry")) continue;
    anyEntry = true;
    RequireChildren(entry, ns, {"id", "title", "updated"}, report);
    CheckTitleNotEmpty(FirstChild(entry, ns, "title"), report);
    CheckUniqueId(entry, ns, ids, report);
    for (const char* name : {"title", "summary", "rights", "content"}) CheckAtom10Text(FirstChild(entry, ns, name), report);
    CheckDateElement(FirstChild(entry, ns, "updated"), DateForm::Rfc3339, report);
    CheckDateElement(FirstChild(entry, ns, "published"), DateForm::Rfc3339, report);
    CheckLinks(entry, ns, report);
    const xmlNode* source = FirstChild(entry, ns, "source");
    if (!feedAuthor && !FirstChild(entry, ns, "author") && !(source && FirstChild(source, ns, "author"))) {
      report.AtNode(CheckRule::NoAuthor, entry);
    }
    if (!FirstChild(entry, ns, "content") && !HasAlternateLink(entry, ns)) report.AtNode(CheckRule::NoAlternate, entry);
  }
  if (!feedAuthor && !anyEntry) report.AtNode(CheckRule::NoAuthor, feed);
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
