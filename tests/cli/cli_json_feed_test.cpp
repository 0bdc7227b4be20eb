// The command line's JSON Feed: the set flags, write --format json and both, link-tag json, check and
// import of a JSON Feed, usage errors, and the classic bytes once the values are back at their defaults.
#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliJsonFeed : public VamelTest {};
}

TEST_F(CliJsonFeed, SetWriteLinkTagCheckAndImport) {
  const std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file) + " --title T --url https://example.jp/ --folder " + Quote(TempFolder())).status, 0);
  ASSERT_EQ(RunCli("add " + Quote(file) + " --url https://example.jp/a.html --title A").status, 0);
  const std::string classic = ReadFile(file);

  // Off: both writes RSS and Atom only; json writes the file all the same.
  CliResult r = RunCli("write " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("feed.json"), std::string::npos);
  EXPECT_TRUE(ReadFile(TempPath("feed.json")).empty());
  r = RunCli("write " + Quote(file) + " --format json --check");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempPath("feed.json") + "\n");
  EXPECT_EQ(nlohmann::json::parse(ReadFile(TempPath("feed.json")))["items"][0]["url"], "https://example.jp/a.html");

  r = RunCli("set " + Quote(file) + " --json-feed on --json-file news.json --json-count 5");
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json shown = nlohmann::json::parse(RunCli("show --json " + Quote(file)).out);
  EXPECT_EQ(shown["extensions"]["jsonFeed"], true);
  EXPECT_EQ(shown["extensions"]["jsonFileName"], "news.json");
  EXPECT_EQ(shown["extensions"]["jsonCount"], 5);
  r = RunCli("write " + Quote(file) + " --check");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(TempPath("news.json") + "\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("JSON Feedファイル の作成を完了しました"), std::string::npos) << r.err;
  r = RunCli("link-tag " + Quote(file) + " json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "<LINK rel=\"alternate\" TITLE=\"JSON Feed\" TYPE=\"application/feed+json\" HREF=\"news.json\">\n");
  r = RunCli("check " + Quote(TempPath("news.json")));
  EXPECT_EQ(r.status, 0) << r.out << r.err;

  // The JSON Feed opens as a document and imports into a project.
  r = RunCli("show --json " + Quote(TempPath("news.json")));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["items"][0]["url"], "https://example.jp/a.html");
  EXPECT_EQ(nlohmann::json::parse(r.out)["kind"], 5);
  EXPECT_NE(RunCli("show " + Quote(TempPath("news.json"))).out.find("kind              json\n"), std::string::npos);
  const std::string other = TempPath("other.fpj");
  ASSERT_EQ(RunCli("new " + Quote(other) + " --title O").status, 0);
  r = RunCli("import " + Quote(other) + " " + Quote(TempPath("news.json")));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(RunCli("show --json " + Quote(other)).out)["items"].size(), 1u);

  // Usage errors change nothing; the defaults again give the classic bytes.
  const std::string extended = ReadFile(file);
  for (const char* bad : {" --json-feed yes", " --json-file ''", " --json-count many"}) {
    EXPECT_EQ(RunCli("set " + Quote(file) + bad).status, 2) << bad;
  }
  EXPECT_EQ(RunCli("link-tag " + Quote(file) + " jsonfeed").status, 2);
  EXPECT_EQ(ReadFile(file), extended);
  ASSERT_EQ(RunCli("set " + Quote(file) + " --json-feed off --json-file feed.json --json-count 20").status, 0);
  EXPECT_EQ(ReadFile(file), classic);
}
