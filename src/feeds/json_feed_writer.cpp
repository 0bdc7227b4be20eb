// The JSON Feed 1.1 writer of the project.
#include <nlohmann/json.hpp>

#include "feeds/char_refs.h"
#include "feeds/feed_dates.h"
#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "feeds/feed_writer_support.h"
#include "feeds/xml_escape.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/checked_file.h"
#include "platform/clock.h"
#include "platform/text_codec.h"

using nlohmann::ordered_json;

namespace {

constexpr const char* kJsonFeedVersion = "https://jsonfeed.org/version/1.1";

// Project text as UTF-8, without the C0 control characters that the XML feeds drop too: a stray one
// would reach readers of this feed alone.
std::string Utf8(const std::string& text) {
  return AnsiToUtf8(HasForbiddenXmlChars(text) ? StripXmlForbiddenChars(text) : text);
}

// A site field is markup text in the XML feeds; JSON Feed holds plain text, so its references are
// decoded, as an XML reader would.
std::string SiteText(const std::string& text) { return Utf8(DecodeCharacterReferences(text, true)); }

std::string Date(TimeValue t) {
  char buffer[kDateBufferSize];
  return std::string(FormatW3cDateInto(t, buffer));
}

// One item: its URL as id and url, the title (when it has one), the text by the RSS description/content mode (the
// content as HTML in mode 2 with its description as summary, else the description as plain text), its
// dates, its category as a tag, its image.
ordered_json Item(const CRssItem& item, bool images) {
  const int mode = CRssFile::rssMode;
  ordered_json object = ordered_json::object();
  const std::string url = Utf8(item.url);
  object["id"] = url;
  object["url"] = url;
  // An item without a title has none in JSON Feed, rather than an empty one.
  if (!item.title.empty()) object["title"] = Utf8(item.title);
  if (mode >= 2 && !item.content.empty()) {
    if (!item.description.empty()) object["summary"] = Utf8(item.description);
    object["content_html"] = Utf8(item.content);
  } else {
    // Every item carries content_html or content_text.
    object["content_text"] = mode >= 1 ? Utf8(item.description) : std::string();
  }
  object["date_published"] = Date(item.published);
  object["date_modified"] = Date(item.date);
  if (!item.category.empty()) object["tags"] = ordered_json::array({Utf8(item.category)});
  if (images && !item.ext.image.empty()) object["image"] = Utf8(item.ext.image);
  return object;
}

}  // namespace

std::string GetJsonFeedUrl(const CRssFile& project) {
  std::string url = project.siteUrl;
  if (url.empty() || url.back() != '/') url += '/';
  return url + project.ext.jsonFileName;
}

std::string JsonFeedText(const CRssFile& project) {
  ordered_json feed = ordered_json::object();
  feed["version"] = kJsonFeedVersion;
  feed["title"] = SiteText(project.siteTitle);
  feed["home_page_url"] = Utf8(project.siteUrl);
  feed["feed_url"] = Utf8(GetJsonFeedUrl(project));
  if (!project.siteDescription.empty()) feed["description"] = SiteText(project.siteDescription);
  feed["language"] = project.ext.language;
  if (!project.ext.siteImage.empty()) feed["icon"] = Utf8(project.ext.siteImage);
  if (!project.ext.siteIcon.empty()) feed["favicon"] = Utf8(project.ext.siteIcon);
  if (!project.creator.empty()) feed["authors"] = ordered_json::array({{{"name", SiteText(project.creator)}}});
  ordered_json items = ordered_json::array();
  for (const CRssItem* item : SelectFeedItems(project, project.ext.jsonCount, CurrentTime())) {
    items.push_back(Item(*item, project.ext.itemImages));
  }
  feed["items"] = std::move(items);
  // UTF-8 as it stands (no \u escapes of non-ASCII); text that is no valid UTF-8 gets U+FFFD.
  return feed.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

CFeedWriteResult WriteJsonFeed(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetJsonPath() : path;
  CFeedWriteResult result;
  if (target.empty()) return result;
  result.value = target;
  try {
    CCheckedFile file;
    file.Open(target, "wb");
    file.Write(JsonFeedText(project));
    file.Close();
  } catch (const CVamelFileException& e) {
    return result.Say(e.GetMessage());
  }
  return result.Done();
}
