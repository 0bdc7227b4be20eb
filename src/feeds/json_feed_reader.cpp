#include "feeds/json_feed_reader.h"

#include <cstdio>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "feeds/feed_dates.h"
#include "feeds/feed_reader.h"
#include "model/rss_file.h"
#include "platform/checked_file.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/json_depth.h"
#include "platform/text_codec.h"

using nlohmann::json;

namespace {

constexpr const char* kVersionPrefix = "https://jsonfeed.org/version/1";
// Feeds nest a few levels; deeper text is no feed.
constexpr int kMaxDepth = 64;
// How much of a file's start decides whether it is JSON.
constexpr std::size_t kSniffBytes = 4096;

// A string member as internal text; false when it is absent or not a string.
bool Text(const json& object, const char* name, std::string& out) {
  auto it = object.find(name);
  if (it == object.end() || !it->is_string()) return false;
  out = Utf8ToAnsi(it->get_ref<const std::string&>());
  return true;
}

std::string TextOr(const json& object, const char* name) {
  std::string out;
  Text(object, name, out);
  return out;
}

TimeValue Date(const json& object, const char* name) {
  std::string text;
  return Text(object, name, text) ? ParseW3cDate(text) : 0;
}

// The first author's name: version 1.1 "authors", version 1 "author".
bool AuthorName(const json& feed, std::string& out) {
  auto authors = feed.find("authors");
  if (authors != feed.end() && authors->is_array() && !authors->empty() && authors->front().is_object()) {
    return Text(authors->front(), "name", out);
  }
  auto author = feed.find("author");
  return author != feed.end() && author->is_object() && Text(*author, "name", out);
}

std::unique_ptr<CRssItem> Item(const json& object, TimeValue now) {
  const TimeValue published = Date(object, "date_published");
  auto item = std::make_unique<CRssItem>(published != 0 ? published : now);
  if (!Text(object, "url", item->url)) {
    // The id is the item's address in most feeds; a number is no address.
    auto id = object.find("id");
    if (id != object.end() && id->is_string()) item->url = Utf8ToAnsi(id->get_ref<const std::string&>());
  }
  item->title = TextOr(object, "title");
  if (!Text(object, "summary", item->description)) item->description = TextOr(object, "content_text");
  item->content = TextOr(object, "content_html");
  if (const TimeValue modified = Date(object, "date_modified"); modified != 0) item->date = modified;
  else if (published != 0) item->date = published;
  auto tags = object.find("tags");
  if (tags != object.end() && tags->is_array() && !tags->empty() && tags->front().is_string()) {
    item->category = Utf8ToAnsi(tags->front().get_ref<const std::string&>());
  }
  item->ext.image = TextOr(object, "image");
  return item;
}

}  // namespace

bool IsJsonFeedFile(const std::string& path) {
  std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (!file) return false;
  char head[kSniffBytes];
  const std::size_t read = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  return StartsAsJsonObject(std::string_view(head, read));
}

CResult<> ReadJsonFeed(CRssFile& project, const std::string& path) {
  std::string bytes;
  int error = 0;
  if (!ReadFileBytes(path, bytes, error, kMaxJsonFeedBytes)) {
    return Failure(CCheckedFile::OpenFailedText() + ":" + path);
  }
  if (bytes.size() > kMaxJsonFeedBytes) return CResult<>();
  return ReadJsonFeedBytes(project, path, bytes);
}

CResult<> ReadJsonFeedBytes(CRssFile& project, const std::string& path, std::string_view bytes) {
  CResult<> result;
  bytes = WithoutUtf8Bom(bytes);
  if (bytes.size() > kMaxJsonFeedBytes || JsonNestsDeeperThan(bytes, kMaxDepth)) return result;
  const json feed = json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (feed.is_discarded() || !feed.is_object()) return result;
  auto version = feed.find("version");
  if (version == feed.end() || !version->is_string()) return result;
  const std::string& versionText = version->get_ref<const std::string&>();
  if (versionText.rfind(kVersionPrefix, 0) != 0) return result;
  auto items = feed.find("items");
  if (items == feed.end() || !items->is_array()) return result;

  const TimeValue now = CurrentTime();
  std::vector<std::unique_ptr<CRssItem>> read;
  read.reserve(items->size());
  for (const json& item : *items) {
    if (item.is_object()) read.push_back(Item(item, now));
  }

  const std::string fullPath = AbsoluteFeedPath(path);
  project.localFolder = FolderOf(fullPath);
  project.ext.jsonFileName = NameOf(fullPath);
  project.sourceKind = kFeedJson;
  std::string text;
  if (Text(feed, "title", text)) project.siteTitle = text;
  if (Text(feed, "home_page_url", text)) project.siteUrl = text;
  if (Text(feed, "description", text)) project.siteDescription = text;
  if (AuthorName(feed, text)) project.creator = text;
  if (Text(feed, "language", text) && IsLanguageTag(text)) project.ext.language = text;
  project.Reserve(project.GetSize() + static_cast<int>(read.size()));
  for (auto& item : read) project.Add(std::move(item));
  return result.Done();
}
