// add --enclosure with a media file of the site, a URL the server tells about or not, and the values
// given by hand; the exit status of each.
#include <filesystem>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/media_files.h"
#include "support/test_env.h"
#include "support/test_server.h"

namespace {
class CliEnclosure : public VamelTest {};
}

TEST_F(CliEnclosure, AddWithAnEnclosure) {
  const std::string file = TempPath("cast.fpj");
  const std::string site = TempPath("site");
  std::filesystem::create_directories(site + "/ep");
  ASSERT_TRUE(MakeTone(site + "/ep/one.mp3", 3));
  CliResult r = RunCli("new " + Quote(file) + " --title T --url https://example.jp/ --folder " + Quote(site));
  ASSERT_EQ(r.status, 0) << r.err;
  auto enclosure = [&](int index) {
    const CliResult shown = RunCli("show --json " + Quote(file));
    return nlohmann::json::parse(shown.out)["items"][index]["extensions"]["enclosure"];
  };

  r = RunCli("add " + Quote(file) + " --url https://example.jp/one.html --enclosure " + Quote(site + "/ep/one.mp3"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto size = static_cast<std::int64_t>(std::filesystem::file_size(site + "/ep/one.mp3"));
  EXPECT_EQ(enclosure(0), nlohmann::json({{"url", "https://example.jp/ep/one.mp3"}, {"length", size},
                                          {"type", "audio/mpeg"}, {"duration", 3}}));

  // By hand over what the file says.
  r = RunCli("add " + Quote(file) + " --url https://example.jp/two.html --enclosure " + Quote(site + "/ep/one.mp3") +
             " --enclosure-type audio/x-test --enclosure-length 99 --duration 3600");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(enclosure(0), nlohmann::json({{"url", "https://example.jp/ep/one.mp3"}, {"length", 99},
                                          {"type", "audio/x-test"}, {"duration", 3600}}));

  // A URL: the server's figures, a warning line for each one it does not tell; nothing asked when
  // both are given by hand.
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  CTestServer server;
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  r = RunCli("add " + Quote(file) + " --url https://example.jp/3.html --enclosure " + base + "/media.mp3 --duration 61");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(enclosure(0), nlohmann::json({{"url", base + "/media.mp3"}, {"length", 123456}, {"type", "audio/mpeg"},
                                          {"duration", 61}}));
  r = RunCli("add " + Quote(file) + " --url https://example.jp/4.html --enclosure " + base + "/untold.mp3");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "warning: 添付ファイルの長さ（バイト数）が分かりません: " + base + "/untold.mp3\n"
                   "warning: 添付ファイルの種類（MIMEタイプ）が分かりません: " + base + "/untold.mp3\n");
  r = RunCli("add " + Quote(file) + " --url https://example.jp/5.html --enclosure " + base +
             "/gone.mp3 --enclosure-type audio/mpeg --enclosure-length 5 --duration 1");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(enclosure(0)["length"], 5);

  // Failures (status 1) and bad usage (status 2) leave the file as it was.
  const std::string before = ReadFile(file);
  r = RunCli("add " + Quote(file) + " --url https://example.jp/6.html --enclosure " + base + "/gone.mp3");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("(HTTP 404)"), std::string::npos) << r.err;
  ASSERT_TRUE(MakeTone(TempPath("outside.mp3"), 1));
  r = RunCli("add " + Quote(file) + " --url https://example.jp/6.html --enclosure " + Quote(TempPath("outside.mp3")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("の下にありません"), std::string::npos) << r.err;
  r = RunCli("add " + Quote(file) + " --url https://example.jp/6.html --enclosure " + Quote(site + "/ep/none.mp3"));
  EXPECT_EQ(r.status, 1);
  for (const char* bad : {" --duration 5", " --enclosure-type audio/mpeg", " --enclosure x.mp3 --duration -1",
                          " --enclosure x.mp3 --enclosure-length many", " --enclosure x.mp3 --duration 99999999999"}) {
    r = RunCli("add " + Quote(file) + " --url https://example.jp/7.html" + bad);
    EXPECT_EQ(r.status, 2) << bad << ": " << r.err;
  }
  EXPECT_EQ(ReadFile(file), before);
}
