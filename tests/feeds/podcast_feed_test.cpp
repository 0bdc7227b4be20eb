// A podcast project's feeds: the RSS 2.0 and Atom 1.0 golden files, what python3-feedparser reads from
// them (enclosures, the itunes: tags, the podcast:guid against Python's own UUID version 5), and the
// JSON Feed's attachments against the JSON Feed 1.1 schema.
#include <cstdlib>

#include "feeds/feed_test_support.h"
#include "feeds/podcast_tags.h"
#include "model/podcast_categories.h"
#include "support/test_env.h"

namespace {

// Two episodes and one plain item: every podcast setting and every episode value, and an enclosure whose
// URL and the author needing escapes.
void BuildPodcastProject(CRssFile& project) {
  BuildSmallProject(project);
  project.siteUrl = "https://example.com/radio/";
  project.rssFileName = "podcast.xml";
  project.atomFileName = "atom.xml";
  project.ext.podcast = true;
  project.ext.podcastAuthor = "Kim & Lee";
  project.ext.podcastOwnerEmail = "owner@example.com";
  project.ext.podcastCategory = "Health & Fitness/Mental Health";
  project.ext.podcastExplicit = kPodcastNo;
  project.ext.podcastImage = "https://example.com/radio/art.jpg";
  project.ext.podcastType = "serial";
  project.ext.podcastLocked = true;
  project.ext.jsonCount = 5;
  CRssItem& first = *project.GetAt(0);
  first.ext.enclosure = {"https://example.com/radio/ep2.mp3?a=1&b=2", 5650889, "audio/mpeg", 3725};
  first.ext.episode = 2;
  first.ext.season = 1;
  first.ext.episodeType = "full";
  first.ext.image = "https://example.com/radio/ep2.jpg";
  auto second = std::make_unique<CRssItem>(1136000000);
  second->url = "https://example.com/radio/trailer.html";
  second->title = "Trailer";
  second->description = "What comes";
  second->published = 1136000000;
  second->ext.enclosure = {"https://example.com/radio/trailer.m4a", 120000, "audio/x-m4a", 0};
  second->ext.episodeType = "trailer";
  project.Add(std::move(second));
  auto plain = std::make_unique<CRssItem>(1135000000);
  plain->url = "https://example.com/radio/notes.html";
  plain->title = "Notes";
  plain->description = "No episode";
  plain->published = 1135000000;
  project.Add(std::move(plain));
}

class PodcastFeed : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kWriterNow);
    CRssFile::rssMode = 1;
    CRssFile::atomMode = 1;
  }
};

TEST_F(PodcastFeed, GoldenFilesAndWhatFeedparserReads) {
  ScopedTimeZone tz("Asia/Tokyo");
  const bool update = std::getenv("VAMELRSS_UPDATE_GOLDEN") != nullptr;
  CRssFile project;
  BuildPodcastProject(project);
  for (FeedFormat format : {FeedFormat::Rss20, FeedFormat::Atom10}) {
    const std::string name = std::string("podcast_") + FormatName(format) + ".xml";
    SCOPED_TRACE(name);
    const std::string path = TempPath(name);
    ASSERT_TRUE(WriteFeed(project, format, path).Ok());
    if (update) WriteFile(GoldenPath(name), ReadFile(path));
    EXPECT_EQ(ReadFile(path), ReadFile(GoldenPath(name)));
  }

  // feedparser: the enclosures with their lengths and types in both formats; the itunes: tags and the
  // podcast:guid in RSS 2.0, the GUID computed by Python's uuid module from the feed URL without scheme.
  std::string out;
  const std::string script = std::string(VAMELRSS_SOURCE_DIR) + "/tests/support/podcast_fields.py";
  ASSERT_EQ(RunCommand("/usr/bin/python3 '" + script + "' '" + GoldenPath("podcast_rss20.xml") + "' 2>&1", &out), 0) << out;
  nlohmann::json rss = nlohmann::json::parse(out);
  EXPECT_EQ(rss["bozo"], 0) << rss["error"];
  EXPECT_EQ(rss["author"], "Kim & Lee");
  EXPECT_EQ(rss["owner"], nlohmann::json::parse(R"({"name": "Kim & Lee", "email": "owner@example.com"})"));
  EXPECT_EQ(rss["image"], "https://example.com/radio/art.jpg");
  EXPECT_EQ(rss["categories"], nlohmann::json::parse(R"([["Health & Fitness", "Mental Health"]])"));
  EXPECT_EQ(rss["explicit"], "false");
  EXPECT_EQ(rss["guid"], rss["expected_guid"]);
  EXPECT_EQ(rss["expected_guid"], PodcastGuid("https://example.com/radio/podcast.xml"));
  EXPECT_EQ(rss["locked"], "yes");
  EXPECT_EQ(rss["entries"], nlohmann::json::parse(R"([
      {"enclosures": [{"href": "https://example.com/radio/ep2.mp3?a=1&b=2", "length": "5650889", "type": "audio/mpeg"}],
       "duration": "3725", "episode": "2", "season": "1", "episode_type": "full", "image": "https://example.com/radio/ep2.jpg"},
      {"enclosures": [{"href": "https://example.com/radio/trailer.m4a", "length": "120000", "type": "audio/x-m4a"}],
       "duration": null, "episode": null, "season": null, "episode_type": "trailer", "image": null},
      {"enclosures": [], "duration": null, "episode": null, "season": null, "episode_type": null, "image": null}])"));

  ASSERT_EQ(RunCommand("/usr/bin/python3 '" + script + "' '" + GoldenPath("podcast_atom10.xml") + "' 2>&1", &out), 0) << out;
  nlohmann::json atom = nlohmann::json::parse(out);
  EXPECT_EQ(atom["bozo"], 0) << atom["error"];
  ASSERT_EQ(atom["entries"].size(), 3u);
  EXPECT_EQ(atom["entries"][0]["enclosures"], rss["entries"][0]["enclosures"]);
  EXPECT_EQ(atom["entries"][1]["enclosures"], rss["entries"][1]["enclosures"]);
  EXPECT_EQ(atom["entries"][2]["enclosures"], nlohmann::json::array());
  // Atom has no itunes: tags.
  EXPECT_EQ(atom["entries"][0]["duration"], nullptr);
}

// The GUID of the podcast namespace's own example, and the URL forms that give the same GUID.
TEST_F(PodcastFeed, GuidOfTheFeedUrlWithoutSchemeAndTrailingSlashes) {
  EXPECT_EQ(PodcastGuid("https://podnews.net/rss"), "9b024349-ccf0-5f69-a609-6b82873eab3c");
  EXPECT_EQ(PodcastGuid("http://podnews.net/rss//"), "9b024349-ccf0-5f69-a609-6b82873eab3c");
  EXPECT_NE(PodcastGuid("https://podnews.net/rss2"), PodcastGuid("https://podnews.net/rss"));
}

TEST_F(PodcastFeed, JsonFeedAttachmentsMatchTheSchema) {
  CRssFile project;
  BuildPodcastProject(project);
  project.GetAt(1)->ext.enclosure.type.clear();  // a type not known: JSON Feed requires one all the same
  const std::string path = TempPath("podcast.json");
  ASSERT_TRUE(WriteJsonFeed(project, path).Ok());
  const nlohmann::json feed = nlohmann::json::parse(ReadFile(path));
  EXPECT_EQ(feed["items"][0]["attachments"], nlohmann::json::parse(R"([{"url": "https://example.com/radio/ep2.mp3?a=1&b=2",
      "mime_type": "audio/mpeg", "size_in_bytes": 5650889, "duration_in_seconds": 3725}])"));
  EXPECT_EQ(feed["items"][1]["attachments"], nlohmann::json::parse(R"([{"url": "https://example.com/radio/trailer.m4a",
      "mime_type": "application/octet-stream", "size_in_bytes": 120000}])"));
  EXPECT_FALSE(feed["items"][2].contains("attachments"));
  std::string out;
  const std::string schema = std::string(VAMELRSS_SOURCE_DIR) + "/tests/data/json/jsonfeed-1.1.schema.json";
  EXPECT_EQ(RunCommand("/usr/bin/python3 -c 'import json,sys,jsonschema; jsonschema.validate(json.load(open(sys.argv[2])), "
                       "json.load(open(sys.argv[1])))' '" + schema + "' '" + path + "' 2>&1", &out), 0) << out;
}

// With the podcast off, an item's enclosure is still written (the user added it), the itunes: and
// podcast: tags are not.
TEST_F(PodcastFeed, PodcastOffKeepsEnclosuresAndDropsTheTags) {
  CRssFile project;
  BuildPodcastProject(project);
  project.ext.podcast = false;
  const std::string path = TempPath("off.xml");
  ASSERT_TRUE(WriteRss20(project, path).Ok());
  const std::string text = ReadFile(path);
  EXPECT_NE(text.find("<enclosure url=\"https://example.com/radio/ep2.mp3?a=1&amp;b=2\" length=\"5650889\" type=\"audio/mpeg\" />"),
            std::string::npos) << text;
  EXPECT_EQ(text.find("itunes"), std::string::npos) << text;
  EXPECT_EQ(text.find("podcast:"), std::string::npos) << text;
}

// The category tree: a category alone or with one of its own subcategories.
TEST(PodcastCategories, PathsOfTheTree) {
  EXPECT_TRUE(IsPodcastCategoryPath("Arts/Books"));
  EXPECT_TRUE(IsPodcastCategoryPath("Arts"));
  EXPECT_TRUE(IsPodcastCategoryPath("True Crime"));
  EXPECT_FALSE(IsPodcastCategoryPath("True Crime/"));
  EXPECT_FALSE(IsPodcastCategoryPath("Arts/Drama"));
  EXPECT_FALSE(IsPodcastCategoryPath("arts/books"));
  EXPECT_FALSE(IsPodcastCategoryPath(""));
  EXPECT_FALSE(IsPodcastCategoryPath("Arts/Books/More"));
  const std::vector<std::string> paths = PodcastCategoryPaths();
  ASSERT_EQ(paths.size(), 91u + 19u);  // 91 subcategories, 19 categories
  EXPECT_EQ(paths[0], "Arts");
  EXPECT_EQ(paths[1], "Arts/Books");
  for (const std::string& path : paths) EXPECT_TRUE(IsPodcastCategoryPath(path)) << path;
}

}  // namespace
