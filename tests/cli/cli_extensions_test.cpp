// The extension flags of `set` and `add`, `show` with extensions, and a project set back to its
// defaults saving the classic bytes again.
#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliExtensions : public VamelTest {};
}

TEST_F(CliExtensions, SetAddShowAndBackToTheClassicBytes) {
  const std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title T --url https://example.jp/ --folder " + Quote(TempFolder()));
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("add " + Quote(file) + " --url https://example.jp/a.html --title A");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string classic = ReadFile(file);
  r = RunCli("show " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("extensions"), std::string::npos);

  r = RunCli("set " + Quote(file) +
             " --language en-GB --self-links on --full-text on --item-images on --hold-future on"
             " --site-image https://example.jp/logo.png --site-icon https://example.jp/icon.png"
             " --websub-hub https://hub.example.jp/ --websub-hub 'http://hub2.example.jp/?a=1&b=2' --verify-url on");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("show --json " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["extensions"], nlohmann::json::parse(R"({"fullText":true,"holdFuture":true,"itemImages":true,
      "language":"en-GB","selfLinks":true,"siteIcon":"https://example.jp/icon.png","siteImage":"https://example.jp/logo.png",
      "jsonFeed":false,"jsonFileName":"feed.json","jsonCount":20,
      "sections":[],"verifyUrl":true,"websubHubs":["https://hub.example.jp/","http://hub2.example.jp/?a=1&b=2"],
      "podcast":false,"podcastAuthor":"","podcastCategory":"","podcastExplicit":"","podcastImage":"",
      "podcastLocked":false,"podcastOwnerEmail":"","podcastType":""})"));
  EXPECT_EQ(j["items"][0]["extensions"], nlohmann::json::parse(R"({"hidden":false,"image":"","episode":0,"season":0,
      "episodeType":"","enclosure":{"url":"","length":0,"type":"","duration":0}})"));
  r = RunCli("show " + Quote(file));
  EXPECT_NE(r.out.find("extensions        {\"fullText\":true,"), std::string::npos) << r.out;
  r = RunCli("write " + Quote(file) + " --format rss20");
  ASSERT_EQ(r.status, 0) << r.err;
  std::string feed = ReadFile(TempPath("index.rdf"));
  EXPECT_NE(feed.find("<language>en-GB</language>"), std::string::npos);
  EXPECT_NE(feed.find("<atom:link href=\"https://example.jp/index.rdf\" rel=\"self\" type=\"application/rss+xml\" />"),
            std::string::npos);
  EXPECT_NE(feed.find("<atom:link href=\"http://hub2.example.jp/?a=1&amp;b=2\" rel=\"hub\" />"), std::string::npos) << feed;

  // Usage errors: status 2, nothing changed.
  const std::string extended = ReadFile(file);
  for (const char* bad : {" --language en_US", " --language ''", " --self-links yes", " --hold-future 1",
                          " --websub-hub ftp://hub.example.jp/", " --websub-hub hub.example.jp", " --verify-url yes"}) {
    r = RunCli("set " + Quote(file) + bad);
    EXPECT_EQ(r.status, 2) << bad << r.err;
  }
  EXPECT_EQ(ReadFile(file), extended);

  // Every value back to its default: the classic bytes again.
  r = RunCli("set " + Quote(file) +
             " --language ja --self-links off --full-text off --item-images off --hold-future off --site-image '' --site-icon ''"
             " --websub-hub '' --verify-url off");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(file), classic);

  // An item's own values: kept in the project, shown, and a hidden item stays out of the feed.
  r = RunCli("add " + Quote(file) + " --url https://example.jp/b.html --image 'https://example.jp/b.png?x=1&y=2' --hidden");
  ASSERT_EQ(r.status, 0) << r.err;
  j = nlohmann::json::parse(RunCli("show --json " + Quote(file)).out);
  ASSERT_EQ(j["items"].size(), 2u);
  EXPECT_EQ(j["items"][0]["extensions"], nlohmann::json::parse(R"({"hidden":true,"image":"https://example.jp/b.png?x=1&y=2",
      "episode":0,"season":0,"episodeType":"","enclosure":{"url":"","length":0,"type":"","duration":0}})"));
  r = RunCli("show " + Quote(file));
  EXPECT_NE(r.out.find("     {\"hidden\":true,\"image\":\"https://example.jp/b.png?x=1&y=2\"}\n"), std::string::npos) << r.out;
  r = RunCli("write " + Quote(file) + " --format rss20");
  ASSERT_EQ(r.status, 0) << r.err;
  feed = ReadFile(TempPath("index.rdf"));
  EXPECT_EQ(feed.find("b.html"), std::string::npos);
  EXPECT_NE(feed.find("a.html"), std::string::npos);
}

// A damaged extension block: the command goes on with the project's own data, and standard error holds
// the one message, its line breaks as a terminal's.
TEST_F(CliExtensions, ADamagedBlockIsReportedOnceAndMendedBySaving) {
  const std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file) + " --title T --url https://example.jp/ --language en").status, 0);
  WriteFile(file, ReadFile(file) + "x");
  CliResult r = RunCli("show --json " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["siteTitle"], "T");
  EXPECT_EQ(nlohmann::json::parse(r.out)["extensions"]["language"], "ja");
  EXPECT_EQ(r.err,
            "このプロジェクトの拡張設定の一部が壊れていたため、次の値を既定値に戻しました。"
            "上書き保存すると正しい拡張設定が書き込まれます。\n\n・すべての拡張設定（プロジェクトとアイテム）\n");
  r = RunCli("set " + Quote(file) + " --language fr");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("show " + Quote(file));
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("extensions        {\"language\":\"fr\"}"), std::string::npos) << r.out;
}

