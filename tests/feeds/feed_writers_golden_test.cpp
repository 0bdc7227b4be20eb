// The four writers against golden files (byte for byte, Japanese time, fixed clock), and the golden
// files against real readers: xmllint, feedparser, rapper and jing.
#include <cstdlib>
#include <functional>

#include "feeds/feed_items.h"
#include "feeds/feed_test_support.h"
#include "feeds/xml_well_formed.h"
#include "support/missing.h"
#include "support/test_env.h"

namespace {

struct GoldenCase {
  std::string name;
  FeedFormat format;
  int mode;
  std::function<void(CRssFile&)> build;
  const char* zone;
};

std::vector<GoldenCase> GoldenCases() {
  std::vector<GoldenCase> cases;
  for (FeedFormat format : kAllFormats) {
    for (int mode = 0; mode <= 2; ++mode) {
      cases.push_back({std::string("sample_") + FormatName(format) + "_mode" + std::to_string(mode) + FormatExtension(format),
                       format, mode, BuildSampleProject, "Asia/Tokyo"});
    }
    cases.push_back({std::string("empty_") + FormatName(format) + FormatExtension(format), format, 2, [](CRssFile&) {},
                     "Asia/Tokyo"});
  }
  // Site fields given as markup: an element stays an element, a bare "&" and a stray "<" are escaped,
  // an HTML entity becomes a numeric reference.
  auto markup = [](CRssFile& p) {
    BuildSmallProject(p);
    p.siteTitle = J("<b>トムとジェリー</b> & 仲間");
    p.siteDescription = "A < B &nbsp;&copy; &amp; x<br>y";
    p.creator = "Tom &amp; Jerry";
  };
  cases.push_back({"site_markup_rss10.rdf", FeedFormat::Rss10, 2, markup, "Asia/Tokyo"});
  cases.push_back({"site_markup_atom03.xml", FeedFormat::Atom03, 2, markup, "Asia/Tokyo"});
  for (const char* zone : {"UTC", "America/New_York"}) {
    std::string prefix = std::string(zone) == "UTC" ? "utc_" : "newyork_";
    cases.push_back({prefix + "rss20.xml", FeedFormat::Rss20, 2, BuildSmallProject, zone});
    cases.push_back({prefix + "atom10.xml", FeedFormat::Atom10, 2, BuildSmallProject, zone});
  }
  return cases;
}

class FeedGolden : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(kWriterNow);
  }

  // Writes the case into the temporary folder and returns the path.
  std::string WriteCase(const GoldenCase& c) {
    ScopedTimeZone tz(c.zone);
    CRssFile project;
    c.build(project);
    CRssFile::rssMode = c.mode;
    CRssFile::atomMode = c.mode;
    std::string path = TempPath(c.name);
    EXPECT_TRUE(WriteFeed(project, c.format, path).Ok()) << c.name;
    return path;
  }
};

TEST_F(FeedGolden, EveryFormatModeAndZoneMatchesItsGoldenFile) {
  const bool update = std::getenv("VAMELRSS_UPDATE_GOLDEN") != nullptr;
  for (const GoldenCase& c : GoldenCases()) {
    std::string written = ReadFile(WriteCase(c));
    if (update) WriteFile(GoldenPath(c.name), written);
    std::string golden = ReadFile(GoldenPath(c.name));
    ASSERT_FALSE(golden.empty()) << "missing golden file " << c.name;
    EXPECT_EQ(written, golden) << c.name;
  }
}

TEST_F(FeedGolden, GoldenFilesAreWellFormedForXmllintAndOurCheck) {
  ASSERT_TRUE(HaveProgram("xmllint"));
  for (const GoldenCase& c : GoldenCases()) {
    std::string path = GoldenPath(c.name);
    EXPECT_TRUE(IsWellFormedXmlDocument(ReadFile(path))) << c.name;
    std::string out;
    EXPECT_EQ(RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << c.name << "\n" << out;
  }
}

TEST_F(FeedGolden, RapperReadsEveryRss10FileAsRdf) {
  ASSERT_TRUE(HaveProgram("rapper"));
  for (const GoldenCase& c : GoldenCases()) {
    if (c.format != FeedFormat::Rss10) continue;
    CRssFile project;
    c.build(project);
    // channel: type, title, link, description, items, the Seq's type, one rdf:_n per item; each item:
    // type, title, link, dc:date, dc:subject, and description and content:encoded by the mode.
    int items = std::min(project.GetSize(), project.rssCount);
    int expected = 6 + items;
    for (int i = 0; i < items; ++i) expected += 5 + (c.mode >= 1) + (c.mode >= 2 && !project.GetAt(i)->content.empty());
    std::string out;
    ASSERT_EQ(RunCommand("rapper -i rdfxml -c '" + GoldenPath(c.name) + "' 2>&1", &out), 0) << c.name << "\n" << out;
    // A site title given as markup holds an element, which RDF reads as more than one literal.
    if (c.name.rfind("site_markup_", 0) == 0) continue;
    EXPECT_NE(out.find("returned " + std::to_string(expected) + " triples"), std::string::npos) << c.name << "\n" << out;
  }
}

TEST_F(FeedGolden, JingValidatesTheAtom10FilesAgainstRfc4287) {
  std::string schema = std::string(VAMELRSS_SHARED_DIR) + "/schemas/atom.rnc";
  if (ReadFile(schema).empty() || !HaveProgram("jing")) SKIP_OR_FAIL_IN_CI("no Atom schema or jing");
  int checked = 0;
  for (const GoldenCase& c : GoldenCases()) {
    // The empty project has no site URL, so its alternate link has no href, which RFC 4287 requires.
    if (c.format != FeedFormat::Atom10 || c.name.rfind("empty_", 0) == 0) continue;
    std::string out;
    // jing reports on standard output; its launcher's warnings about optional jars go to standard error.
    EXPECT_EQ(RunCommand("jing -c '" + schema + "' '" + GoldenPath(c.name) + "' 2>/dev/null", &out), 0) << c.name << "\n" << out;
    ++checked;
  }
  EXPECT_EQ(checked, 5);
}

// Every field of every written item comes back through feedparser: title, link, summary, content,
// dates as UTC instants, category and id.
TEST_F(FeedGolden, FeedparserReadsBackEveryItemField) {
  for (const GoldenCase& c : GoldenCases()) {
    if (c.name.rfind("site_markup_", 0) == 0) continue;
    CRssFile project;
    c.build(project);
    nlohmann::json feed = ReadWithFeedparser(GoldenPath(c.name));
    ASSERT_FALSE(feed.is_null()) << c.name;
    SCOPED_TRACE(c.name);
    EXPECT_EQ(feed["bozo"], 0) << feed["error"];
    EXPECT_EQ(feed["version"], FormatName(c.format));
    EXPECT_EQ(feed["feed"]["link"], project.siteUrl);
    const bool rss = c.format == FeedFormat::Rss10 || c.format == FeedFormat::Rss20;
    const int limit = rss ? project.rssCount : project.atomCount;
    const int count = std::min(project.GetSize(), limit);
    const nlohmann::json& entries = feed["entries"];
    ASSERT_EQ(entries.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      const CRssItem& item = *project.GetAt(i);
      const nlohmann::json& e = entries[static_cast<size_t>(i)];
      SCOPED_TRACE(i);
      EXPECT_EQ(e["title"], ReaderText(item.title));
      EXPECT_EQ(e["link"], item.url);
      // The summary: RSS 2.0 puts the content in place of the description in mode 2.
      const bool contentShown = c.mode >= 2 && !item.content.empty();
      if (c.format == FeedFormat::Rss20 && contentShown) {
        EXPECT_EQ(e["summary"], ReaderText(item.content));
      } else if (c.mode >= 1) {
        EXPECT_EQ(e["summary"], ReaderText(item.description));
      }
      std::vector<std::string> content;
      if (contentShown && c.format != FeedFormat::Rss20) content.push_back(ReaderText(item.content));
      EXPECT_EQ(e["content"], content);
      if (c.format == FeedFormat::Rss20) {
        EXPECT_EQ(e["published"], item.date);
      } else {
        EXPECT_EQ(e["updated"], item.date);
        if (!rss) {
          EXPECT_EQ(e["published"], item.published);
        }
      }
      std::vector<std::string> tags;
      if (!item.category.empty()) tags.push_back(ReaderText(item.category));
      EXPECT_EQ(e["tags"], tags);
      ScopedTimeZone tz(c.zone);  // the id holds the local day of publication
      EXPECT_EQ(e["id"], rss ? item.url : GetItemTagId(item));
    }
  }
}

}  // namespace
