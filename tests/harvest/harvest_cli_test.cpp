// harvest, scan and refresh through the built vamelrss-cli, on a copy of the example site.
#include <filesystem>
#include <set>
#include <nlohmann/json.hpp>

#include "support/harvest_fixture.h"
#include "support/cli_runner.h"
#include "support/test_server.h"

namespace {

class HarvestCli : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    site = CopyExampleSite();
    file = TempPath("site.fpj");
    CliResult r = RunCli("new " + Quote(file) + " --title '山の手日記' --url https://yamanote.example.jp/ --folder " +
                         Quote(site) + " --import-mode 3");
    ASSERT_EQ(r.status, 0) << r.err;
  }
  nlohmann::json Show() {
    CliResult r = RunCli("show --json " + Quote(file));
    EXPECT_EQ(r.status, 0) << r.err;
    return nlohmann::json::parse(r.out);
  }
  std::string site, file;
};

TEST_F(HarvestCli, HarvestPages) {
  // Each page goes first in turn; a page given relative to the working folder works too.
  CliResult r = RunCli("harvest " + Quote(file) + " " + Quote(site + "/about.html") + " news/2006/0320.html", "",
                       "cd " + Quote(site) + " &&");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "https://yamanote.example.jp/about.html\nhttps://yamanote.example.jp/news/2006/0320.html\n");
  nlohmann::json j = Show();
  ASSERT_EQ(j["items"].size(), 2u);
  EXPECT_EQ(j["items"][0]["url"], "https://yamanote.example.jp/news/2006/0320.html");
  EXPECT_EQ(j["items"][0]["title"], "春の坂道めぐり");
  EXPECT_EQ(j["items"][0]["date"], Local(2006, 1, 1, 0, 0, 0));
  EXPECT_EQ(j["items"][1]["title"], "このサイトについて");
  // Again: no duplicate, the page moves to the top.
  ASSERT_EQ(RunCli("harvest " + Quote(file) + " " + Quote(site + "/about.html")).status, 0);
  j = Show();
  ASSERT_EQ(j["items"].size(), 2u);
  EXPECT_EQ(j["items"][0]["url"], "https://yamanote.example.jp/about.html");

  // Pages that are missing or outside the local folder stop the command before anything changes.
  WriteFile(TempPath("outside.html"), "<html><title>x</title></html>");
  r = RunCli("harvest " + Quote(file) + " " + Quote(site + "/links.html") + " " + Quote(TempPath("outside.html")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("is not inside the local folder"), std::string::npos) << r.err;
  r = RunCli("harvest " + Quote(file) + " " + Quote(site + "/nothing.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no such page file"), std::string::npos) << r.err;
  EXPECT_EQ(Show()["items"].size(), 2u);
  EXPECT_EQ(RunCli("harvest " + Quote(file)).status, 2);
}

TEST_F(HarvestCli, ScanListImportAndExclude) {
  SetModified(site + "/news/2006/0320.html", Local(2006, 3, 20, 9, 0, 0));
  SetModified(site + "/diary/2006-05-05.html", Local(2006, 5, 5, 18, 30, 0));
  CliResult r = RunCli("scan " + Quote(file) + " --list");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
            "*\t2006-05-05 18:30:00\tdiary/2006-05-05.html\n*\t2006-03-20 09:00:00\tnews/2006/0320.html\n");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 12);

  // The exclusion flags are stored; --import new imports the scan's preselection (its rules are the
  // scan's own, tested with it) and prints each item's URL.
  r = RunCli("scan " + Quote(file) + " --exclude-folder old/ --exclude-file links.html --import new");
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = Show();
  EXPECT_EQ(j["excludedFolders"], nlohmann::json::array({"old"}));
  EXPECT_EQ(j["excludedFiles"], nlohmann::json::array({"links.html"}));
  ASSERT_EQ(j["items"].size(), 10u);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), j["items"][0]["url"]);

  // Pages with items already: the question stops the command unless --yes or --no answers it.
  r = RunCli("scan " + Quote(file) + " --import all");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("追加対象に既存のアイテムがあります。既存のアイテムを更新してもよろしいですか？"), std::string::npos);
  r = RunCli("--no scan " + Quote(file) + " --import all");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Show()["items"].size(), 10u);
  // Pages named on the command line are the ones imported.
  r = RunCli("--yes scan " + Quote(file) + " --import works/map.shtml diary/index.html");
  ASSERT_EQ(r.status, 0) << r.err;
  j = Show();
  ASSERT_EQ(j["items"].size(), 10u);
  std::set<std::string> firstTwo = {j["items"][0]["url"], j["items"][1]["url"]};
  EXPECT_EQ(firstTwo, (std::set<std::string>{"https://yamanote.example.jp/works/map.shtml",
                                             "https://yamanote.example.jp/diary/index.html"}));
  r = RunCli("--yes scan " + Quote(file) + " --import links.html");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("not among the pages of the scan"), std::string::npos);
}

TEST_F(HarvestCli, RefreshFromTheLocalPageOrTheWeb) {
  ASSERT_EQ(RunCli("harvest " + Quote(file) + " " + Quote(site + "/works/index.htm")).status, 0);
  WriteFile(site + "/works/index.htm",
            "<html><head><title>作ったもの（改）</title></head><body><!--VAMELRSS START--><p>新しい地図</p>"
            "<!--VAMELRSS END--></body></html>");
  SetModified(site + "/works/index.htm", Local(2006, 7, 1, 0, 0, 0));
  const std::string url = "https://yamanote.example.jp/works/index.htm";
  CliResult r = RunCli("refresh " + Quote(file) + " " + url);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("HTMLファイルから最新の情報を得ます。よろしいですか？"), std::string::npos);
  EXPECT_EQ(Show()["items"][0]["title"], "作ったもの");
  r = RunCli("--yes refresh " + Quote(file) + " " + url);
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = Show();
  EXPECT_EQ(j["items"][0]["title"], "作ったもの（改）");
  EXPECT_EQ(j["items"][0]["content"], "<p>新しい地図</p>");
  EXPECT_EQ(j["items"][0]["date"], Local(2006, 7, 1, 0, 0, 0));
  EXPECT_EQ(RunCli("--yes refresh " + Quote(file) + " https://yamanote.example.jp/none.html").status, 1);

  // An item without a local page: the download question is answered by --download alone.
  std::string error;
  CTestServer server;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  const std::string web = "http://127.0.0.1:" + std::to_string(server.Port()) + "/page.html";
  ASSERT_EQ(RunCli("add " + Quote(file) + " --url " + web + " --title before").status, 0);
  const std::string env = "TMPDIR=" + Quote(TempFolder()) + " no_proxy=127.0.0.1 NO_PROXY=127.0.0.1";
  r = RunCli("--yes refresh " + Quote(file) + " " + web, "", env);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ローカルファイルが見つかりません。"), std::string::npos);
  EXPECT_NE(r.err.find("--download"), std::string::npos);
  EXPECT_EQ(Show()["items"][0]["title"], "before");
  r = RunCli("--yes refresh --download " + Quote(file) + " " + web, "", env);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Show()["items"][0]["title"], "テスト");
  // The page went to a private folder of the run, which went with it.
  for (const auto& entry : std::filesystem::directory_iterator(TempFolder())) {
    EXPECT_NE(entry.path().filename().string().rfind("vamelrss-", 0), 0u) << entry.path();
  }
  r = RunCli("--no refresh --download " + Quote(file) + " " + web, "", env);
  EXPECT_EQ(r.status, 0) << r.err;

  // A server that trickles forever: --timeout ends the download with a message.
  const std::string trickle = "http://127.0.0.1:" + std::to_string(server.Port()) + "/trickle";
  ASSERT_EQ(RunCli("add " + Quote(file) + " --url " + trickle + " --title slow").status, 0);
  r = RunCli("--yes refresh --download --timeout 1 " + Quote(file) + " " + trickle, "", env);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("制限時間 (1 秒) を過ぎても終わらないので中止しました"), std::string::npos) << r.err;
  EXPECT_EQ(RunCli("--yes refresh --download --timeout 0 " + Quote(file) + " " + trickle, "", env).status, 2);
  server.Stop();
}

}  // namespace
