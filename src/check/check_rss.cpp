// RSS 2.0 and RSS 1.0.
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "check/check_formats.h"
#include "check/check_nodes.h"
#include "check/check_text.h"

namespace {

// Reports each of `names` that `parent` lacks (children in `ns`).
void RequireChildren(const xmlNode* parent, const char* ns, std::initializer_list<const char*> names,
                     CCheckReport& report) {
  for (const char* name : names) {
    if (!FirstChild(parent, ns, name)) report.AtNode(CheckRule::MissingElement, parent, name);
  }
}

void CheckUrlChild(const xmlNode* parent, const char* ns, const char* name, CCheckReport& report) {
  if (const xmlNode* e = FirstChild(parent, ns, name)) CheckUrlText(e, report);
}

void CheckRss20Item(const xmlNode* item, CIdSet& guids, CCheckReport& report) {
  // One pass over the children; RSS 2.0 elements have no namespace.
  const xmlNode *title = nullptr, *description = nullptr, *guid = nullptr;
  for (const xmlNode* c = FirstElement(item); c; c = NextElement(c)) {
    if (c->ns) continue;
    const char* name = reinterpret_cast<const char*>(c->name);
    if (!std::strcmp(name, "title")) title = title ? title : c;
    else if (!std::strcmp(name, "description")) description = c;
    else if (!std::strcmp(name, "guid")) guid = guid ? guid : c;
    else if (!std::strcmp(name, "link") || !std::strcmp(name, "comments")) CheckUrlText(c, report);
    else if (!std::strcmp(name, "pubDate")) CheckDateElement(c, DateForm::Rfc822, report);
    else if (!std::strcmp(name, "enclosure") || !std::strcmp(name, "source")) CheckUrlAttribute(c, "url", report);
  }
  if (!title && !description) report.AtNode(CheckRule::Rss20ItemEmpty, item);
  CheckTitleNotEmpty(title, report);
  if (guid) {
    bool found = false;
    std::string permaLink(TrimSpace(Attribute(guid, "isPermaLink", nullptr, &found)));
    if (!found || permaLink == "true") CheckUrlText(guid, report);
    std::string storage;
    std::string_view id = TrimSpace(OwnTextView(guid, storage));
    if (const xmlNode* first = guids.Add(guid, id, storage)) report.AtNodeSeeAlso(CheckRule::DuplicateGuid, guid, id, first);
  }
}

std::string RdfAbout(const xmlNode* node, bool* found) { return Attribute(node, "about", kRdfNs, found); }

// rdf:resource on an rdf:li; RSS 1.0 files also write it without the prefix.
std::string LiResource(const xmlNode* li, bool* found) {
  std::string value = Attribute(li, "resource", kRdfNs, found);
  if (!*found) value = Attribute(li, "resource", nullptr, found);
  return value;
}

}  // namespace

CheckedFormat DetectFormat(const xmlNode* root) {
  if (IsElement(root, nullptr, "rss")) return CheckedFormat::Rss20;
  if (IsElement(root, kRdfNs, "RDF")) {
    // RSS 1.0 by its namespace, on the root or on a child (RSS 0.90 has another).
    for (const xmlNs* ns = root->nsDef; ns; ns = ns->next) {
      if (ns->href && std::string_view(reinterpret_cast<const char*>(ns->href)) == kRss10Ns) return CheckedFormat::Rss10;
    }
    for (const xmlNode* c = FirstElement(root); c; c = NextElement(c)) {
      if (c->ns && c->ns->href && std::string_view(reinterpret_cast<const char*>(c->ns->href)) == kRss10Ns) {
        return CheckedFormat::Rss10;
      }
    }
    return CheckedFormat::Unknown;
  }
  if (IsElement(root, kAtom10Ns, "feed")) return CheckedFormat::Atom10;
  if (IsElement(root, kAtom03Ns, "feed")) return CheckedFormat::Atom03;
  return CheckedFormat::Unknown;
}

void CheckRss20(const xmlNode* rss, CCheckReport& report) {
  bool found = false;
  std::string version(TrimSpace(Attribute(rss, "version", nullptr, &found)));
  if (version != "2.0") report.AtNode(CheckRule::RssVersion, rss, found ? version : "-");
  const xmlNode* channel = FirstChild(rss, nullptr, "channel");
  if (!channel) {
    report.AtNode(CheckRule::MissingElement, rss, "channel");
    return;
  }
  RequireChildren(channel, nullptr, {"title", "link", "description"}, report);
  CheckTitleNotEmpty(FirstChild(channel, nullptr, "title"), report);
  CheckUrlChild(channel, nullptr, "link", report);
  CheckDateElement(FirstChild(channel, nullptr, "pubDate"), DateForm::Rfc822, report);
  CheckDateElement(FirstChild(channel, nullptr, "lastBuildDate"), DateForm::Rfc822, report);
  if (const xmlNode* image = FirstChild(channel, nullptr, "image")) {
    RequireChildren(image, nullptr, {"url", "title", "link"}, report);
    CheckUrlChild(image, nullptr, "url", report);
    CheckUrlChild(image, nullptr, "link", report);
  }
  CIdSet guids;
  for (const xmlNode* c = FirstElement(channel); c; c = NextElement(c)) {
    if (IsElement(c, nullptr, "item")) CheckRss20Item(c, guids, report);
  }
}

void CheckRss10(const xmlNode* rdf, CCheckReport& report) {
  const xmlNode* channel = FirstChild(rdf, kRss10Ns, "channel");
  if (!channel) {
    report.AtNode(CheckRule::MissingElement, rdf, "channel");
    return;
  }
  bool found = false;
  std::string about = RdfAbout(channel, &found);
  if (!found) report.AtNode(CheckRule::Rss10About, channel);
  else if (!IsAbsoluteUrl(about)) report.AtAttribute(CheckRule::RelativeUrl, channel, "rdf:about", TrimSpace(about));
  RequireChildren(channel, kRss10Ns, {"title", "link", "description", "items"}, report);
  CheckTitleNotEmpty(FirstChild(channel, kRss10Ns, "title"), report);
  CheckUrlChild(channel, kRss10Ns, "link", report);
  CheckDateElement(FirstChild(channel, kDcNs, "date"), DateForm::W3c, report);
  for (const xmlNode* c = FirstElement(channel); c; c = NextElement(c)) {
    if (IsElement(c, kRss10Ns, "item")) report.AtNode(CheckRule::Rss10ItemInChannel, c);
  }

  // The sequence of the channel: resource -> its rdf:li.
  std::unordered_map<std::string, const xmlNode*> listed;
  std::vector<const xmlNode*> listOrder;
  bool haveSeq = false;
  if (const xmlNode* items = FirstChild(channel, kRss10Ns, "items")) {
    const xmlNode* seq = FirstChild(items, kRdfNs, "Seq");
    if (!seq) report.AtNode(CheckRule::Rss10NoSeq, items);
    haveSeq = seq != nullptr;
    for (const xmlNode* li = FirstElement(seq); li; li = NextElement(li)) {
      if (!IsElement(li, kRdfNs, "li")) continue;
      std::string resource(TrimSpace(LiResource(li, &found)));
      if (!found) {
        report.AtNode(CheckRule::Rss10SeqResource, li);
        continue;
      }
      if (!listed.emplace(resource, li).second) report.AtNode(CheckRule::Rss10SeqTwice, li, resource);
      else listOrder.push_back(li);
    }
  }

  std::unordered_map<std::string, const xmlNode*> present;
  bool everyAbout = true;  // an item without rdf:about cannot be matched with the sequence
  for (const xmlNode* item = FirstElement(rdf); item; item = NextElement(item)) {
    if (!IsElement(item, kRss10Ns, "item")) continue;
    RequireChildren(item, kRss10Ns, {"title", "link"}, report);
    CheckTitleNotEmpty(FirstChild(item, kRss10Ns, "title"), report);
    CheckUrlChild(item, kRss10Ns, "link", report);
    CheckDateElement(FirstChild(item, kDcNs, "date"), DateForm::W3c, report);
    std::string itemAbout(TrimSpace(RdfAbout(item, &found)));
    if (!found) {
      report.AtNode(CheckRule::Rss10About, item);
      everyAbout = false;
      continue;
    }
    if (!IsAbsoluteUrl(itemAbout)) report.AtAttribute(CheckRule::RelativeUrl, item, "rdf:about", itemAbout);
    auto [it, inserted] = present.emplace(itemAbout, item);
    if (!inserted) report.AtNodeSeeAlso(CheckRule::Rss10DuplicateAbout, item, itemAbout, it->second);
    else if (haveSeq && !listed.count(itemAbout)) report.AtNode(CheckRule::Rss10SeqUnlisted, item, itemAbout);
  }
  for (const xmlNode* li : listOrder) {
    std::string resource(TrimSpace(LiResource(li, &found)));
    if (everyAbout && !present.count(resource)) report.AtNode(CheckRule::Rss10SeqUnknown, li, resource);
  }
}
