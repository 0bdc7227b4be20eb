// Section feeds: membership by category and by folder, each section's files in every format against
// golden files, feedparser (the JSON Feed schema for JSON) reading each with its own title, self link
// and id, and the project's own feeds unchanged by sections.
#include <cstdlib>
#include <filesystem>

#include "app/feed_commands.h"
#include "app/section_feeds.h"
#include "feeds/feed_test_support.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "support/test_env.h"

namespace {

class SectionFeeds : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kWriterNow);
    BuildSampleProject(project);
    // The diary's pages below diary/, the CGI below cgi/; item 3 lies outside the site, in "News".
    project.siteUrl = "https://example.jp/";
    project.localFolder = TempFolder();
    CRssFile::rssMode = 2;
    CRssFile::atomMode = 2;
    CResult<CFeedSection> diary = ParseSectionArgument(J("日記=folder:diary"), project);
    CResult<CFeedSection> news = ParseSectionArgument(J("お知らせ=category:News;rss=news.rdf;json=news.json;title= (お知らせ)"), project);
    EXPECT_TRUE(diary && news);
    project.ext.sections = {diary.value, news.value};
  }
  void TearDown() override {
    SetCurrentTimeOverride(std::nullopt);
    VamelTest::TearDown();
  }
  std::vector<std::string> Links(const nlohmann::json& feed) const {
    std::vector<std::string> links;
    for (const auto& e : feed["entries"]) links.push_back(e["link"]);
    return links;
  }
  CRssFile project;
};

}  // namespace

TEST_F(SectionFeeds, SpecsRulesAndMembership) {
  const CFeedSection& diary = project.ext.sections[0];
  EXPECT_EQ(diary.value, "diary/");
  EXPECT_EQ(diary.rssFileName, "index-diary.rdf");
  EXPECT_EQ(diary.atomFileName, "atom-diary.xml");
  EXPECT_EQ(diary.jsonFileName, "feed-diary.json");
  EXPECT_EQ(U(diary.titleSuffix), " - 日記");
  const CFeedSection& news = project.ext.sections[1];
  EXPECT_EQ(news.rssFileName, "news.rdf");
  EXPECT_EQ(news.atomFileName, "atom-News.xml");
  EXPECT_EQ(news.jsonFileName, "news.json");
  EXPECT_EQ(U(news.titleSuffix), " (お知らせ)");

  std::vector<int> inDiary, inNews;
  for (int i = 0; i < project.GetSize(); ++i) {
    if (ItemInSection(project, *project.GetAt(i), diary)) inDiary.push_back(i);
    if (ItemInSection(project, *project.GetAt(i), news)) inNews.push_back(i);
  }
  EXPECT_EQ(inDiary, (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(inNews, (std::vector<int>{3}));
  // "diary/" is a folder: "diaryx/" is not below it.
  project.GetAt(2)->url = "https://example.jp/diaryx/a.html";
  EXPECT_FALSE(ItemInSection(project, *project.GetAt(2), diary));
  EXPECT_TRUE(PageInSection(project, "diary/2006/a.html", diary));
  EXPECT_FALSE(PageInSection(project, "diaryx/a.html", diary));

  for (const char* bad : {"=folder:x", "x", "x=tag:y", "x=folder:", "x=category:y;size=3"}) {
    EXPECT_FALSE(ParseSectionArgument(bad, project)) << bad;
  }
  std::vector<CFeedSection> twice = project.ext.sections;
  twice.push_back(twice[0]);
  EXPECT_NE(SectionProblem(twice, ProjectFileNames(project)), "");
  twice.pop_back();
  twice[1].atomFileName = "atom.xml";  // the project's own file
  EXPECT_NE(SectionProblem(twice, ProjectFileNames(project)), "");
  twice[1] = project.ext.sections[1];
  twice[1].jsonFileName = "feed.json";
  EXPECT_NE(SectionProblem(twice, ProjectFileNames(project)), "");
  EXPECT_EQ(SectionProblem(project.ext.sections, ProjectFileNames(project)), "");
}

TEST_F(SectionFeeds, EveryFormatIsWrittenForEachSectionAndReadersSeeItsOwnFeed) {
  const bool update = std::getenv("VAMELRSS_UPDATE_GOLDEN") != nullptr;
  ScopedTimeZone tz("Asia/Tokyo");
  // Without sections, the same project's own feeds, for comparison.
  CRssFile plain;
  BuildSampleProject(plain);
  plain.siteUrl = project.siteUrl;
  plain.localFolder = TempPath("plain");
  std::filesystem::create_directories(plain.localFolder);

  ASSERT_EQ(CreateRssAndAtom(project).value.sections.size(), 4u) << "no section JSON Feed while the project has none";
  EXPECT_FALSE(std::filesystem::exists(TempPath("feed-diary.json")));
  project.ext.jsonFeed = true;
  for (int rssVersion = 0; rssVersion <= 1; ++rssVersion) {
    const int atomVersion = rssVersion;
    project.rssVersion = plain.rssVersion = rssVersion;
    project.atomVersion = plain.atomVersion = atomVersion;
    const CResult<CWrittenFeeds> written = CreateRssAndAtom(project);
    ASSERT_TRUE(written) << U(written.FirstText());
    ASSERT_EQ(written.value.sections.size(), 6u);
    EXPECT_EQ(U(written.messages.back().text), "RSSファイル Atomファイル JSON Feedファイル の作成を完了しました");
    ASSERT_TRUE(CreateRssAndAtom(plain));
    EXPECT_EQ(ReadFile(TempPath("index.rdf")), ReadFile(plain.GetRssPath())) << "sections leave the project's feeds alone";
    EXPECT_EQ(ReadFile(TempPath("atom.xml")), ReadFile(plain.GetAtomPath()));

    const std::string rssName = rssVersion ? "rss20" : "rss10", atomName = atomVersion ? "atom10" : "atom03";
    const std::pair<std::string, std::string> goldens[] = {{"index-diary.rdf", "section_diary_" + rssName + ".rdf"},
                                                            {"atom-diary.xml", "section_diary_" + atomName + ".xml"},
                                                            {"feed-diary.json", "section_diary.json"}};
    for (const auto& [file, golden] : goldens) {
      const std::string bytes = ReadFile(TempPath(file));
      if (update) WriteFile(GoldenPath(golden), bytes);
      EXPECT_EQ(bytes, ReadFile(GoldenPath(golden))) << golden;
    }

    const nlohmann::json diaryRss = ReadWithFeedparser(TempPath("index-diary.rdf"));
    const nlohmann::json diaryAtom = ReadWithFeedparser(TempPath("atom-diary.xml"));
    const nlohmann::json newsRss = ReadWithFeedparser(TempPath("news.rdf"));
    const nlohmann::json newsAtom = ReadWithFeedparser(TempPath("atom-News.xml"));
    for (const nlohmann::json* feed : {&diaryRss, &diaryAtom, &newsRss, &newsAtom}) {
      ASSERT_FALSE(feed->is_null());
      EXPECT_EQ((*feed)["bozo"], 0) << (*feed)["error"];
    }
    EXPECT_EQ(diaryRss["version"], rssName);
    EXPECT_EQ(diaryAtom["feed"]["title"], "ヴァメル日記 & メモ - 日記");
    EXPECT_EQ(newsRss["feed"]["title"], "ヴァメル日記 & メモ (お知らせ)");
    const std::vector<std::string> diaryLinks{"https://example.jp/diary/0102.html", "https://example.jp/diary/empty.html",
                                              "https://example.jp/diary/hidden.html"};
    EXPECT_EQ(Links(diaryRss), diaryLinks);
    EXPECT_EQ(Links(diaryAtom), diaryLinks);
    EXPECT_EQ(Links(newsRss), (std::vector<std::string>{"https://someone@example.jp:8080/a/b/c.html#part"}));
    EXPECT_EQ(Links(newsAtom), Links(newsRss));
    // The JSON Feed: the schema accepts it; its title, address and items are the section's.
    EXPECT_EQ(JsonFeedSchemaProblems(GoldenPath("section_diary.json")), "");
    const nlohmann::json diaryJson = nlohmann::json::parse(ReadFile(TempPath("feed-diary.json")));
    EXPECT_EQ(diaryJson["title"], "ヴァメル日記 & メモ - 日記");
    EXPECT_EQ(diaryJson["feed_url"], "https://example.jp/feed-diary.json");
    std::vector<std::string> jsonLinks;
    for (const auto& item : diaryJson["items"]) jsonLinks.push_back(item["url"]);
    EXPECT_EQ(jsonLinks, diaryLinks);
    EXPECT_EQ(nlohmann::json::parse(ReadFile(TempPath("news.json")))["items"].size(), 1u);
    if (atomVersion) {
      const nlohmann::json mainAtom = ReadWithFeedparser(TempPath("atom.xml"));
      EXPECT_NE(diaryAtom["feed"]["id"], mainAtom["feed"]["id"]);
      EXPECT_NE(diaryAtom["feed"]["id"], newsAtom["feed"]["id"]);
      EXPECT_NE(ReadFile(TempPath("atom-diary.xml")).find("rel=\"self\" type=\"application/atom+xml\" href=\"https://example.jp/atom-diary.xml\""),
                std::string::npos);
    } else {
      EXPECT_NE(ReadFile(TempPath("index-diary.rdf")).find("<channel rdf:about=\"https://example.jp/index-diary.rdf\">"),
                std::string::npos);
    }
  }
}

TEST_F(SectionFeeds, ASingleFormatCommandWritesThatFormatForEachSection) {
  FeedCommand command = FeedCommand::kRss;
  ASSERT_TRUE(FeedCommandOfId(32786, command));  // RSS 2.0
  ASSERT_TRUE(CreateFeed(project, command));
  EXPECT_NE(ReadFile(TempPath("index-diary.rdf")).find("<rss version=\"2.0\""), std::string::npos);
  EXPECT_NE(ReadFile(TempPath("news.rdf")).find("<rss version=\"2.0\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(TempPath("atom-diary.xml")));
  // The JSON Feed command writes each section's beside the project's, which keeps every item.
  ASSERT_TRUE(CreateFeed(project, FeedCommand::kJson));
  EXPECT_EQ(nlohmann::json::parse(ReadFile(TempPath("feed.json")))["items"].size(), static_cast<size_t>(project.GetSize()));
  EXPECT_EQ(nlohmann::json::parse(ReadFile(TempPath("feed-diary.json")))["items"].size(), 3u);
}
