#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "check/feed_check.h"
#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliProject : public VamelTest {};
}

TEST_F(CliProject, NewSetAddShowRoundTrip) {
  std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title 'テスト & co' --url https://example.jp/ --folder " +
                       Quote(TempFolder()) + " --rss-version 2.0 --atom-mode description --rss-count 5");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(RunCli("new " + Quote(file)).status, 1);  // never replaces a project silently
  r = RunCli("set " + Quote(file) + " --ftp-host 127.0.0.1:2121 --ftp-user u --ftp-password-stdin --ftp-dir pub",
             "s3cret\n");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("add " + Quote(file) + " --url https://example.jp/a.html --title '記事' --category News "
             "--date 2006-01-02T10:03:04+09:00 --content '<p>x</p>'");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("add " + Quote(file) + " --url https://example.jp/b.html --published 2006-01-01T00:00:00Z");
  ASSERT_EQ(r.status, 0) << r.err;

  r = RunCli("show --json " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], 0);
  EXPECT_EQ(j["siteTitle"], "テスト & co");
  EXPECT_EQ(j["localFolder"], TempFolder());
  EXPECT_EQ(j["rssVersion"], 1);
  EXPECT_EQ(j["rssCount"], 5);
  EXPECT_EQ(j["atomMode"], 1);
  EXPECT_EQ(j["ftp"]["Host"], "127.0.0.1:2121");
  EXPECT_EQ(j["ftp"]["passwordSet"], true);
  EXPECT_EQ(j["ftp"]["RemoteDir"], "pub");
  ASSERT_EQ(j["items"].size(), 2u);
  EXPECT_EQ(j["items"][0]["url"], "https://example.jp/b.html");  // new items go first
  EXPECT_EQ(j["items"][0]["published"], 1136073600);
  EXPECT_EQ(j["items"][1]["title"], "記事");
  EXPECT_EQ(j["items"][1]["date"], 1136163784);
  EXPECT_EQ(j["items"][1]["published"], 1136163784);  // --date alone sets both
  EXPECT_EQ(j["items"][1]["content"], "<p>x</p>");
  EXPECT_EQ(ReadFile(file).find("s3cret"), std::string::npos);

  r = RunCli("show " + Quote(file));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("テスト & co"), std::string::npos);
}

TEST_F(CliProject, DuplicatesUsageAndFailures) {
  std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file)).status, 0);
  ASSERT_EQ(RunCli("add " + Quote(file) + " --url u --title one").status, 0);
  CliResult r = RunCli("add " + Quote(file) + " --url u --title two");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("このURLを持つアイテムがすでにあります"), std::string::npos);
  ASSERT_EQ(RunCli("add " + Quote(file) + " --url u --title two --on-duplicate replace").status, 0);
  ASSERT_EQ(RunCli("add " + Quote(file) + " --url u --title three --on-duplicate beside").status, 0);
  nlohmann::json j = nlohmann::json::parse(RunCli("show --json " + Quote(file)).out);
  ASSERT_EQ(j["items"].size(), 2u);
  EXPECT_EQ(j["items"][0]["title"], "three");
  EXPECT_EQ(j["items"][1]["title"], "two");

  EXPECT_EQ(RunCli("").status, 2);
  EXPECT_EQ(RunCli("bogus").status, 2);
  EXPECT_EQ(RunCli("add " + Quote(file) + " --url v --date yesterday").status, 2);
  EXPECT_EQ(RunCli("set " + Quote(file) + " --rss-version 3.0").status, 2);
  EXPECT_EQ(RunCli("--help").status, 0);
  r = RunCli("show " + Quote(TempPath("missing.fpj")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("が見つかりません"), std::string::npos);
  WriteFile(TempPath("junk.fpj"), "not a project");
  r = RunCli("show " + Quote(TempPath("junk.fpj")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("予期しないﾌｧｲﾙ形式です。"), std::string::npos);
}

TEST_F(CliProject, FtpHostTakesThePublishingProtocols) {
  std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file)).status, 0);
  auto host = [&] { return nlohmann::json::parse(RunCli("show --json " + Quote(file)).out)["ftp"]["Host"]; };
  for (const char* form : {"ftp.example.jp", "127.0.0.1:2121", "ftps://ftp.example.jp", "FTPS://[::1]:990",
                           "sftp://example.jp:2222"}) {
    CliResult r = RunCli("set " + Quote(file) + " --ftp-host " + Quote(form));
    EXPECT_EQ(r.status, 0) << form << ": " << r.err;
    EXPECT_EQ(host(), form);  // stored as typed
  }
  // Refused before anything is stored, with the reason; an empty host clears the field.
  CliResult r = RunCli("set " + Quote(file) + " --ftp-host https://example.jp");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--ftp-host: 対応していないプロトコルです (https://)"), std::string::npos) << r.err;
  r = RunCli("set " + Quote(file) + " --ftp-host sftp://example.jp:99999");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("ポート番号が正しくありません (sftp://example.jp:99999)"), std::string::npos) << r.err;
  EXPECT_EQ(host(), "sftp://example.jp:2222");
  EXPECT_EQ(RunCli("set " + Quote(file) + " --ftp-host ''").status, 0);
  EXPECT_EQ(host(), "");
  EXPECT_NE(RunCli("set --help").out.find("sftp://HOST[:PORT]"), std::string::npos);
}

// Text from a feed or a page reaches the terminal with its control characters made visible: an
// escape sequence cannot retitle or reprogram the terminal, a line feed cannot fake a line. The JSON
// output keeps the text exact (JSON escapes them itself).
TEST_F(CliProject, ShowMakesControlCharactersVisible) {
  std::string file = TempPath("site.fpj");
  const std::string title = "a\x1b]0;pwned\x07 b\r c\xc2\x9b" "2J\n  2. fake";
  ASSERT_EQ(RunCli("new " + Quote(file) + " --title " + Quote(title)).status, 0);
  CliResult r = RunCli("show " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("a\\x1b]0;pwned\\x07 b\\x0d c\\x9b2J\\x0a  2. fake\n"), std::string::npos) << r.out;
  for (char c : r.out) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << static_cast<int>(c);
  EXPECT_EQ(r.out.find("\xc2\x9b"), std::string::npos);
  r = RunCli("show --json " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["siteTitle"], title);
}

// Inputs that never end are read no further than their limit and fail with a message, not an abort.
TEST_F(CliProject, EndlessInputsFailCleanly) {
  CliResult r = RunCli("show /dev/zero");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("予期しないﾌｧｲﾙ形式です。"), std::string::npos) << r.err;
  r = RunCli("check /dev/fd/3 3</dev/zero");  // a pipe or device given as a path, like /dev/stdin
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(std::to_string(kMaxCheckedFileSize)), std::string::npos) << r.out << r.err;
}

// A project file holds the FTP password, scrambled only: `new` and Save As make it 0600, and saving
// over a file keeps the mode its owner gave it.
TEST_F(CliProject, ProjectFilesAreTheOwnersOnly) {
  auto mode = [](const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
  };
  const std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file) + " --ftp-user u --ftp-password-stdin", "s3cret\n").status, 0);
  EXPECT_EQ(mode(file), 0600u);
  const std::string copy = TempPath("copy.fpj");
  ASSERT_EQ(RunCli("save-as " + Quote(file) + " " + Quote(copy) + " --kind project").status, 0);
  EXPECT_EQ(mode(copy), 0600u);
  chmod(file.c_str(), 0640);
  ASSERT_EQ(RunCli("set " + Quote(file) + " --title t").status, 0);
  EXPECT_EQ(mode(file), 0640u);
}
