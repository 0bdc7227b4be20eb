// The Atom 0.3 and Atom 1.0 writers of the project, WriteAtom choosing between them, and the feed's id
// and self address.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "feeds/feed_dates.h"
#include "feeds/feed_items.h"
#include "feeds/feed_text.h"
#include "feeds/feed_writer_support.h"
#include "feeds/url_parts.h"
#include "feeds/xml_escape.h"
#include "model/rss_file.h"
#include "platform/clock.h"
#include "xml/vxml_document.h"
#include "xml/vxml_element.h"

namespace {

constexpr const char* kAtom03Namespace = "http://purl.org/atom/ns#";
constexpr const char* kDublinCoreNamespace = "http://purl.org/dc/elements/1.1/";
constexpr const char* kAtom10Namespace = "http://www.w3.org/2005/Atom";

void AddLink(CVXMLElement& parent, const char* rel, const char* type, const std::string& href) {
  CVXMLElement* link = AddFeedElement(parent, "link");
  link->SetAttribute("rel", rel);
  link->SetAttribute("type", type);
  link->SetAttribute("href", FeedAttributeText(href));
}

void AddAuthor(CVXMLElement& feed, const std::string& creator) {
  CVXMLElement* author = AddFeedElement(feed, "author");
  AddFeedMarkup(*author, "name", creator);
}

}  // namespace

bool CRssFile::WriteAtom(const std::string& path, bool* saved) {
  return atomVersion == 0 ? WriteAtom03(path, saved) : WriteAtom10(path, saved);
}

bool CRssFile::WriteAtom03(const std::string& path, bool* saved) {
  if (saved) *saved = false;
  const std::string target = path.empty() ? GetAtomPath() : path;
  if (target.empty()) return false;

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* feed = document.CreateElement("feed");
  feed->SetAttribute("version", "0.3");
  feed->SetAttribute("xmlns", kAtom03Namespace);
  feed->SetAttribute("xmlns:dc", kDublinCoreNamespace);
  document.AppendChild(feed);

  AddFeedMarkup(*feed, "title", siteTitle);
  AddLink(*feed, "alternate", "text/html", siteUrl);
  AddFeedElement(*feed, "modified", FormatW3cDate(GetLatestItemDate()));
  AddAuthor(*feed, creator);
  AddFeedMarkup(*feed, "tagline", siteDescription);
  const int count = FeedItemCount(*this, atomCount);
  AppendFeedItems(*feed, count, [this](int i) { return MakeAtom03Entry(*GetAt(i)); });

  SaveFeed(document, target, saved);
  return true;
}

bool CRssFile::WriteAtom10(const std::string& path, bool* saved) {
  if (saved) *saved = false;
  const std::string target = path.empty() ? GetAtomPath() : path;
  if (target.empty()) return false;

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* feed = document.CreateElement("feed");
  feed->SetAttribute("xmlns", kAtom10Namespace);
  document.AppendChild(feed);

  AddFeedMarkup(*feed, "title", siteTitle);
  AddLink(*feed, "alternate", "text/html", siteUrl);
  AddLink(*feed, "self", "application/atom+xml", GetAtomSelfUrl());
  AddFeedElement(*feed, "id", FeedUrlText(GetFeedId()));
  AddFeedElement(*feed, "updated", FormatW3cDate(GetLatestItemDate()));
  AddAuthor(*feed, creator);
  AddFeedMarkup(*feed, "subtitle", siteDescription);
  const int count = FeedItemCount(*this, atomCount);
  AppendFeedItems(*feed, count, [this](int i) { return MakeAtom10Entry(*GetAt(i)); });

  SaveFeed(document, target, saved);
  return true;
}

std::string CRssFile::GetFeedId() const {
  if (!feedId.empty()) return feedId;
  std::string host, path;
  SplitUrlHostPath(StripXmlForbiddenChars(siteUrl), host, path);
  path.erase(std::remove(path.begin(), path.end(), '/'), path.end());
  std::string year;
  std::tm tm{};
  if (ToLocalTime(CurrentTime(), tm)) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", tm.tm_year + 1900);
    year = buffer;
  }
  return "tag:" + host + "," + year + ":" + path;
}

std::string CRssFile::GetAtomSelfUrl() const {
  std::string url = siteUrl;
  if (url.empty() || url.back() != '/') url += '/';
  return url + atomFileName;
}
