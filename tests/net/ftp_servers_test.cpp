// The FTP scenarios that every FTP server must pass, run over several real servers on 127.0.0.1:
// pyftpdlib, and pure-ftpd (a C server whose unprivileged login uid makes permission failures real;
// only as root with pure-ftpd installed). The servers' replies differ; what the client does does not.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "net/net_fixture.h"
#include "net/vamel_ftp.h"
#include "support/missing.h"

namespace {

const std::string kFeed = "<?xml version=\"1.0\"?>\r\n<rdf>\r\n</rdf>\r\n";

// A server of the scenarios and the replies of its own.
struct CFtpServerKind {
  const char* name;
  const char* loginRefused;  // its reply to a wrong password
  const char* noSuchFolder;  // its reply to a change into "/public_html/nosuch"
};

std::ostream& operator<<(std::ostream& out, const CFtpServerKind& kind) { return out << kind.name; }

class FtpServers : public NetTest, public testing::WithParamInterface<CFtpServerKind> {
protected:
  void SetUp() override {
    NetTest::SetUp();
    root = TempPath("ftproot");
    MakeFolder(root + "/public_html");
    MakeFolder(TempPath("site"));
    local = TempPath("site") + "/index.rdf";
    WriteFile(local, kFeed);
    std::vector<std::string> args = {"--root", root};
    std::string script;
    if (std::string(GetParam().name) == "pure_ftpd") {
      if (geteuid() != 0) SKIP_OR_FAIL_IN_CI("pure-ftpd needs root to change to its user's uid");
      if (!HaveProgram("pure-ftpd") || !HaveProgram("pure-pw")) SKIP_OR_FAIL_IN_CI("pure-ftpd is not installed");
      struct passwd* nobody = getpwnam("nobody");
      if (!nobody) SKIP_OR_FAIL_IN_CI("no user nobody");
      // The server reaches the root as "nobody".
      std::filesystem::permissions(TempFolder(), std::filesystem::perms(0755));
      ASSERT_EQ(chown(root.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
      ASSERT_EQ(chown((root + "/public_html").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
      script = "pure_ftpd_server.py";
      args.insert(args.end(), {"--work", TempFolder()});
    } else {
      if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
      script = "ftp_server.py";
      log = TempPath("ftp.log");
      args.insert(args.end(), {"--log", log, "--passive-ports", "0-0"});
    }
    std::string error;
    ASSERT_TRUE(server.Start(script, args, TempFolder(), &error)) << error;
    host = "127.0.0.1:" + std::to_string(server.Port());
  }

  std::string root, local, host;
  std::string log;  // the commands the server received, when it writes them down
};

TEST_P(FtpServers, UploadsInPassiveAndActiveModeInAsciiAndBinary) {
  for (int passive : {1, 0}) {
    SCOPED_TRACE(passive ? "passive" : "active");
    std::filesystem::remove(root + "/public_html/index.rdf");
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", "/", passive);
    ftp.Connect();
    EXPECT_EQ(ftp.GetCurrentDirectory(), "/");
    ftp.ChangeDirectory("public_html");
    EXPECT_EQ(ftp.GetCurrentDirectory(), "/public_html");
    ftp.PutFile(local, true);
    // ASCII mode: the server stores its own line ends.
    EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "<?xml version=\"1.0\"?>\n<rdf>\n</rdf>\n");
    ftp.PutFile(local, false);
    EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), kFeed);
    ftp.Disconnect();
    ftp.Disconnect();  // harmless
  }
  if (log.empty()) return;
  const std::string text = ReadFile(log);
  EXPECT_NE(text.find("EPSV"), std::string::npos);
  EXPECT_NE(text.find("EPRT"), std::string::npos);
  EXPECT_NE(text.find("TYPE A"), std::string::npos);
  EXPECT_NE(text.find("TYPE I"), std::string::npos);
  EXPECT_NE(text.find("STOR index.rdf"), std::string::npos);
  EXPECT_EQ(text.find("secret"), std::string::npos);
}

TEST_P(FtpServers, ARefusedLoginAndAMissingFolderGiveTheServersReplies) {
  {
    CVamelFtp ftp;
    ftp.Set(host, "alice", "wrong", "/", 1);
    EXPECT_EQ(Failure([&] { ftp.Connect(); }),
              std::string("接続エラー:ログインできませんでした(ユーザ名かパスワードが違います) (") + GetParam().loginRefused + ")");
    ftp.Disconnect();  // closes what the failed attempt opened
  }
  CVamelFtp ftp;
  ftp.Set(host, "alice", "secret", "/", 1);
  ftp.Connect();
  ftp.ChangeDirectory("/public_html");  // sent as "//public_html"
  EXPECT_EQ(ftp.GetCurrentDirectory(), "/public_html");
  EXPECT_EQ(Failure([&] { ftp.ChangeDirectory("nosuch"); }),
            std::string("ディレクトリ移動エラー:/public_html/nosuch\nサーバがコマンドを拒否しました (") + GetParam().noSuchFolder + ")");
  // The session goes on in the folder it had.
  EXPECT_EQ(ftp.GetCurrentDirectory(), "/public_html");
  ftp.PutFile(local, false);
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), kFeed);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, FtpServers,
    testing::Values(CFtpServerKind{"pyftpdlib", "530 Authentication failed.", "550 No such file or directory."},
                    CFtpServerKind{"pure_ftpd", "530 Login authentication failed",
                                   "550 Can't change directory to /public_html/nosuch: No such file or directory"}),
    [](const testing::TestParamInfo<CFtpServerKind>& server) { return std::string(server.param.name); });

}  // namespace
