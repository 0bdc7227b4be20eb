// CVamelFtp against a real FTP server (pyftpdlib) on 127.0.0.1: what only this server is set up to show
// (folders, refusals, quota, idle drops). The scenarios of every server are in ftp_servers_test.cpp.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "net/vamel_ftp.h"
#include "net/net_fixture.h"
#include "platform/text_codec.h"
#include "support/missing.h"

namespace {

const std::string kFeed = "<?xml version=\"1.0\"?>\r\n<rdf>\r\n</rdf>\r\n";

class FtpTest : public NetTest {
protected:
  void SetUp() override {
    NetTest::SetUp();
    if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
    root = TempPath("ftproot");
    log = TempPath("ftp.log");
    MakeFolder(root + "/public_html");
    MakeFolder(root + "/home/alice/public_html");
    MakeFolder(root + "/private");
    MakeFolder(TempPath("site"));
    local = TempPath("site") + "/index.rdf";
    WriteFile(local, kFeed);
  }

  void StartServer(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--root", root, "--log", log};
    args.insert(args.end(), extra.begin(), extra.end());
    std::string error;
    ASSERT_TRUE(server.Start("ftp_server.py", args, TempFolder(), &error)) << error;
    host = "127.0.0.1:" + std::to_string(server.Port());
  }

  std::string Log() const { return ReadFile(log); }

  // The message of the exception that `step` throws, UTF-8; "" when it throws none.
  std::string root, log, local, host;
};

TEST_F(FtpTest, FolderIsTakenRelativeToTheCurrentOne) {
  StartServer({"--home", "/home/alice"});
  {
    // No folder given: the session starts in the login folder.
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", "", 1);
    ftp.Connect();
    EXPECT_EQ(ftp.GetCurrentDirectory(), "/home/alice");
    ftp.ChangeDirectory("public_html");
    ftp.PutFile(local, false);
    EXPECT_EQ(ReadFile(root + "/home/alice/public_html/index.rdf"), kFeed);
  }
  {
    // "/" given: "public_html" and "/public_html" both go below "/", the second as "//public_html".
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", "/", 1);
    ftp.Connect();
    EXPECT_EQ(ftp.GetCurrentDirectory(), "/");
    ftp.ChangeDirectory("/public_html");
    EXPECT_NE(Log().find("CWD //public_html"), std::string::npos);
    ftp.PutFile(local, false);
    EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), kFeed);
    // An empty name stays in the current folder.
    ftp.ChangeDirectory("");
    EXPECT_EQ(ftp.GetCurrentDirectory(), "/public_html");
  }
  {
    // Folder and file names with characters the code page lacks go over the wire as UTF-8.
    MakeFolder(root + "/公開🍣 café");
    const std::string named = TempPath("site") + "/索引🍣.rdf";
    WriteFile(named, kFeed);
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", J("/公開🍣 café"), 1);
    ftp.Connect();
    EXPECT_EQ(U(ftp.GetCurrentDirectory()), "/公開🍣 café");
    ftp.PutFile(J(named), false);
    EXPECT_EQ(ReadFile(root + "/公開🍣 café/索引🍣.rdf"), kFeed);
  }
  {
    // A refused change to the folder given to Set is ignored.
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", "/nosuch", 1);
    ftp.Connect();
    EXPECT_EQ(ftp.GetCurrentDirectory(), "/home/alice");
  }
}

TEST_F(FtpTest, RefusalsGiveTheirMessages) {
  StartServer({"--no-enter", "private"});
  CVamelFtp ftp;
  ftp.Set(host, "alice", "secret", "/", 1);
  ftp.Connect();
  EXPECT_EQ(Failure([&] { ftp.ChangeDirectory("nosuch"); }),
            "ディレクトリ移動エラー:/nosuch\nサーバがコマンドを拒否しました (550 No such file or directory.)");
  EXPECT_EQ(Failure([&] { ftp.ChangeDirectory("private"); }),
            "ディレクトリ移動エラー:/private\nサーバがコマンドを拒否しました (550 Not enough privileges.)");
  // The session goes on in the folder it had.
  EXPECT_EQ(ftp.GetCurrentDirectory(), "/");
  std::string missing = TempPath("site") + "/atom.xml";
  EXPECT_EQ(Failure([&] { ftp.PutFile(missing, true); }),
            "ファイル転送エラー:" + missing + "\nローカルファイルを開けませんでした (No such file or directory)");
  EXPECT_EQ(Failure([&] { ftp.PutFile(TempPath("site") + "/bad\r\nDELE x", true); }),
            "ファイル転送エラー:" + TempPath("site") + "/bad\r\nDELE x\nファイル名に改行があります");
  EXPECT_EQ(Failure([&] { ftp.ChangeDirectory("a\r\nRMD public_html"); }),
            "ディレクトリ移動エラー:/a\r\nRMD public_html\nフォルダ名に改行があります");
  EXPECT_TRUE(std::filesystem::is_directory(root + "/public_html"));
}

TEST_F(FtpTest, ConnectionFailuresSayWhy) {
  StartServer();
  {
    // Nothing listens on the port of a server that has just stopped.
    int port = server.Port();
    server.Stop();
    CVamelFtp ftp;
    ftp.Set("127.0.0.1:" + std::to_string(port), "alice", "secret", "/", 1);
    std::string message = Failure([&] { ftp.Connect(); });
    EXPECT_EQ(message.rfind("接続エラー:サーバに接続できませんでした (", 0), 0u) << message;
  }
  {
    // A server that accepts the connection and then says nothing: a timeout, not a hang.
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    CVamelFtp ftp;
    ftp.Set("127.0.0.1:" + std::to_string(ntohs(address.sin_port)), "alice", "secret", "/", 1);
    ftp.SetTimeouts(1, 1);
    std::string message = Failure([&] { ftp.Connect(); });
    close(listener);
    EXPECT_EQ(message.rfind("接続エラー:サーバが応答しません (", 0), 0u) << message;
  }
  for (const char* bad : {"", "  ", "host/path", "a b", "host:0", "host:99999", "host:x", "evil\r\nhost", "[::1"}) {
    CVamelFtp ftp;
    ftp.Set(bad, "alice", "secret", "/", 1);
    std::string message = Failure([&] { ftp.Connect(); });
    EXPECT_EQ(message.rfind("接続エラー:", 0), 0u) << bad << ": " << message;
  }
  {
    CVamelFtp ftp;
    ftp.Set("127.0.0.1", "alice\r\nDELE x", "secret", "/", 1);
    EXPECT_EQ(Failure([&] { ftp.Connect(); }), "接続エラー:ユーザ名、パスワードまたはフォルダ名に改行があります");
  }
  {
    // Not connected: each step fails with its own message.
    CVamelFtp ftp;
    EXPECT_EQ(Failure([&] { ftp.GetCurrentDirectory(); }), "カレントディレクトリ取得エラー");
    EXPECT_EQ(Failure([&] { ftp.PutFile(local, true); }), "ファイル転送エラー:" + local);
  }
}

TEST_F(FtpTest, ServerRefusingOrCuttingOffAnUpload) {
  {
    StartServer({"--read-only"});
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", "/", 1);
    ftp.Connect();
    EXPECT_EQ(Failure([&] { ftp.PutFile(local, true); }),
              "ファイル転送エラー:" + local + "\nサーバがファイルを受け取りませんでした (550 Not enough privileges.)");
  }
  {
    StartServer({"--quota", "1000"});
    std::string big = TempPath("site") + "/big.xml";
    WriteFile(big, std::string(200000, 'x'));
    CVamelFtp ftp;
    ftp.Set(host, "alice", "secret", "/", 1);
    ftp.Connect();
    std::string message = Failure([&] { ftp.PutFile(big, false); });
    EXPECT_EQ(message, "ファイル転送エラー:" + big + "\nサーバの容量が足りません (552 Disk quota exceeded; transfer aborted.)");
    EXPECT_TRUE(WaitForFileText(log, "INCOMPLETE big.xml"));
    // The session is still usable: a small file goes through.
    ftp.PutFile(local, false);
    EXPECT_EQ(ReadFile(root + "/index.rdf"), kFeed);
  }
}

TEST_F(FtpTest, ReconnectsIntoTheSameFolderAfterAnIdleDrop) {
  StartServer({"--idle-timeout", "1"});
  CVamelFtp ftp;
  ftp.Set(host, "alice", "secret", "/", 1);
  ftp.Connect();
  ftp.ChangeDirectory("public_html");
  ASSERT_TRUE(WaitForFileText(log, "DISCONNECT"));
  ftp.PutFile(local, false);
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), kFeed);
  EXPECT_EQ(ftp.GetCurrentDirectory(), "/public_html");
}

}  // namespace
