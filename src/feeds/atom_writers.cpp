// The Atom 0.3 and Atom 1.0 writers of the project, WriteAtom choosing between them, and the feed's id
// and self address.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "feeds/feed_dates.h"
#include "feeds/feed_items.h"
#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "feeds/feed_writer_support.h"
#include "platform/url_parts.h"
#include "feeds/xml_escape.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
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

// A language other than the default is declared for the whole feed too (the content always names it).
void SetFeedLanguage(CVXMLElement& feed, const CRssFile& project) {
  if (project.ext.language != kDefaultFeedLanguage) feed.SetAttribute("xml:lang", project.ext.language);
}

}  // namespace

CFeedWriteResult WriteAtom(const CRssFile& project, const std::string& path) {
  return project.atomVersion == 0 ? WriteAtom03(project, path) : WriteAtom10(project, path);
}

CFeedWriteResult WriteAtom03(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetAtomPath() : path;
  if (target.empty()) return CFeedWriteResult();

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* feed = document.CreateElement("feed");
  feed->SetAttribute("version", "0.3");
  feed->SetAttribute("xmlns", kAtom03Namespace);
  feed->SetAttribute("xmlns:dc", kDublinCoreNamespace);
  SetFeedLanguage(*feed, project);
  document.AppendChild(feed);

  const CFeedItemStyle style = FeedItemStyle(project);
  const TimeValue now = CurrentTime();
  AddFeedMarkup(*feed, "title", project.siteTitle);
  AddLink(*feed, "alternate", "text/html", project.siteUrl);
  AddFeedElement(*feed, "modified", FormatW3cDate(project.GetLatestFeedItemDate(now)));
  AddAuthor(*feed, project.creator);
  AddFeedMarkup(*feed, "tagline", project.siteDescription);
  for (const CRssItem* item : SelectFeedItems(project, project.atomCount, now)) AppendAtom03Entry(*feed, *item, style);

  return SaveFeed(document, target);
}

CFeedWriteResult WriteAtom10(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetAtomPath() : path;
  if (target.empty()) return CFeedWriteResult();

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* feed = document.CreateElement("feed");
  feed->SetAttribute("xmlns", kAtom10Namespace);
  const CFeedItemStyle style = FeedItemStyle(project);
  if (style.images) feed->SetAttribute("xmlns:media", kMediaNamespace);
  SetFeedLanguage(*feed, project);
  document.AppendChild(feed);

  const TimeValue now = CurrentTime();
  AddFeedMarkup(*feed, "title", project.siteTitle);
  AddLink(*feed, "alternate", "text/html", project.siteUrl);
  AddLink(*feed, "self", "application/atom+xml", GetAtomSelfUrl(project));
  for (const std::string& hub : project.ext.websubHubs) {
    CVXMLElement* link = AddFeedElement(*feed, "link");
    link->SetAttribute("rel", "hub");
    link->SetAttribute("href", FeedAttributeText(hub));
  }
  AddFeedElement(*feed, "id", FeedUrlText(GetFeedId(project)));
  AddFeedElement(*feed, "updated", FormatW3cDate(project.GetLatestFeedItemDate(now)));
  AddAuthor(*feed, project.creator);
  AddFeedMarkup(*feed, "subtitle", project.siteDescription);
  if (!project.ext.siteIcon.empty()) AddFeedElement(*feed, "icon", FeedUrlText(project.ext.siteIcon));
  if (!project.ext.siteImage.empty()) AddFeedElement(*feed, "logo", FeedUrlText(project.ext.siteImage));
  for (const CRssItem* item : SelectFeedItems(project, project.atomCount, now)) AppendAtom10Entry(*feed, *item, style);

  return SaveFeed(document, target);
}

std::string GetFeedId(const CRssFile& project) {
  if (!project.feedId.empty()) return project.feedId;
  std::string host, path;
  SplitUrlHostPath(StripXmlForbiddenChars(project.siteUrl), host, path);
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

std::string GetAtomSelfUrl(const CRssFile& project) { return PublishedUrl(project, project.atomFileName); }

std::string GetRssSelfUrl(const CRssFile& project) { return PublishedUrl(project, project.rssFileName); }

std::string PublishedUrl(const CRssFile& project, const std::string& fileName) {
  std::string url = project.siteUrl;
  if (url.empty() || url.back() != '/') url += '/';
  return url + fileName;
}
