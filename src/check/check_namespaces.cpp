#include "check/check_namespaces.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "check/check_formats.h"
#include "check/check_itunes_categories.h"
#include "check/check_nodes.h"
#include "check/check_readers.h"
#include "check/check_value_rules.h"
#include "check/check_values.h"

namespace {

const char* C(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool IsNameOf(const xmlNode* node, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (IsNamed(node, name)) return true;
  }
  return false;
}

void Unknown(const xmlNode* element, CCheckReport& report) {
  report.AtNode(CheckRule::UnknownElement, element, QualifiedName(element),
                element->parent && element->parent->type == XML_ELEMENT_NODE ? QualifiedName(element->parent) : "");
}

// The numbers of a text, separated by white space (GeoRSS) or commas; false when one is no number.
bool Numbers(const std::string& text, char separator, std::vector<double>& out) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (IsXmlSpace(text[i]) || text[i] == separator)) ++i;
    if (i >= text.size()) break;
    size_t end = i;
    while (end < text.size() && !IsXmlSpace(text[end]) && text[end] != separator) ++end;
    double value = 0;
    if (!ParseNumber(text.substr(i, end - i), value)) return false;
    out.push_back(value);
    i = end;
  }
  return true;
}

void CheckLatitude(const xmlNode* e, std::string_view text, CCheckReport& report) {
  double value = 0;
  if (!ParseNumber(text, value) || value < -90 || value > 90) report.AtNode(CheckRule::Latitude, e, TrimSpace(text));
}

void CheckLongitude(const xmlNode* e, std::string_view text, CCheckReport& report) {
  double value = 0;
  if (!ParseNumber(text, value) || value < -180 || value > 180) report.AtNode(CheckRule::Longitude, e, TrimSpace(text));
}

void CheckDublinCore(const xmlNode* e, CCheckReport& report) {
  if (!IsNameOf(e, {"title", "creator", "subject", "description", "publisher", "contributor", "date", "type", "format",
                    "identifier", "source", "language", "relation", "coverage", "rights"})) {
    Unknown(e, report);
  } else if (IsNamed(e, "date")) {
    CheckDateElement(e, DateForm::W3c, report);
  } else if (IsNamed(e, "language")) {
    CheckLanguageValue(e, report);
  }
}

void CheckSyndication(const xmlNode* e, CCheckReport& report) {
  if (IsNamed(e, "updatePeriod")) CheckEnumValue(e, nullptr, {"hourly", "daily", "weekly", "monthly", "yearly"}, "hourly, daily, weekly, monthly, yearly", report);
  else if (IsNamed(e, "updateFrequency")) CheckIntegerValue(e, nullptr, 1, LLONG_MAX, report);
  else if (IsNamed(e, "updateBase")) CheckDateElement(e, DateForm::W3c, report);
  else Unknown(e, report);
}

void CheckSlash(const xmlNode* e, CCheckReport& report) {
  if (IsNamed(e, "comments")) {
    CheckIntegerValue(e, nullptr, 0, LLONG_MAX, report);
  } else if (IsNamed(e, "hit_parade")) {
    std::string text = OwnText(e);
    size_t start = 0;
    while (start <= text.size()) {
      size_t comma = text.find(',', start);
      std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      long long n = 0;
      if (!ParseInteger(part, n)) {
        report.AtNode(CheckRule::NotInteger, e, TrimSpace(text));
        break;
      }
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  } else if (!IsNameOf(e, {"section", "department"})) {
    Unknown(e, report);
  }
}

void CheckItunes(const xmlNode* e, CCheckReport& report) {
  if (IsNamed(e, "explicit")) {
    CheckEnumValue(e, nullptr, {"yes", "no", "clean", "true", "false"}, "true, false, yes, no, clean", report);
  } else if (IsNamed(e, "block") || IsNamed(e, "complete")) {
    CheckEnumValue(e, nullptr, {"yes", "no"}, "yes, no", report);
  } else if (IsNamed(e, "image")) {
    RequireAttributes(e, {"href"}, report);
    CheckUrlValue(e, "href", true, report);
  } else if (IsNamed(e, "new-feed-url")) {
    CheckUrlValue(e, nullptr, true, report);
  } else if (IsNamed(e, "owner")) {
    if (const xmlNode* email = FirstChild(e, kItunesNs, "email")) CheckEmailValue(email, true, report);
  } else if (IsNamed(e, "category")) {
    CheckItunesCategory(e, report);
  } else if (IsNamed(e, "duration")) {
    // Seconds, or [[h]h:]m[m]:ss.
    std::string text(TrimSpace(OwnText(e)));
    long long seconds = 0;
    bool ok = ParseInteger(text, seconds) && seconds >= 0;
    if (!ok) {
      std::vector<long long> parts;
      size_t start = 0;
      ok = true;
      while (ok) {
        size_t colon = text.find(':', start);
        std::string part = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        long long n = 0;
        ok = !part.empty() && part.size() <= 2 && part.find_first_not_of("0123456789") == std::string::npos &&
             ParseInteger(part, n);
        parts.push_back(n);
        if (colon == std::string::npos) break;
        start = colon + 1;
      }
      ok = ok && parts.size() >= 2 && parts.size() <= 3 && parts.back() <= 59 && (parts.size() == 2 || parts[1] <= 59);
    }
    if (!ok) report.AtNode(CheckRule::EnumValue, e, text, "seconds, mm:ss, hh:mm:ss");
  } else if (IsNamed(e, "episode") || IsNamed(e, "season")) {
    CheckIntegerValue(e, nullptr, 1, LLONG_MAX, report);
  } else if (IsNamed(e, "episodeType")) {
    CheckEnumValue(e, nullptr, {"full", "trailer", "bonus"}, "full, trailer, bonus", report);
  } else if (IsNamed(e, "type")) {
    CheckEnumValue(e, nullptr, {"episodic", "serial"}, "episodic, serial", report);
  }
}

void CheckMediaElement(const xmlNode* e, CCheckReport& report);

void CheckMediaContent(const xmlNode* e, CCheckReport& report) {
  CheckUrlValue(e, "url", true, report);
  for (const char* name : {"fileSize", "bitrate", "duration", "height", "width", "channels"}) {
    CheckIntegerValue(e, name, 0, LLONG_MAX, report);
  }
  CheckMimeValue(e, "type", report);
  CheckEnumValue(e, "medium", {"image", "audio", "video", "document", "executable"}, "image, audio, video, document, executable", report);
  CheckEnumValue(e, "expression", {"sample", "full", "nonstop"}, "sample, full, nonstop", report);
  CheckEnumValue(e, "isDefault", {"true", "false"}, "true, false", report);
  for (const xmlNode* c = FirstElement(e); c; c = NextElement(c)) {
    if (IsElement(c, kMediaNs, c->name ? C(c->name) : "")) CheckMediaElement(c, report);
  }
}

void CheckMediaRating(const xmlNode* e, CCheckReport& report) {
  bool found = false;
  std::string scheme(TrimSpace(Attribute(e, "scheme", nullptr, &found)));
  if (!found || scheme == "urn:simple") CheckEnumValue(e, nullptr, {"adult", "nonadult"}, "adult, nonadult", report);
  else if (scheme == "urn:mpaa") CheckEnumValue(e, nullptr, {"g", "pg", "pg-13", "r", "nc-17"}, "g, pg, pg-13, r, nc-17", report);
  else if (scheme == "urn:v-chip") {
    CheckEnumValue(e, nullptr, {"tv-y", "tv-y7", "tv-y7-fv", "tv-g", "tv-pg", "tv-14", "tv-ma"},
                   "tv-y, tv-y7, tv-y7-fv, tv-g, tv-pg, tv-14, tv-ma", report);
  }
}

void CheckMediaHash(const xmlNode* e, CCheckReport& report) {
  bool found = false;
  std::string algo(TrimSpace(Attribute(e, "algo", nullptr, &found)));
  size_t length = 0;
  if (!found || IsOneOf(algo, {"md5"})) length = 32;
  else if (IsOneOf(algo, {"sha-1"})) length = 40;
  else {
    report.AtAttribute(CheckRule::EnumValue, e, "algo", algo, "md5, sha-1");
    return;
  }
  std::string value(TrimSpace(OwnText(e)));
  if (value.size() != length || value.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    report.AtNode(CheckRule::MediaHash, e, length == 32 ? "MD5" : "SHA-1", value);
  }
}

void CheckMediaElement(const xmlNode* e, CCheckReport& report) {
  if (IsNamed(e, "group")) {
    int contents = 0;
    for (const xmlNode* c = FirstElement(e); c; c = NextElement(c)) {
      if (IsElement(c, kMediaNs, "content")) ++contents;
      if (c->ns && c->ns->href && !std::strcmp(C(c->ns->href), kMediaNs)) CheckMediaElement(c, report);
    }
    if (contents < 2) report.AtNode(CheckRule::MediaGroup, e);
  } else if (IsNamed(e, "content")) {
    CheckMediaContent(e, report);
  } else if (IsNamed(e, "rating")) {
    CheckMediaRating(e, report);
  } else if (IsNamed(e, "hash")) {
    CheckMediaHash(e, report);
  } else if (IsNameOf(e, {"title", "description", "copyright", "text"})) {
    CheckEnumValue(e, "type", {"plain", "html"}, "plain, html", report);
  } else if (IsNamed(e, "thumbnail")) {
    RequireAttributes(e, {"url"}, report);
    CheckUrlValue(e, "url", true, report);
    CheckIntegerValue(e, "width", 0, LLONG_MAX, report);
    CheckIntegerValue(e, "height", 0, LLONG_MAX, report);
  } else if (IsNamed(e, "player")) {
    RequireAttributes(e, {"url"}, report);
    CheckUrlValue(e, "url", true, report);
  } else if (IsNamed(e, "restriction")) {
    RequireAttributes(e, {"relationship"}, report);
    CheckEnumValue(e, "relationship", {"allow", "deny"}, "allow, deny", report);
    CheckEnumValue(e, "type", {"country", "uri", "sharing"}, "country, uri, sharing", report);
  } else if (!IsNameOf(e, {"keywords", "category", "credit", "community", "comments", "embed", "responses", "backLinks",
                           "status", "price", "license", "subTitle", "peerLink", "location", "rights", "scenes", "adult"})) {
    Unknown(e, report);
  }
}

void CheckGeo(const xmlNode* e, CCheckReport& report) {
  if (IsNamed(e, "lat")) CheckLatitude(e, OwnText(e), report);
  else if (IsNamed(e, "long")) CheckLongitude(e, OwnText(e), report);
  else if (IsNamed(e, "Point")) {
    for (const xmlNode* c = FirstElement(e); c; c = NextElement(c)) {
      if (c->ns && c->ns->href && !std::strcmp(C(c->ns->href), kGeoNs)) CheckGeo(c, report);
    }
  } else if (!IsNameOf(e, {"alt", "lat_long", "SpatialThing"})) {
    Unknown(e, report);
  }
}

void CheckGeoRss(const xmlNode* e, CCheckReport& report) {
  std::string text = OwnText(e);
  std::vector<double> numbers;
  // Pairs of latitude and longitude: one pair for a point, two for a box, more for lines and polygons;
  // a circle is one pair and a radius.
  const bool circle = IsNamed(e, "circle");
  const size_t pairs = IsNamed(e, "point") || circle ? 1 : IsNamed(e, "box") ? 2 : IsNamed(e, "line") || IsNamed(e, "polygon") ? 0 : SIZE_MAX;
  if (pairs == SIZE_MAX) {
    if (IsNameOf(e, {"elev", "floor", "radius"})) {
      double value = 0;
      if (!ParseNumber(text, value)) report.AtNode(CheckRule::NotInteger, e, TrimSpace(text));
    } else if (!IsNameOf(e, {"where", "featuretypetag", "relationshiptag", "featurename"})) {
      Unknown(e, report);
    }
    return;
  }
  if (!Numbers(text, ' ', numbers) || numbers.empty() ||
      (circle ? numbers.size() != 3 : numbers.size() % 2 != 0 || (pairs && numbers.size() != pairs * 2))) {
    report.AtNode(CheckRule::Latitude, e, TrimSpace(text));
    return;
  }
  for (size_t i = 0; i + 1 < numbers.size(); i += 2) {
    if (numbers[i] < -90 || numbers[i] > 90) {
      report.AtNode(CheckRule::Latitude, e, TrimSpace(text));
      return;
    }
    if (numbers[i + 1] < -180 || numbers[i + 1] > 180) {
      report.AtNode(CheckRule::Longitude, e, TrimSpace(text));
      return;
    }
  }
}

void CheckPodcast(const xmlNode* e, CCheckReport& report) {
  if (IsNamed(e, "locked")) {
    CheckEnumValue(e, nullptr, {"yes", "no"}, "yes, no", report);
  } else if (IsNamed(e, "transcript") || IsNamed(e, "chapters")) {
    RequireAttributes(e, {"url", "type"}, report);
    CheckUrlValue(e, "url", true, report);
    CheckMimeValue(e, "type", report);
  } else if (IsNamed(e, "funding")) {
    RequireAttributes(e, {"url"}, report);
    CheckUrlValue(e, "url", true, report);
  }
}

}  // namespace

bool IsSelfLink(const xmlNode* element) {
  return IsElement(element, kAtom10Ns, "link") && TrimSpace(Attribute(element, "rel")) == "self";
}

void CheckExtension(const xmlNode* e, CCheckReport& report) {
  if (!e->ns || !e->ns->href) return;
  const char* ns = C(e->ns->href);
  if (!std::strcmp(ns, kDcNs)) CheckDublinCore(e, report);
  else if (!std::strcmp(ns, kContentNs)) {
    if (IsNamed(e, "encoded")) CheckContentUrls(e, true, report);
    else if (!IsNameOf(e, {"items", "item", "format", "encoding"})) Unknown(e, report);
  } else if (!std::strcmp(ns, kAtom10Ns)) {
    if (IsNamed(e, "link")) {
      RequireAttributes(e, {"href"}, report);
      CheckUrlValue(e, "href", false, report);
      CheckMimeValue(e, "type", report);
    }
  } else if (!std::strcmp(ns, kSyNs)) CheckSyndication(e, report);
  else if (!std::strcmp(ns, kSlashNs)) CheckSlash(e, report);
  else if (!std::strcmp(ns, kWfwNs)) {
    if (IsNameOf(e, {"comment", "commentRss", "commentRSS"})) CheckUrlValue(e, nullptr, true, report);
    else Unknown(e, report);
  } else if (!std::strcmp(ns, kItunesNs)) CheckItunes(e, report);
  else if (!std::strcmp(ns, kMediaNs)) CheckMediaElement(e, report);
  else if (!std::strcmp(ns, "http://search.yahoo.com/mrss")) report.AtNode(CheckRule::MediaNamespace, e, ns);
  else if (!std::strcmp(ns, kGeoNs)) CheckGeo(e, report);
  else if (!std::strcmp(ns, kGeoRssNs)) CheckGeoRss(e, report);
  else if (!std::strcmp(ns, kPodcastNs)) CheckPodcast(e, report);
}
