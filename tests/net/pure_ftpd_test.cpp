// CVamelFtp against pure-ftpd, a real C server whose unprivileged login uid makes permission failures
// real: the refusals only it is set up to show. Runs only as root with pure-ftpd installed. The
// scenarios of every server are in ftp_servers_test.cpp.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "net/net_fixture.h"
#include "net/vamel_ftp.h"
#include "support/missing.h"

namespace {

const std::string kFeed = "<?xml version=\"1.0\"?>\r\n<rdf>\r\n</rdf>\r\n";

class PureFtpdTest : public NetTest {
protected:
  void SetUp() override {
    NetTest::SetUp();
    if (geteuid() != 0) SKIP_OR_FAIL_IN_CI("pure-ftpd needs root to change to its user's uid");
    if (!HaveProgram("pure-ftpd") || !HaveProgram("pure-pw")) SKIP_OR_FAIL_IN_CI("pure-ftpd is not installed");
    struct passwd* nobody = getpwnam("nobody");
    if (!nobody) SKIP_OR_FAIL_IN_CI("no user nobody");
    root = TempPath("pureroot");
    MakeFolder(root + "/public_html");
    MakeFolder(root + "/locked");
    // The server reaches the root as "nobody"; "locked" stays root's.
    std::filesystem::permissions(TempFolder(), std::filesystem::perms(0755));
    ASSERT_EQ(chown(root.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(chown((root + "/public_html").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    MakeFolder(TempPath("site"));
    local = TempPath("site") + "/index.rdf";
    WriteFile(local, kFeed);
  }

  void StartServer(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--root", root, "--work", TempFolder()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::string error;
    ASSERT_TRUE(server.Start("pure_ftpd_server.py", args, TempFolder(), &error)) << error;
    host = "127.0.0.1:" + std::to_string(server.Port());
  }

  std::string root, local, host;
};

TEST_F(PureFtpdTest, RefusalsOfTheRealServer) {
  StartServer({"--quota-mb", "1"});
  CVamelFtp ftp;
  ftp.Set(host, "alice", "secret", "/", 1);
  ftp.Connect();
  // The login uid may not write into a folder of root's.
  ftp.ChangeDirectory("locked");
  EXPECT_EQ(Failure([&] { ftp.PutFile(local, true); }),
            "ファイル転送エラー:" + local + "\nサーバがファイルを受け取りませんでした (553 Can't open that file: Permission denied)");
  // Past the quota the server throws the upload away; it either answers or resets the data
  // connection while the client still sends.
  ftp.ChangeDirectory("../public_html");
  std::string big = TempPath("site") + "/big.xml";
  WriteFile(big, std::string(3 << 20, 'x'));
  std::string message = Failure([&] { ftp.PutFile(big, false); });
  // The quota answer may come as one line or with a line of usage before it.
  const std::string head = "ファイル転送エラー:" + big + "\n";
  const bool quota = message.rfind(head + "サーバの容量が足りません (552 ", 0) == 0 &&
                     message.find("Quota exceeded: [big.xml] won't be saved)") != std::string::npos;
  EXPECT_TRUE(quota || message == head + "サーバとの接続が切れました (Send failure: Connection reset by peer)") << message;
  // And the session goes on. The server finishes one command before it takes the next, so once the
  // next upload is through, the refused file is gone (right after a reset it may still be there).
  ftp.PutFile(local, false);
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), kFeed);
  EXPECT_FALSE(std::filesystem::exists(root + "/public_html/big.xml"));
}

}  // namespace
