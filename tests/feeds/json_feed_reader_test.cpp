// The JSON Feed reader: what the writer wrote comes back, text that code page 932 cannot hold survives,
// version 1 is read, and what is no JSON Feed leaves the project as it was.
#include <string>

#include "feeds/feed_reader.h"
#include "feeds/feed_writers.h"
#include "feeds/json_feed_reader.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "support/test_env.h"

namespace {

class JsonFeedReader : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    CRssFile::rssMode = 2;
  }
};

}  // namespace

TEST_F(JsonFeedReader, ReaderTakesBackWhatTheWriterWroteWithTextCodePage932CannotHold) {
  CRssFile project;
  project.siteTitle = "Small";
  project.siteUrl = "https://example.com/";
  project.siteDescription = "A small feed";
  project.creator = "Kim";
  auto added = std::make_unique<CRssItem>(1136163784);
  added->published = 1136041200;
  added->url = "https://example.com/2006/01/new-year.html";
  added->description = "Greetings";
  added->category = "News";
  added->content = "<p>Hello</p>";
  project.Add(std::move(added));
  project.GetAt(0)->title = Utf8ToAnsi("Caf\xC3\xA9 \xF0\x9F\x8D\xA3 \xE3\x81\x82");  // é, sushi, あ
  project.GetAt(0)->ext.image = "https://example.com/i.png";
  project.ext.itemImages = true;
  project.ext.language = "en";
  const std::string path = TempPath("round.json");
  ASSERT_TRUE(WriteJsonFeed(project, path).Ok());
  CRssFile read;
  ASSERT_TRUE(ReadFeed(read, path).Ok());
  EXPECT_EQ(read.sourceKind, kFeedJson);
  EXPECT_EQ(read.ext.jsonFileName, "round.json");
  EXPECT_EQ(read.siteTitle, project.siteTitle);
  EXPECT_EQ(read.siteUrl, project.siteUrl);
  EXPECT_EQ(read.siteDescription, project.siteDescription);
  EXPECT_EQ(read.creator, project.creator);
  EXPECT_EQ(read.ext.language, "en");
  ASSERT_EQ(read.GetSize(), 1);
  const CRssItem& a = *project.GetAt(0);
  const CRssItem& b = *read.GetAt(0);
  EXPECT_EQ(b.title, a.title);
  EXPECT_EQ(AnsiToUtf8(b.title), "Caf\xC3\xA9 \xF0\x9F\x8D\xA3 \xE3\x81\x82");
  EXPECT_EQ(b.url, a.url);
  EXPECT_EQ(b.description, a.description);
  EXPECT_EQ(b.content, a.content);
  EXPECT_EQ(b.category, a.category);
  EXPECT_EQ(b.date, a.date);
  EXPECT_EQ(b.published, a.published);
  EXPECT_EQ(b.ext.image, a.ext.image);
}

TEST_F(JsonFeedReader, ReaderTakesVersion1AndRefusesWhatIsNoJsonFeed) {
  const std::string v1 = R"({"version":"https://jsonfeed.org/version/1","title":"T","author":{"name":"A"},
    "items":[{"id":"https://e.com/1","content_text":"text only","tags":["x","y"]},{"id":7,"content_html":"<p>h</p>"},"junk"]})";
  CRssFile project;
  ASSERT_TRUE(ReadJsonFeedBytes(project, TempPath("v1.json"), v1).Ok());
  EXPECT_EQ(project.creator, "A");
  ASSERT_EQ(project.GetSize(), 2);
  EXPECT_EQ(project.GetAt(0)->url, "https://e.com/1");
  EXPECT_EQ(project.GetAt(0)->description, "text only");
  EXPECT_EQ(project.GetAt(0)->category, "x");
  EXPECT_EQ(project.GetAt(1)->url, "");
  EXPECT_EQ(project.GetAt(1)->content, "<p>h</p>");

  const std::string hostile[] = {
      "",
      "{",
      "[]",
      R"({"version":"https://example.com/other","items":[]})",
      R"({"version":"https://jsonfeed.org/version/1.1","items":{}})",
      R"({"version":"https://jsonfeed.org/version/1.1","title":"\xFF","items":[]})",
      std::string(100000, '[') + std::string(100000, ']'),
      R"({"version":"https://jsonfeed.org/version/1.1","items":[)" + std::string(10000, '{') + "]}",
  };
  for (const std::string& bytes : hostile) {
    CRssFile untouched;
    untouched.siteTitle = "kept";
    EXPECT_FALSE(ReadJsonFeedBytes(untouched, TempPath("bad.json"), bytes).Ok()) << bytes.substr(0, 60);
    EXPECT_EQ(untouched.siteTitle, "kept");
    EXPECT_EQ(untouched.GetSize(), 0);
  }
}

