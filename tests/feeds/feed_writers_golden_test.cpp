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

// Every extension on, in each format.
std::vector<GoldenCase> ExtendedCases() {
  std::vector<GoldenCase> cases;
  for (FeedFormat format : kAllFormats) {
    cases.push_back({std::string("extended_") + FormatName(format) + FormatExtension(format), format, 2, BuildExtendedProject,
                     "Asia/Tokyo"});
  }
  return cases;
}

std::vector<GoldenCase> AllCases() {
  std::vector<GoldenCase> cases = GoldenCases();
  for (GoldenCase& c : ExtendedCases()) cases.push_back(std::move(c));
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
  for (const GoldenCase& c : AllCases()) {
    std::string written = ReadFile(WriteCase(c));
    if (update) WriteFile(GoldenPath(c.name), written);
    std::string golden = ReadFile(GoldenPath(c.name));
    ASSERT_FALSE(golden.empty()) << "missing golden file " << c.name;
    EXPECT_EQ(written, golden) << c.name;
  }
}

TEST_F(FeedGolden, GoldenFilesAreWellFormedForXmllintAndOurCheck) {
  ASSERT_TRUE(HaveProgram("xmllint"));
  for (const GoldenCase& c : AllCases()) {
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

// The feeds with every extension on, in real readers: feedparser sees the language, the self link, the
// summary beside the full text, the item images and the site image (RSS 2.0) or logo and icon (Atom
// 1.0); rapper reads the RSS 1.0 file with its channel image as RDF (feedparser reads no RSS 1.0
// image); xmllint validates the Atom 1.0 file against RFC 4287's schema.
TEST_F(FeedGolden, ExtendedFeedsInRealReaders) {
  CRssFile project;
  BuildExtendedProject(project);
  const int carried[] = {0, 2, 4};
  for (const GoldenCase& c : ExtendedCases()) {
    SCOPED_TRACE(c.name);
    nlohmann::json feed = ReadWithFeedparser(GoldenPath(c.name));
    ASSERT_FALSE(feed.is_null());
    EXPECT_EQ(feed["bozo"], 0) << feed["error"];
    EXPECT_EQ(feed["version"], FormatName(c.format));
    const bool atom10 = c.format == FeedFormat::Atom10;
    EXPECT_EQ(feed["feed"]["language"], "en-US");
    const nlohmann::json none;
    EXPECT_EQ(feed["feed"]["image"], c.format == FeedFormat::Rss20 ? nlohmann::json(project.ext.siteImage) : none);
    EXPECT_EQ(feed["feed"]["logo"], atom10 ? nlohmann::json(project.ext.siteImage) : none);
    EXPECT_EQ(feed["feed"]["icon"], atom10 ? nlohmann::json(project.ext.siteIcon) : none);
    std::string self;
    for (const nlohmann::json& link : feed["feed"]["links"]) {
      if (link["rel"] == "self") self = link["href"];
    }
    EXPECT_EQ(self, c.format == FeedFormat::Rss20 ? "https://example.jp/diary/index.rdf"
                    : atom10                      ? "https://example.jp/diary/atom.xml"
                                                  : "");
    const nlohmann::json& entries = feed["entries"];
    ASSERT_EQ(entries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
      const CRssItem& item = *project.GetAt(carried[i]);
      const nlohmann::json& e = entries[i];
      SCOPED_TRACE(i);
      EXPECT_EQ(e["link"], item.url);
      // Summary and full text side by side, RSS 2.0 included.
      EXPECT_EQ(e["summary"], ReaderText(item.description));
      std::vector<std::string> content;
      if (!item.content.empty()) content.push_back(ReaderText(item.content));
      EXPECT_EQ(e["content"], content);
      std::vector<std::string> images;
      const bool media = c.format == FeedFormat::Rss20 || c.format == FeedFormat::Atom10;
      if (media && !item.ext.image.empty()) images.push_back(item.ext.image);
      EXPECT_EQ(e["media_thumbnail"], images);
      EXPECT_EQ(e["media_content"], images);
      // The content's language: its own xml:lang in Atom, the root's in RSS 1.0, none in RSS 2.0.
      const nlohmann::json language = c.format == FeedFormat::Rss20 ? none : nlohmann::json("en-US");
      EXPECT_EQ(e["content_language"], nlohmann::json::array_t(item.content.empty() ? 0 : 1, language));
    }
  }

  ASSERT_TRUE(HaveProgram("rapper"));
  std::string out;
  EXPECT_EQ(RunCommand("rapper -i rdfxml -c '" + GoldenPath("extended_rss10.rdf") + "' 2>&1", &out), 0) << out;
  // channel: type, title, link, description, dc:language, image, items, the Seq's type and three rdf:_n;
  // the image: type, title, url, link; items 0, 2 and 4 with type, title, link, description, dc:date and
  // dc:subject, and item 0 its content.
  EXPECT_NE(out.find("returned 34 triples"), std::string::npos) << out;

  const std::string schema = std::string(VAMELRSS_SHARED_DIR) + "/schemas/atom.rng";
  if (ReadFile(schema).empty()) SKIP_OR_FAIL_IN_CI("no Atom schema");
  EXPECT_EQ(RunCommand("xmllint --noout --relaxng '" + schema + "' '" + GoldenPath("extended_atom10.xml") + "' 2>&1", &out), 0)
      << out;
}

}  // namespace
