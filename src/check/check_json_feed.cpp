#include "check/check_json_feed.h"

#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "check/check_dates.h"
#include "check/check_report.h"
#include "check/check_rules.h"
#include "check/check_text.h"
#include "check/check_values.h"
#include "platform/json_depth.h"
#include "platform/text_codec.h"

using nlohmann::json;

namespace {

constexpr const char* kVersion1 = "https://jsonfeed.org/version/1";
constexpr const char* kVersion11 = "https://jsonfeed.org/version/1.1";
// JSON nests at most this deep here; deeper is no feed.
constexpr int kMaxDepth = 64;

class CJsonChecker {
public:
  explicit CJsonChecker(CheckLanguage language) : m_language(language) {}

  void Add(CheckRule rule, const std::string& path, const std::string& arg1 = std::string(),
           const std::string& arg2 = std::string(), int line = 0, int column = 0) {
    CFeedFinding finding;
    finding.severity = RuleText(rule).severity;
    finding.rule = RuleText(rule).name;
    finding.line = line;
    finding.column = column;
    finding.element = Utf8ToAnsi(path);
    finding.message = Utf8ToAnsi(RuleMessage(rule, m_language, arg1, arg2));
    m_findings.push_back(std::move(finding));
  }

  // The member `name` of `object` when it is there and of the right kind; null otherwise (a finding when
  // it is there but of another kind, or missing while required).
  const json* Member(const json& object, const std::string& path, const char* name, json::value_t kind, bool required) {
    const std::string at = path.empty() ? name : path + "." + name;
    auto it = object.find(name);
    if (it == object.end()) {
      if (required) Add(CheckRule::MissingElement, at, at);
      return nullptr;
    }
    const bool match = kind == json::value_t::number_integer ? it->is_number() : it->type() == kind;
    if (!match) {
      Add(CheckRule::JsonType, at, at, KindName(kind));
      return nullptr;
    }
    return &*it;
  }

  void Text(const json& object, const std::string& path, const char* name, bool required = false) {
    Member(object, path, name, json::value_t::string, required);
  }

  void Url(const json& object, const std::string& path, const char* name, bool required = false) {
    if (const json* url = Member(object, path, name, json::value_t::string, required)) {
      if (!IsAbsoluteUrl(url->get_ref<const std::string&>())) Add(CheckRule::RelativeUrl, Join(path, name), url->get<std::string>());
    }
  }

  void Date(const json& object, const std::string& path, const char* name) {
    if (const json* date = Member(object, path, name, json::value_t::string, false)) {
      if (!CheckRfc3339Date(date->get_ref<const std::string&>()).valid) Add(CheckRule::Rfc3339Date, Join(path, name), date->get<std::string>());
    }
  }

  void Author(const json& author, const std::string& path) {
    if (!author.is_object()) {
      Add(CheckRule::JsonType, path, path, "object");
      return;
    }
    Text(author, path, "name");
    Url(author, path, "url");
    Url(author, path, "avatar");
  }

  void Authors(const json& object, const std::string& path) {
    if (const json* author = Member(object, path, "author", json::value_t::object, false)) Author(*author, Join(path, "author"));
    if (const json* authors = Member(object, path, "authors", json::value_t::array, false)) {
      for (std::size_t i = 0; i < authors->size(); ++i) Author((*authors)[i], Index(Join(path, "authors"), i));
    }
  }

  void Attachment(const json& attachment, const std::string& path) {
    if (!attachment.is_object()) {
      Add(CheckRule::JsonType, path, path, "object");
      return;
    }
    Url(attachment, path, "url", true);
    Text(attachment, path, "mime_type", true);
    Text(attachment, path, "title");
    Member(attachment, path, "size_in_bytes", json::value_t::number_integer, false);
    Member(attachment, path, "duration_in_seconds", json::value_t::number_integer, false);
  }

  void Item(const json& item, const std::string& path, std::set<std::string>& ids) {
    if (!item.is_object()) {
      Add(CheckRule::JsonType, path, path, "object");
      return;
    }
    auto id = item.find("id");
    if (id == item.end()) {
      Add(CheckRule::MissingElement, Join(path, "id"), Join(path, "id"));
    } else if (!id->is_string() && !id->is_number()) {
      Add(CheckRule::JsonType, Join(path, "id"), Join(path, "id"), "string");
    } else {
      const std::string key = id->is_string() ? id->get<std::string>() : id->dump();
      if (!ids.insert(key).second) Add(CheckRule::DuplicateValue, Join(path, "id"), key);
    }
    Url(item, path, "url");
    Url(item, path, "external_url");
    if (const json* title = Member(item, path, "title", json::value_t::string, false)) {
      if (title->get_ref<const std::string&>().find_first_not_of(" \t\r\n") == std::string::npos) Add(CheckRule::EmptyTitle, Join(path, "title"));
    }
    Text(item, path, "summary");
    const bool html = Member(item, path, "content_html", json::value_t::string, false) != nullptr;
    const bool text = Member(item, path, "content_text", json::value_t::string, false) != nullptr;
    if (!html && !text && !item.contains("content_html") && !item.contains("content_text")) Add(CheckRule::JsonNoContent, path);
    Url(item, path, "image");
    Url(item, path, "banner_image");
    Date(item, path, "date_published");
    Date(item, path, "date_modified");
    Authors(item, path);
    Language(item, path);
    if (const json* tags = Member(item, path, "tags", json::value_t::array, false)) {
      for (std::size_t i = 0; i < tags->size(); ++i) {
        if (!(*tags)[i].is_string()) Add(CheckRule::JsonType, Index(Join(path, "tags"), i), Index(Join(path, "tags"), i), "string");
      }
    }
    if (const json* attachments = Member(item, path, "attachments", json::value_t::array, false)) {
      for (std::size_t i = 0; i < attachments->size(); ++i) Attachment((*attachments)[i], Index(Join(path, "attachments"), i));
    }
  }

  void Language(const json& object, const std::string& path) {
    if (const json* language = Member(object, path, "language", json::value_t::string, false)) {
      if (!IsLanguageCode(language->get_ref<const std::string&>())) Add(CheckRule::LanguageTag, Join(path, "language"), language->get<std::string>());
    }
  }

  void Feed(const json& feed) {
    if (!feed.is_object()) {
      Add(CheckRule::JsonType, "", "(root)", "object");
      return;
    }
    if (const json* version = Member(feed, "", "version", json::value_t::string, true)) {
      const std::string& text = version->get_ref<const std::string&>();
      if (text != kVersion1 && text != kVersion11) Add(CheckRule::JsonVersion, "version", text);
    }
    Text(feed, "", "title", true);
    Url(feed, "", "home_page_url");
    Url(feed, "", "feed_url");
    Text(feed, "", "description");
    Url(feed, "", "next_url");
    Url(feed, "", "icon");
    Url(feed, "", "favicon");
    Member(feed, "", "expired", json::value_t::boolean, false);
    Authors(feed, "");
    Language(feed, "");
    std::set<std::string> ids;
    if (const json* items = Member(feed, "", "items", json::value_t::array, true)) {
      for (std::size_t i = 0; i < items->size(); ++i) Item((*items)[i], Index("items", i), ids);
    }
  }

  std::vector<CFeedFinding> Take() { return std::move(m_findings); }

private:
  static std::string Join(const std::string& path, const char* name) { return path.empty() ? name : path + "." + name; }
  static std::string Index(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }
  static const char* KindName(json::value_t kind) {
    switch (kind) {
      case json::value_t::string: return "string";
      case json::value_t::array: return "array";
      case json::value_t::object: return "object";
      case json::value_t::boolean: return "boolean";
      default: return "number";
    }
  }

  CheckLanguage m_language;
  std::vector<CFeedFinding> m_findings;
};

// Line and column (1-based, in bytes) of a byte offset.
std::pair<int, int> LineColumn(std::string_view text, std::size_t offset) {
  int line = 1, column = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return {line, column};
}

}  // namespace

bool LooksLikeJson(std::string_view bytes) { return StartsAsJsonObject(bytes); }

CFeedCheckResult CheckJsonFeed(std::string_view bytes, CheckLanguage language) {
  CFeedCheckResult result;
  result.read = true;
  result.format = CheckedFormat::JsonFeed;
  CJsonChecker checker(language);
  const std::string_view text = WithoutUtf8Bom(bytes);
  if (JsonNestsDeeperThan(text, kMaxDepth)) {
    checker.Add(CheckRule::JsonSyntax, "", "nesting deeper than " + std::to_string(kMaxDepth));
    result.findings = checker.Take();
    return result;
  }
  json feed;
  try {
    feed = json::parse(text.begin(), text.end());
  } catch (const json::parse_error& e) {
    const auto [line, column] = LineColumn(text, e.byte > 0 ? e.byte - 1 : 0);
    std::string what = e.what();
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..." keeps only what went wrong.
    if (const std::size_t colon = what.find(": "); colon != std::string::npos) what.erase(0, colon + 2);
    checker.Add(CheckRule::JsonSyntax, "", what, std::string(), line, column);
    result.findings = checker.Take();
    return result;
  }
  result.wellFormed = true;
  checker.Feed(feed);
  result.findings = checker.Take();
  return result;
}
