// RSS 2.0 and RSS 1.0.
#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "check/check_formats.h"
#include "check/check_nodes.h"
#include "check/check_namespaces.h"
#include "check/check_podcast.h"
#include "check/check_readers.h"
#include "check/check_text.h"
#include "check/check_value_rules.h"
#include "check/check_values.h"

namespace {

// Reports each of `names` that `parent` lacks (children in `ns`).
void RequireChildren(const xmlNode* parent, const char* ns, std::initializer_list<const char*> names,
                     CCheckReport& report) {
  for (const char* name : names) {
    if (!FirstChild(parent, ns, name)) report.AtNode(CheckRule::MissingElement, parent, name);
  }
}

void CheckUrlChild(const xmlNode* parent, const char* ns, const char* name, CCheckReport& report) {
  if (const xmlNode* e = FirstChild(parent, ns, name)) CheckUrlValue(e, nullptr, true, report);
}

// The RSS 2.0 vocabulary is in no namespace, or in one of the namespaces some feeds declare for it.
const char* VocabularyNs(const xmlNode* rss) {
  return rss->ns && rss->ns->href ? reinterpret_cast<const char*>(rss->ns->href) : nullptr;
}

bool InVocabulary(const xmlNode* node, const char* ns) {
  if (!ns) return !node->ns;
  return node->ns && node->ns->href && std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0;
}

void CheckCategory(const xmlNode* category, CCheckReport& report) {
  bool found = false;
  std::string storage;
  const std::string_view domain = AttributeView(category, "domain", storage, nullptr, &found);
  if (found && IsBlank(domain)) report.AtNode(CheckRule::MissingAttribute, category, "category", "domain");
}

// `podcast`: the feed declares the itunes namespace, so its enclosures meet the directories' rules.
void CheckRss20Item(const xmlNode* item, const char* ns, bool podcast, CIdSet& guids, CCheckReport& report) {
  CheckChildren(item, ns,
                {{"title", true}, {"link", true}, {"description", true}, {"author", true}, {"category", false},
                 {"comments", true}, {"enclosure", false}, {"guid", true}, {"pubDate", true}, {"source", true}},
                true, report);
  const xmlNode *title = nullptr, *description = nullptr, *guid = nullptr;
  for (const xmlNode* c = FirstElement(item); c; c = NextElement(c)) {
    if (!InVocabulary(c, ns)) {
      CheckExtension(c, report);
      continue;
    }
    if (IsNamed(c, "title")) title = title ? title : c;
    else if (IsNamed(c, "description")) description = c;
    else if (IsNamed(c, "guid")) guid = guid ? guid : c;
    else if (IsNamed(c, "link") || IsNamed(c, "comments")) CheckUrlValue(c, nullptr, true, report);
    else if (IsNamed(c, "pubDate")) CheckDateElement(c, DateForm::Rfc822, report);
    else if (IsNamed(c, "author")) CheckEmailValue(c, true, report);
    else if (IsNamed(c, "category")) CheckCategory(c, report);
    else if (IsNamed(c, "enclosure")) {
      if (podcast) CheckPodcastEnclosure(c, report);
      else RequireAttributes(c, {"url", "length", "type"}, report);
      CheckUrlValue(c, "url", true, report);
      CheckIntegerValue(c, "length", 0, LLONG_MAX, report);
      CheckMimeValue(c, "type", report);
    } else if (IsNamed(c, "source")) {
      RequireAttributes(c, {"url"}, report);
      CheckUrlValue(c, "url", true, report);
    }
  }
  if (!title && !description) report.AtNode(CheckRule::Rss20ItemEmpty, item);
  CheckTitleNotEmpty(title, report);
  if (description) CheckContentUrls(description, true, report);
  if (guid) {
    bool found = false;
    std::string storage;
    const std::string_view permaLink = AttributeView(guid, "isPermaLink", storage, nullptr, &found);
    if (found && !IsBoolean(permaLink)) report.AtAttribute(CheckRule::EnumValue, guid, "isPermaLink", TrimSpace(permaLink), "true, false");
    else if (!found || IsOneOf(permaLink, {"true"})) CheckUrlValue(guid, nullptr, true, report);
    std::string_view id = TrimSpace(OwnTextView(guid, storage));
    if (const xmlNode* first = guids.Add(guid, id, storage)) report.AtNodeSeeAlso(CheckRule::DuplicateGuid, guid, id, first);
  }
}

void CheckImage(const xmlNode* image, const char* ns, CCheckReport& report) {
  CheckChildren(image, ns,
                {{"url", true}, {"title", true}, {"link", true}, {"width", true}, {"height", true}, {"description", true}},
                true, report);
  RequireChildren(image, ns, {"url", "title", "link"}, report);
  CheckUrlChild(image, ns, "url", report);
  CheckUrlChild(image, ns, "link", report);
  if (const xmlNode* width = FirstChild(image, ns, "width")) CheckIntegerValue(width, nullptr, 1, 144, report);
  if (const xmlNode* height = FirstChild(image, ns, "height")) CheckIntegerValue(height, nullptr, 1, 400, report);
}

void CheckTextInput(const xmlNode* input, const char* ns, CCheckReport& report) {
  CheckChildren(input, ns, {{"title", true}, {"description", true}, {"name", true}, {"link", true}}, true, report);
  RequireChildren(input, ns, {"title", "description", "name", "link"}, report);
  CheckUrlChild(input, ns, "link", report);
}

// skipHours (0-23, at most 24) and skipDays (Monday to Sunday, at most 7): each value once.
void CheckSkip(const xmlNode* skip, const char* ns, bool hours, CCheckReport& report) {
  const char* child = hours ? "hour" : "day";
  CheckChildren(skip, ns, {{child, false}}, true, report);
  std::unordered_map<std::string, const xmlNode*> seen;
  int count = 0;
  for (const xmlNode* c = FirstElement(skip); c; c = NextElement(c)) {
    if (!InVocabulary(c, ns) || !IsNamed(c, child)) continue;
    ++count;
    std::string value(TrimSpace(OwnText(c)));
    if (hours) {
      long long hour = 0;
      if (!ParseInteger(value, hour)) {
        report.AtNode(CheckRule::NotInteger, c, value);
        continue;
      }
      if (hour < 0 || hour > 23) {
        report.AtNode(CheckRule::OutOfRange, c, value, "0-23");
        continue;
      }
      value = std::to_string(hour);
    } else if (!IsOneOf(value, {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"}) ||
               !std::isupper(static_cast<unsigned char>(value[0]))) {
      report.AtNode(CheckRule::EnumValue, c, value, "Monday ... Sunday");
      continue;
    }
    if (!seen.emplace(value, c).second) report.AtNode(CheckRule::DuplicateValue, c, value);
  }
  if (count > (hours ? 24 : 7)) report.AtNode(CheckRule::TooMany, skip, child, hours ? "24" : "7");
}

void CheckCloud(const xmlNode* cloud, CCheckReport& report) {
  RequireAttributes(cloud, {"domain", "port", "path", "registerProcedure", "protocol"}, report);
  CheckIntegerValue(cloud, "port", 1, 65535, report);
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
  if (IsElement(root, nullptr, "rss") || IsElement(root, kUserlandRssNs, "rss") || IsElement(root, kHarvardRssNs, "rss")) {
    return CheckedFormat::Rss20;
  }
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
  if (IsElement(root, kAtom10Ns, "feed") || IsElement(root, kAtom10Ns, "entry")) return CheckedFormat::Atom10;
  if (IsElement(root, kAtom03Ns, "feed")) return CheckedFormat::Atom03;
  return CheckedFormat::Unknown;
}

void CheckRss20(const xmlNode* rss, CCheckReport& report) {
  bool found = false;
  std::string version(TrimSpace(Attribute(rss, "version", nullptr, &found)));
  if (version != "2.0") report.AtNode(CheckRule::RssVersion, rss, found ? version : "-");
  const char* ns = VocabularyNs(rss);
  CheckChildren(rss, ns, {{"channel", true}}, true, report);
  const xmlNode* channel = FirstChild(rss, ns, "channel");
  if (!channel) {
    report.AtNode(CheckRule::MissingElement, rss, "channel");
    return;
  }
  CheckChildren(channel, ns,
                {{"title", true},       {"link", true},       {"description", true},   {"language", true},
                 {"copyright", true},   {"managingEditor", true}, {"webMaster", true}, {"pubDate", true},
                 {"lastBuildDate", true}, {"category", false}, {"generator", true},    {"docs", true},
                 {"cloud", true},       {"ttl", true},        {"image", true},         {"rating", true},
                 {"textInput", true},   {"textinput", true},  {"skipHours", true},     {"skipDays", true},
                 {"item", false}},
                true, report);
  RequireChildren(channel, ns, {"title", "link", "description"}, report);
  CheckTitleNotEmpty(FirstChild(channel, ns, "title"), report);
  const bool podcast = DeclaresItunes(channel);
  if (podcast) CheckPodcastChannel(channel, report);
  CIdSet guids;
  bool self = false;
  int items = 0;
  for (const xmlNode* c = FirstElement(channel); c; c = NextElement(c)) {
    if (!InVocabulary(c, ns)) {
      self = self || IsSelfLink(c);
      CheckExtension(c, report);
      continue;
    }
    if (IsNamed(c, "item")) {
      ++items;
      CheckRss20Item(c, ns, podcast, guids, report);
    } else if (IsNamed(c, "link") || IsNamed(c, "docs")) CheckUrlValue(c, nullptr, true, report);
    else if (IsNamed(c, "pubDate") || IsNamed(c, "lastBuildDate")) CheckDateElement(c, DateForm::Rfc822, report);
    else if (IsNamed(c, "language")) CheckLanguageValue(c, report);
    else if (IsNamed(c, "managingEditor") || IsNamed(c, "webMaster")) CheckEmailValue(c, true, report);
    else if (IsNamed(c, "ttl")) CheckIntegerValue(c, nullptr, 0, LLONG_MAX, report);
    else if (IsNamed(c, "category")) CheckCategory(c, report);
    else if (IsNamed(c, "image")) CheckImage(c, ns, report);
    else if (IsNamed(c, "textInput") || IsNamed(c, "textinput")) CheckTextInput(c, ns, report);
    else if (IsNamed(c, "skipHours")) CheckSkip(c, ns, true, report);
    else if (IsNamed(c, "skipDays")) CheckSkip(c, ns, false, report);
    else if (IsNamed(c, "cloud")) CheckCloud(c, report);
  }
  if (!self) report.AtNode(CheckRule::NoSelfLink, channel);
  CheckItemCount(channel, items, report);
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
  for (const xmlNode* c = FirstElement(channel); c; c = NextElement(c)) {
    if (IsElement(c, kRss10Ns, "item")) report.AtNode(CheckRule::Rss10ItemInChannel, c);
    else if (!c->ns || std::strcmp(reinterpret_cast<const char*>(c->ns->href), kRss10Ns) != 0) CheckExtension(c, report);
  }
  CheckChildren(rdf, kRss10Ns, {{"channel", true}, {"image", true}, {"item", false}, {"textinput", true}}, true, report);
  CheckChildren(channel, kRss10Ns,
                {{"title", true}, {"link", true}, {"description", true}, {"image", true}, {"items", true},
                 {"textinput", true}, {"item", false}},
                true, report);
  if (const xmlNode* image = FirstChild(rdf, kRss10Ns, "image")) {
    CheckChildren(image, kRss10Ns, {{"title", true}, {"url", true}, {"link", true}}, true, report);
    RequireChildren(image, kRss10Ns, {"title", "url", "link"}, report);
    CheckUrlChild(image, kRss10Ns, "url", report);
    CheckUrlChild(image, kRss10Ns, "link", report);
  }
  if (const xmlNode* input = FirstChild(rdf, kRss10Ns, "textinput")) {
    CheckChildren(input, kRss10Ns, {{"title", true}, {"description", true}, {"name", true}, {"link", true}}, true, report);
    RequireChildren(input, kRss10Ns, {"title", "description", "name", "link"}, report);
    CheckUrlChild(input, kRss10Ns, "link", report);
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
  int items = 0;
  bool everyAbout = true;  // an item without rdf:about cannot be matched with the sequence
  for (const xmlNode* item = FirstElement(rdf); item; item = NextElement(item)) {
    if (!IsElement(item, kRss10Ns, "item")) continue;
    ++items;
    CheckChildren(item, kRss10Ns, {{"title", true}, {"link", true}, {"description", true}}, true, report);
    RequireChildren(item, kRss10Ns, {"title", "link"}, report);
    CheckTitleNotEmpty(FirstChild(item, kRss10Ns, "title"), report);
    CheckUrlChild(item, kRss10Ns, "link", report);
    for (const xmlNode* c = FirstElement(item); c; c = NextElement(c)) {
      if (!c->ns || std::strcmp(reinterpret_cast<const char*>(c->ns->href), kRss10Ns) != 0) CheckExtension(c, report);
    }
    CheckContentUrls(FirstChild(item, kRss10Ns, "description"), true, report);
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
  CheckItemCount(rdf, items, report);
}
