// Our own feeds: the golden files of the four writers and the feeds of the example site hold no
// finding, except where the project's data itself is faulty (an empty title, no site URL, markup in
// a site field), and there exactly those; and RSS 2.0 feeds, which name no self link unless the
// project asks for one, get that one warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "check/check_test_support.h"
#include "support/cli_runner.h"
#include "support/test_env.h"

namespace fs = std::filesystem;

namespace {

class CheckOwnFeeds : public VamelTest {
protected:
  CFeedCheckOptions Options() const {
    CFeedCheckOptions options;
    options.language = CheckLanguage::English;
    options.schemaPath = SharedAtomSchema();
    options.useSchema = !options.schemaPath.empty();
    return options;
  }
};

std::string Rules(const CFeedCheckResult& result) {
  std::string out;
  for (const CFeedFinding& f : result.findings) out += f.rule + "@" + f.element + " ";
  return out;
}

TEST_F(CheckOwnFeeds, GoldenFilesOfTheFourWriters) {
  // What the project's data itself makes wrong: the sample project's third item has an empty title;
  // the empty project has no title, no site URL and no author; the markup project puts elements and
  // "<br>" into site fields that Atom 0.3 declares as plain text. A section's feeds come from the sample
  // project.
  const std::map<std::string, std::string> expected = {
      {"empty_atom03.xml", "empty-title@title link-href@link "},
      {"empty_atom10.xml", "empty-title@title missing-attribute@link id-syntax@id "},
      {"empty_rss10.rdf", "rss10-about@channel empty-title@title relative-url@link "},
      {"empty_rss20.xml", "no-self-link@channel empty-title@title relative-url@link "},
      {"site_markup_atom03.xml", "html-holds-elements@title text-holds-markup@tagline "},
  };
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(std::string(VAMELRSS_TEST_DATA) + "/feeds")) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    CFeedCheckResult result = CheckFeedFile(entry.path().string(), Options());
    EXPECT_TRUE(result.wellFormed);
    const bool selfLinked = name.rfind("extended_", 0) == 0;
    const std::string self = result.format == CheckedFormat::Rss20 && !selfLinked ? "no-self-link@channel " : "";
    if (result.format == CheckedFormat::JsonFeed) {
      EXPECT_EQ(Rules(result), "") << Describe(result);
    } else if (expected.count(name)) {
      EXPECT_EQ(Rules(result), expected.at(name)) << Describe(result);
    } else if (name.rfind("sample_", 0) == 0 || name.rfind("extended_", 0) == 0 || name.rfind("section_", 0) == 0) {
      EXPECT_EQ(Rules(result), self + "empty-title@title ") << Describe(result);
    } else {
      EXPECT_EQ(Rules(result), self) << Describe(result);
    }
    if (result.format == CheckedFormat::Atom10 && !Options().schemaPath.empty()) {
      EXPECT_EQ(result.schema, name.rfind("empty_", 0) == 0 ? SchemaVerdict::Invalid : SchemaVerdict::Valid);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 36);
}

TEST_F(CheckOwnFeeds, ExampleSiteInEveryFormatThroughWriteCheck) {
  const std::string site = TempPath("site");
  fs::copy(std::string(VAMELRSS_SOURCE_DIR) + "/examples/site", site, fs::copy_options::recursive);
  const std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) +
                       " --title '山の手日記' --url https://yamanote.example.jp/ "
                       "--description '東京の坂道と古い建物を歩いて記録するサイト' --creator '坂野 歩' --folder " +
                       Quote(site) + " --import-mode 3");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("scan " + Quote(file) + " --import new");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string env = "LANG=ja_JP.UTF-8 LC_ALL=";
  for (const char* format : {"rss10", "rss20", "atom03", "atom10"}) {
    SCOPED_TRACE(format);
    r = RunCli("write " + Quote(file) + " --format " + format + " --check", std::string(), env);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string path = r.out.substr(0, r.out.find('\n'));
    const bool rss20 = std::string(format) == "rss20";
    EXPECT_EQ(r.err, rss20 ? path + ":3:2: warning: rel=\"self\" の link がありません\n" : "");
    CFeedCheckResult result = CheckFeedFile(path, Options());
    EXPECT_EQ(Describe(result), rss20 ? "3:2 warning no-self-link: no link with rel=\"self\"\n" : "");
    EXPECT_EQ(result.format, std::string(format) == "rss10"   ? CheckedFormat::Rss10
                             : std::string(format) == "rss20" ? CheckedFormat::Rss20
                             : std::string(format) == "atom03" ? CheckedFormat::Atom03
                                                               : CheckedFormat::Atom10);
  }
}

}  // namespace
