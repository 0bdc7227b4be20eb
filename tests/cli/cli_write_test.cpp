// write: the feed-creation commands of the command line.
#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {

class CliWrite : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    file = TempPath("site.fpj");
    ASSERT_EQ(RunCli("new " + Quote(file) + " --url https://example.jp/ --title Site --folder " + Quote(TempFolder())).status, 0);
    ASSERT_EQ(RunCli("add " + Quote(file) + " --url https://example.jp/a.html --title A --date 2006-01-02T10:03:04+09:00").status, 0);
  }
  std::string file;
};

TEST_F(CliWrite, WritesTheFeedsAndPrintsTheirPaths) {
  std::string projectBefore = ReadFile(file);
  CliResult r = RunCli("write " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempPath("index.rdf") + "\n" + TempPath("atom.xml") + "\n");
  EXPECT_EQ(r.err, "RSSファイル Atomファイル の作成を完了しました\n");
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rdf:RDF"), std::string::npos);
  EXPECT_NE(ReadFile(TempPath("atom.xml")).find("<feed version=\"0.3\""), std::string::npos);
  EXPECT_EQ(ReadFile(file), projectBefore);  // write does not save the project

  // Version-specific formats write that version and leave the version settings alone.
  r = RunCli("write " + Quote(file) + " --format rss20");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempPath("index.rdf") + "\n");
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<rss version=\"2.0\">"), std::string::npos);
  r = RunCli("write " + Quote(file) + " --format atom10");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(TempPath("atom.xml")).find("http://www.w3.org/2005/Atom"), std::string::npos);
  nlohmann::json j = nlohmann::json::parse(RunCli("show --json " + Quote(file)).out);
  EXPECT_EQ(j["rssVersion"], 0);
  EXPECT_EQ(j["atomVersion"], 0);
  EXPECT_EQ(ReadFile(file), projectBefore);

  // rss and atom follow the versions; the fixed clock of the run gives lastBuildDate.
  ASSERT_EQ(RunCli("set " + Quote(file) + " --rss-version 2.0").status, 0);
  r = RunCli("write " + Quote(file) + " --format rss", std::string(), "VAMELRSS_NOW=1136163784");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(TempPath("index.rdf")).find("<lastBuildDate>Mon, 02 Jan 2006 10:03:04 +0900</lastBuildDate>"),
            std::string::npos);
  EXPECT_EQ(RunCli("write " + Quote(file) + " --format rss11").status, 2);
}

TEST_F(CliWrite, ReadsTheSettingsFileOnce) {
  // Stored marker tags, so that the file is there to be read.
  ASSERT_EQ(RunCli("options --set 'System/DefaultStartTag=<!--S-->'").status, 0);
  const std::string trace = TempPath("trace");
  // (The leak checker of a sanitizer build cannot run under strace.)
  ASSERT_EQ(RunCommand("ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 strace -f -e trace=open,openat -o " +
                       Quote(trace) + " " + Quote(VAMELRSS_CLI) + " write " + Quote(file) + " >/dev/null 2>&1"),
            0);
  const std::string calls = ReadFile(trace);
  int opens = 0;
  for (size_t at = calls.find("/Vamel/VamelRss.ini\""); at != std::string::npos;
       at = calls.find("/Vamel/VamelRss.ini\"", at + 1)) {
    ++opens;
  }
  EXPECT_EQ(opens, 1) << calls;
}

TEST_F(CliWrite, FailuresAreReported) {
  // No RSS file name: that feed fails, the other is written.
  ASSERT_EQ(RunCli("set " + Quote(file) + " --rss-file ''").status, 0);
  CliResult r = RunCli("write " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempPath("atom.xml") + "\n");
  EXPECT_EQ(r.err, "Atomファイル の作成を完了しました\n");
  r = RunCli("write " + Quote(file) + " --format rss10");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "作成できませんでした。サイト設定のファイル名等を確認してください\n");
  ASSERT_EQ(RunCli("set " + Quote(file) + " --atom-file ''").status, 0);
  r = RunCli("write " + Quote(file));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "作成できませんでした。サイト設定のファイル名等を確認してください\n");

  // A folder that does not exist: the file's own message, status 1, no path printed.
  ASSERT_EQ(RunCli("set " + Quote(file) + " --atom-file atom.xml --folder " + Quote(TempPath("gone"))).status, 0);
  r = RunCli("write " + Quote(file) + " --format atom");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(TempPath("gone")), std::string::npos) << r.err;
}

TEST_F(CliWrite, SavingAFeedFileWritesItsOwnKind) {
  // A command that changes an opened feed file saves it back as that feed.
  ASSERT_EQ(RunCli("write " + Quote(file) + " --format atom10").status, 0);
  std::string atom = TempPath("atom.xml");
  CliResult r = RunCli("set " + Quote(atom) + " --title Renamed");
  ASSERT_EQ(r.status, 0) << r.err;
  std::string text = ReadFile(atom);
  EXPECT_NE(text.find("<feed xmlns=\"http://www.w3.org/2005/Atom\">"), std::string::npos);
  EXPECT_NE(text.find("<title>Renamed</title>"), std::string::npos);
}

}  // namespace
