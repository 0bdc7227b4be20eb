// The RSS 1.0 and RSS 2.0 writers of the project, and WriteRss choosing between them.
#include "feeds/feed_dates.h"
#include "feeds/feed_items.h"
#include "feeds/feed_text.h"
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

bool CRssFile::WriteRss(const std::string& path, bool* saved) {
  return rssVersion == 0 ? WriteRss10(path, saved) : WriteRss20(path, saved);
}

bool CRssFile::WriteRss10(const std::string& path, bool* saved) {
  if (saved) *saved = false;
  const std::string target = path.empty() ? GetRssPath() : path;
  if (target.empty()) return false;

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* root = document.CreateElement("rdf:RDF");
  for (const auto& attribute : kRss10Attributes) root->SetAttribute(attribute[0], attribute[1]);
  document.AppendChild(root);

  CVXMLElement* channel = AddFeedElement(*root, "channel");
  channel->SetAttribute("rdf:about", FeedAttributeText(siteUrl));
  AddFeedMarkup(*channel, "title", siteTitle);
  AddFeedElement(*channel, "link", FeedUrlText(siteUrl));
  AddFeedMarkup(*channel, "description", siteDescription);
  // The table of contents and the items cover the same range, so they always agree.
  const int count = FeedItemCount(*this, rssCount);
  CVXMLElement* sequence = AddFeedElement(*AddFeedElement(*channel, "items"), "rdf:Seq");
  for (int i = 0; i < count; ++i) {
    AddFeedElement(*sequence, "rdf:li")->SetAttribute("rdf:resource", FeedAttributeText(GetAt(i)->url));
  }
  AppendFeedItems(*root, count, [this](int i) { return MakeRss10Item(*GetAt(i)); });

  SaveFeed(document, target, saved);
  return true;
}

bool CRssFile::WriteRss20(const std::string& path, bool* saved) {
  if (saved) *saved = false;
  const std::string target = path.empty() ? GetRssPath() : path;
  if (target.empty()) return false;

  CVXMLDocument document(kFeedOptions);
  CVXMLElement* rss = document.CreateElement("rss");
  rss->SetAttribute("version", "2.0");
  document.AppendChild(rss);

  CVXMLElement* channel = AddFeedElement(*rss, "channel");
  AddFeedMarkup(*channel, "title", siteTitle);
  AddFeedElement(*channel, "link", FeedUrlText(siteUrl));
  AddFeedMarkup(*channel, "description", siteDescription);
  AddFeedElement(*channel, "language", kRss20Language);
  AddFeedElement(*channel, "lastBuildDate", FormatRfc822Date(CurrentTime()));
  AddFeedElement(*channel, "pubDate", FormatRfc822Date(GetLatestItemDate()));
  AddFeedElement(*channel, "docs", kRss20Docs);
  AddFeedElement(*channel, "generator", kGenerator);
  const int count = FeedItemCount(*this, rssCount);
  AppendFeedItems(*channel, count, [this](int i) { return MakeRss20Item(*GetAt(i)); });

  SaveFeed(document, target, saved);
  return true;
}
