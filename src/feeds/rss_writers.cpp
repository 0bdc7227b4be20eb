// The RSS 1.0 and RSS 2.0 writers of the project, and WriteRss choosing between them.
#include "feeds/feed_dates.h"
#include "feeds/feed_items.h"
#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "feeds/feed_writer_support.h"
#include "model/rss_file.h"
#include "platform/clock.h"
#include "xml/vxml_document.h"
#include "xml/vxml_element.h"

namespace {

// RSS 1.0 root attributes, in the order written.
constexpr const char* kRss10Attributes[][2] = {
    {"xmlns", "http://purl.org/rss/1.0/"},
    {"xmlns:rdf", "http://www.w3.org/1999/02/22-rdf-syntax-ns#"},
    {"xmlns:dc", "http://purl.org/dc/elements/1.1/"},
    {"xmlns:content", "http://purl.org/rss/1.0/modules/content/"},
    {"xml:lang", "ja"},
};

constexpr const char* kRss20Language = "ja";
constexpr const char* kRss20Docs = "https://www.rssboard.org/rss-specification";
constexpr const char* kGenerator = "VamelRss Ver1.0";

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
  document.AppendChild(root);

  CVXMLElement* channel = AddFeedElement(*root, "channel");
  channel->SetAttribute("rdf:about", FeedAttributeText(project.siteUrl));
  AddFeedMarkup(*channel, "title", project.siteTitle);
  AddFeedElement(*channel, "link", FeedUrlText(project.siteUrl));
  AddFeedMarkup(*channel, "description", project.siteDescription);
  // The table of contents and the items cover the same range, so they always agree.
  const int count = FeedItemCount(project, project.rssCount);
  CVXMLElement* sequence = AddFeedElement(*AddFeedElement(*channel, "items"), "rdf:Seq");
  for (int i = 0; i < count; ++i) {
    AddFeedElement(*sequence, "rdf:li")->SetAttribute("rdf:resource", FeedAttributeText(project.GetAt(i)->url));
  }
  for (int i = 0; i < count; ++i) AppendRss10Item(*root, *project.GetAt(i));

  return SaveFeed(document, target);
}

CFeedWriteResult WriteRss20(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetRssPath() : path;
  if (target.empty()) return CFeedWriteResult();

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* rss = document.CreateElement("rss");
  rss->SetAttribute("version", "2.0");
  document.AppendChild(rss);

  CVXMLElement* channel = AddFeedElement(*rss, "channel");
  AddFeedMarkup(*channel, "title", project.siteTitle);
  AddFeedElement(*channel, "link", FeedUrlText(project.siteUrl));
  AddFeedMarkup(*channel, "description", project.siteDescription);
  AddFeedElement(*channel, "language", kRss20Language);
  AddFeedElement(*channel, "lastBuildDate", FormatRfc822Date(CurrentTime()));
  AddFeedElement(*channel, "pubDate", FormatRfc822Date(project.GetLatestItemDate()));
  AddFeedElement(*channel, "docs", kRss20Docs);
  AddFeedElement(*channel, "generator", kGenerator);
  const int count = FeedItemCount(project, project.rssCount);
  for (int i = 0; i < count; ++i) AppendRss20Item(*channel, *project.GetAt(i));

  return SaveFeed(document, target);
}
