// The example site end to end through the built vamelrss-cli, the way scripts/run uses it: a project
// over a copy of examples/site, `scan --import new`, then `write`; the feeds are read back by xmllint
// and python3-feedparser.
#include <nlohmann/json.hpp>

#include "support/harvest_fixture.h"
#include "support/cli_runner.h"
#include "support/missing.h"
#include "support/test_server.h"

namespace {

class ExampleSite : public HarvestTest {};

TEST_F(ExampleSite, ScanThenWriteMakesFeedsOfTheSite) {
  const std::string site = CopyExampleSite();
  SetModified(site + "/news/2006/0215.html", Local(2006, 2, 15, 8, 0, 0));
  SetModified(site + "/news/2006/0320.html", Local(2006, 3, 20, 9, 0, 0));
  SetModified(site + "/diary/2006-05-05.html", Local(2006, 5, 5, 18, 30, 0));
  const std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) +
                       " --title '山の手日記' --url https://yamanote.example.jp/ "
                       "--description '東京の坂道と古い建物を歩いて記録するサイト' --creator '坂野 歩' --folder " +
                       Quote(site) + " --import-mode 3");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("scan " + Quote(file) + " --import new");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 12);
  r = RunCli("write " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, site + "/index.rdf\n" + site + "/atom.xml\n");

  if (PresentOrFailInCi(HaveProgram("xmllint"), "xmllint is not installed")) {
    EXPECT_EQ(RunCommand("xmllint --noout " + Quote(site + "/index.rdf") + " " + Quote(site + "/atom.xml") + " 2>&1"), 0);
  }
  if (!HavePythonModule("feedparser")) SKIP_OR_FAIL_IN_CI("python3-feedparser is not installed");
  const std::string reader = std::string(VAMELRSS_SOURCE_DIR) + "/tests/support/feed_fields.py";
  for (const char* feedName : {"index.rdf", "atom.xml"}) {
    SCOPED_TRACE(feedName);
    std::string out;
    ASSERT_EQ(RunCommand("/usr/bin/python3 " + Quote(reader) + " " + Quote(site + "/" + feedName), &out), 0);
    nlohmann::json feed = nlohmann::json::parse(out);
    EXPECT_EQ(feed["bozo"], 0) << feed["error"];
    EXPECT_EQ(feed["feed"]["title"], "山の手日記");
    const nlohmann::json& entries = feed["entries"];
    ASSERT_EQ(entries.size(), 12u);
    // The newest page first, then the others by date.
    EXPECT_EQ(entries[0]["link"], "https://yamanote.example.jp/diary/2006-05-05.html");
    EXPECT_EQ(entries[0]["title"], "こどもの日の散歩");
    EXPECT_EQ(entries[0]["updated"], 1146821400);  // 2006-05-05T18:30:00+09:00
    EXPECT_EQ(entries[1]["link"], "https://yamanote.example.jp/news/2006/0320.html");
    EXPECT_EQ(entries[2]["link"], "https://yamanote.example.jp/news/2006/0215.html");
    // The marked parts, both regions of the spring page, links made absolute; UTF-8 and Shift_JIS
    // pages alike.
    ASSERT_FALSE(entries[1]["content"].empty());
    const std::string spring = entries[1]["content"][0];
    EXPECT_NE(spring.find("<p>桜の咲く坂を三つ歩きました。</p>"), std::string::npos) << spring;
    EXPECT_NE(spring.find("<a href=\"https://yamanote.example.jp/diary/index.html\">日記</a>"), std::string::npos) << spring;
    EXPECT_EQ(spring.find("ここは取り込まれない"), std::string::npos) << spring;
    const std::string snow = entries[2]["content"][0];
    EXPECT_NE(snow.find("<img src=\"https://yamanote.example.jp/img/photo.png\" alt=\"雪の坂\">"), std::string::npos) << snow;
    EXPECT_NE(std::string(entries[2]["summary"]).find("二月の雪で、いつもの坂が白くなりました。"), std::string::npos);
  }
}

}  // namespace
