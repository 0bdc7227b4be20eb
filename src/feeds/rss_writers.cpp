// The RSS 1.0 and RSS 2.0 writers of the project, and WriteRss choosing between them.
#include "feeds/feed_dates.h"
#include "feeds/feed_items.h"
#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "feeds/feed_writer_support.h"
#include "feeds/podcast_tags.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "xml/vxml_document.h"
#include "xml/vxml_element.h"

namespace {

// RSS 1.0 root attributes, in the order written.
constexpr const char* kRss10Attributes[][2] = {
    {"xmlns", "http://purl.org/rss/1.0/"},
    {"xmlns:rdf", "http://www.w3.org/1999/02/22-rdf-syntax-ns#"},
    {"xmlns:dc", "http://purl.org/dc/elements/1.1/"},
    {"xmlns:content", kContentNamespace},
};

constexpr const char* kAtomNamespace = "http://www.w3.org/2005/Atom";
constexpr const char* kRss20Docs = "https://www.rssboard.org/rss-specification";
constexpr const char* kGenerator = "VamelRss Ver1.0";

// The site's image as RSS knows it: its address, with the site's title and link.
void AddImageParts(CVXMLElement& image, const CRssFile& project) {
  AddFeedMarkup(image, "title", project.siteTitle);
  AddFeedElement(image, "url", FeedUrlText(project.ext.siteImage));
  AddFeedElement(image, "link", FeedUrlText(project.siteUrl));
}

}  // namespace

CFeedWriteResult WriteRss(const CRssFile& project, const std::string& path) {
  return project.rssVersion == 0 ? WriteRss10(project, path) : WriteRss20(project, path);
}

CFeedWriteResult WriteRss10(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetRssPath() : path;
  if (target.empty()) return CFeedWriteResult();

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* root = document.CreateElement("rdf:RDF");
  for (const auto& attribute : kRss10Attributes) root->SetAttribute(attribute[0], attribute[1]);
  root->SetAttribute("xml:lang", project.ext.language);
  document.AppendChild(root);

  const CFeedItemStyle style = FeedItemStyle(project);
  const bool withImage = !project.ext.siteImage.empty();
  CVXMLElement* channel = AddFeedElement(*root, "channel");
  channel->SetAttribute("rdf:about", FeedAttributeText(project.channelAbout.empty() ? project.siteUrl : project.channelAbout));
  AddFeedMarkup(*channel, "title", project.siteTitle);
  AddFeedElement(*channel, "link", FeedUrlText(project.siteUrl));
  AddFeedMarkup(*channel, "description", project.siteDescription);
  // Readers take a channel's language from Dublin Core; the classic feed names it only in xml:lang.
  if (project.ext.language != kDefaultFeedLanguage) AddFeedElement(*channel, "dc:language", project.ext.language);
  if (withImage) AddFeedElement(*channel, "image")->SetAttribute("rdf:resource", FeedAttributeText(project.ext.siteImage));
  // The table of contents and the items are the same selection, so they always agree.
  const std::vector<const CRssItem*> items = SelectFeedItems(project, project.rssCount, CurrentTime());
  CVXMLElement* sequence = AddFeedElement(*AddFeedElement(*channel, "items"), "rdf:Seq");
  for (const CRssItem* item : items) {
    AddFeedElement(*sequence, "rdf:li")->SetAttribute("rdf:resource", FeedAttributeText(item->url));
  }
  if (withImage) {
    CVXMLElement* image = AddFeedElement(*root, "image");
    image->SetAttribute("rdf:about", FeedAttributeText(project.ext.siteImage));
    AddImageParts(*image, project);
  }
  for (const CRssItem* item : items) AppendRss10Item(*root, *item, style);

  return SaveFeed(document, target);
}

CFeedWriteResult WriteRss20(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetRssPath() : path;
  if (target.empty()) return CFeedWriteResult();

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* rss = document.CreateElement("rss");
  rss->SetAttribute("version", "2.0");
  // The namespaces of the extensions switched on; a classic feed has none.
  const CFeedItemStyle style = FeedItemStyle(project);
  if (style.fullText) rss->SetAttribute("xmlns:content", kContentNamespace);
  if (project.ext.selfLinks || !project.ext.websubHubs.empty()) rss->SetAttribute("xmlns:atom", kAtomNamespace);
  if (style.images) rss->SetAttribute("xmlns:media", kMediaNamespace);
  if (style.podcast) DeclarePodcastNamespaces(*rss);
  document.AppendChild(rss);

  const TimeValue now = CurrentTime();
  CVXMLElement* channel = AddFeedElement(*rss, "channel");
  AddFeedMarkup(*channel, "title", project.siteTitle);
  AddFeedElement(*channel, "link", FeedUrlText(project.siteUrl));
  if (project.ext.selfLinks) {
    CVXMLElement* self = AddFeedElement(*channel, "atom:link");
    self->SetAttribute("href", FeedAttributeText(GetRssSelfUrl(project)));
    self->SetAttribute("rel", "self");
    self->SetAttribute("type", "application/rss+xml");
  }
  for (const std::string& hub : project.ext.websubHubs) {
    CVXMLElement* link = AddFeedElement(*channel, "atom:link");
    link->SetAttribute("href", FeedAttributeText(hub));
    link->SetAttribute("rel", "hub");
  }
  AddFeedMarkup(*channel, "description", project.siteDescription);
  AddFeedElement(*channel, "language", project.ext.language);
  AddFeedElement(*channel, "lastBuildDate", FormatRfc822Date(now));
  AddFeedElement(*channel, "pubDate", FormatRfc822Date(project.GetLatestFeedItemDate(now)));
  AddFeedElement(*channel, "docs", kRss20Docs);
  AddFeedElement(*channel, "generator", kGenerator);
  if (!project.ext.siteImage.empty()) AddImageParts(*AddFeedElement(*channel, "image"), project);
  if (style.podcast) AppendPodcastChannelTags(*channel, project);
  for (const CRssItem* item : SelectFeedItems(project, project.rssCount, now)) AppendRss20Item(*channel, *item, style);

  return SaveFeed(document, target);
}
