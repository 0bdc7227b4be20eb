// The JSON Feed writer against golden files and real readers (python3-jsonschema with a JSON Feed 1.1
// schema of our own, jq, our checker; Debian's python3-feedparser 6.0 reads no JSON Feed), and the checker's JSON Feed rules.
#include <cstdlib>

#include "check/feed_check.h"
#include "feeds/feed_test_support.h"
#include "platform/text_codec.h"
#include "support/test_env.h"

namespace {

class JsonFeed : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kWriterNow);
    CRssFile::rssMode = 2;
  }

  std::string Write(const CRssFile& project, const std::string& name) {
    const std::string path = TempPath(name);
    EXPECT_TRUE(WriteJsonFeed(project, path).Ok());
    return path;
  }
};

void SampleJson(CRssFile& p) {
  BuildSampleProject(p);
  p.ext.jsonCount = 4;
}

void ExtendedJson(CRssFile& p) {
  BuildExtendedProject(p);
  p.ext.jsonCount = 4;
}

CFeedCheckOptions EnglishOptions() {
  CFeedCheckOptions options;
  options.language = CheckLanguage::English;
  return options;
}

TEST_F(JsonFeed, WriterMatchesGoldenFilesThatTheSchemaJqAndTheCheckerAccept) {
  ScopedTimeZone tz("Asia/Tokyo");
  const bool update = std::getenv("VAMELRSS_UPDATE_GOLDEN") != nullptr;
  struct Case {
    const char* name;
    void (*build)(CRssFile&);
    int mode;
  } cases[] = {{"sample_json_mode2.json", SampleJson, 2}, {"sample_json_mode1.json", SampleJson, 1}, {"extended_json.json", ExtendedJson, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CRssFile project;
    c.build(project);
    CRssFile::rssMode = c.mode;
    const std::string written = ReadFile(Write(project, c.name));
    if (update) WriteFile(GoldenPath(c.name), written);
    EXPECT_EQ(written, ReadFile(GoldenPath(c.name)));
    const std::string golden = GoldenPath(c.name);
    EXPECT_EQ(JsonFeedSchemaProblems(golden), "");
    std::string out;
    // Shape: UTF-8 as it stands (no \u escapes of Japanese text), ids unique, every item with content.
    EXPECT_EQ(RunCommand("jq -e '(.items | map(.id) | unique | length) == (.items | length) and "
                         "all(.items[]; has(\"content_html\") or has(\"content_text\"))' '" + golden + "' 2>&1", &out), 0) << out;
    EXPECT_EQ(written.find("\\u30"), std::string::npos);
    // The checker finds nothing wrong.
    const CFeedCheckResult check = CheckFeedFile(golden);
    EXPECT_EQ(check.format, CheckedFormat::JsonFeed);
    EXPECT_EQ(check.ErrorCount() + check.WarningCount(), 0) << (check.findings.empty() ? "" : check.findings[0].message);
    // What jq reads back: the site's title as text, the items in order with their links, titles and tags.
    EXPECT_EQ(RunCommand("jq -r '.title, (.items | length), .items[0].url, .items[0].title, .items[0].tags[0]' '" + golden + "'", &out), 0);
    const int expected = c.build == ExtendedJson ? 3 : 4;
    EXPECT_EQ(out, U(J("ヴァメル日記 & メモ\n")) + std::to_string(expected) + "\nhttps://example.jp/diary/0102.html\n" +
                       U(J("新年のご挨拶\n日記\n")));
  }
}

TEST_F(JsonFeed, LimitAndKeptOutItemsAndTheDefaultsLeaveTheProjectClassic) {
  CRssFile project;
  BuildExtendedProject(project);
  project.ext.jsonCount = 1;
  nlohmann::json feed = nlohmann::json::parse(JsonFeedText(project));
  ASSERT_EQ(feed["items"].size(), 1u);
  project.ext.jsonCount = -1;  // negative: every item the feeds carry (items 1 and 3 are kept out)
  feed = nlohmann::json::parse(JsonFeedText(project));
  ASSERT_EQ(feed["items"].size(), 3u);
  EXPECT_EQ(feed["items"][0]["image"], "https://example.jp/img/0102.jpg?w=640&h=480");
  EXPECT_EQ(feed["feed_url"], "https://example.jp/diary/feed.json");
  EXPECT_EQ(feed["icon"], "https://example.jp/img/logo.png");
  EXPECT_EQ(feed["favicon"], "https://example.jp/favicon.ico");
  EXPECT_EQ(feed["language"], "en-US");
  EXPECT_FALSE(feed.contains("hubs"));
  // WebSub hubs are named as JSON Feed 1.1 names them, and the schema still accepts the feed.
  project.ext.websubHubs = {"https://hub.example.jp/", "http://hub2.example.jp/?a=1&b=2"};
  const std::string withHubs = JsonFeedText(project);
  feed = nlohmann::json::parse(withHubs);
  EXPECT_EQ(feed["hubs"], nlohmann::json::parse(R"([{"type":"WebSub","url":"https://hub.example.jp/"},
      {"type":"WebSub","url":"http://hub2.example.jp/?a=1&b=2"}])"));
  const std::string path = TempPath("hubs.json");
  WriteFile(path, withHubs);
  EXPECT_EQ(JsonFeedSchemaProblems(path), "");
  EXPECT_EQ(CheckFeedFile(path).ErrorCount(), 0);
  // Nothing of the JSON Feed differs from the defaults: the extension block stays away.
  CRssFile classic;
  EXPECT_TRUE(classic.ext.IsDefault());
  classic.ext.jsonCount = 5;
  EXPECT_FALSE(classic.ext.IsDefault());
}

// A feed of several megabytes goes to the file in pieces: the same bytes as the text made at once.
TEST_F(JsonFeed, ALargeFeedIsWrittenInPiecesWithTheSameBytes) {
  CRssFile project;
  BuildSampleProject(project);
  project.ext.jsonCount = -1;
  for (int i = 0; i < 6000; ++i) {
    auto item = std::make_unique<CRssItem>(1136163784 + i);
    item->url = "https://example.jp/diary/" + std::to_string(i) + ".html";
    item->title = J("記事 ") + std::to_string(i);
    item->content = std::string(300, 'x') + J("本文");
    project.Add(std::move(item));
  }
  const std::string text = JsonFeedText(project);
  ASSERT_GT(text.size(), 2u << 20);
  EXPECT_EQ(ReadFile(Write(project, "large.json")), text);
  EXPECT_EQ(nlohmann::json::parse(text)["items"].size(), 6005u);
}

TEST_F(JsonFeed, CheckerNamesWhatIsWrongByMemberPath) {
  const std::string bad = R"({"version":"https://jsonfeed.org/version/2","home_page_url":"/relative",
    "items":[{"id":"a","title":" ","date_published":"2024-01-02 03:04:05"},{"id":"a","content_text":"x","tags":[1]},{"content_html":3}]})";
  const CFeedCheckResult result = CheckFeedBytes(bad, EnglishOptions());
  EXPECT_EQ(result.format, CheckedFormat::JsonFeed);
  std::vector<std::string> seen;
  for (const CFeedFinding& f : result.findings) seen.push_back(f.rule + " " + f.element);
  const std::vector<std::string> expected = {
      "json-version version",           "missing-element title",      "relative-url home_page_url",
      "empty-title items[0].title",     "json-no-content items[0]",   "rfc3339-date items[0].date_published", "duplicate-value items[1].id",
      "json-type items[1].tags[0]",     "missing-element items[2].id", "json-type items[2].content_html",
  };
  EXPECT_EQ(seen, expected);
  const CFeedCheckResult broken = CheckFeedBytes("{\n  \"version\": ,\n}");
  ASSERT_EQ(broken.findings.size(), 1u);
  EXPECT_EQ(broken.findings[0].rule, "json-syntax");
  EXPECT_EQ(broken.findings[0].line, 2);
}

}  // namespace
