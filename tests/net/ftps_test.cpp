// Publishing over FTP with TLS against pure-ftpd with TLS required, its certificate made by openssl
// for the test. Runs as root (pure-ftpd changes to its user's uid).
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/net_fixture.h"
#include "support/missing.h"
#include "net/vamel_ftp.h"
#include "settings/options.h"
#include "support/secure_servers.h"

namespace {

// Spaces, "#", "@" and ":" are where a password goes wrong in URLs and command lines.
const std::string kPassword = "pass word #1@host:21";

class FtpsTest : public NetTest {
protected:
  void SetUp() override {
    NetTest::SetUp();
    if (geteuid() != 0) SKIP_OR_FAIL_IN_CI("pure-ftpd needs root to change to its user's uid");
    if (!HaveProgram("pure-ftpd") || !HaveProgram("pure-pw") || !HaveProgram("openssl"))
      SKIP_OR_FAIL_IN_CI("pure-ftpd or openssl is not installed");
    struct passwd* nobody = getpwnam("nobody");
    if (!nobody) SKIP_OR_FAIL_IN_CI("no user nobody");

    root = TempPath("ftproot");
    MakeFolder(root + "/public_html");
    MakeFolder(root + "/locked");
    WriteFile(root + "/locked/index.rdf", "old feed\n");
    std::filesystem::permissions(TempFolder(), std::filesystem::perms(0755));
    ASSERT_EQ(chown(root.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(chown((root + "/public_html").c_str(), nobody->pw_uid, nobody->pw_gid), 0);

    MakeFolder(TempPath("tls"));
    std::string error;
    ASSERT_TRUE(MakeTlsCertificates(TempPath("tls"), tls, error)) << error;
    StartServer();

    MakeFolder(TempPath("site"));
    local = TempPath("site") + "/index.rdf";
    WriteFile(local, "<rss>\r\n1\r\n</rss>\r\n");
    WriteFile(TempPath("site") + "/atom.xml", "<feed>\r\n1\r\n</feed>\r\n");
    project.localFolder = TempPath("site");
    project.ftp.User = "alice";
    project.ftp.Pass = kPassword;
    project.ftp.RemoteDir = "public_html";
  }

  void StartServer(std::vector<std::string> extra = {}) {
    // Each server keeps its user database in a folder of its own.
    std::string work = TempPath("pure" + std::to_string(++servers));
    MakeFolder(work);
    std::vector<std::string> args = {"--root", root, "--work", work, "--password", kPassword,
                                     "--tls-cert", tls.serverPem};
    args.insert(args.end(), extra.begin(), extra.end());
    std::string error;
    ASSERT_TRUE(server.Start("pure_ftpd_server.py", args, TempFolder(), &error)) << error;
    port = std::to_string(server.Port());
  }

  // Starts a relay that records every byte between the client and the server's control port.
  std::string Recorder() {
    std::string error;
    EXPECT_TRUE(recorder.Start("tcp_recorder.py", {"--target-port", port, "--record", TempPath("wire")},
                               TempFolder(), &error))
        << error;
    return std::to_string(recorder.Port());
  }

  bool Upload(int passive) {
    CResult<> result;
    {
      std::unique_ptr<CProgressSink> status(rec.CreateProgress("ftp", false));
      result = UploadFeedFiles(project, passive, GetFtpCaFileOption(), status.get());
    }
    rec.ShowAll(result.messages);
    return result.Ok();
  }

  std::string root, local, port;
  int servers = 0;
  CTlsFiles tls;
  CRssFile project;
  CTestServer recorder;
};

TEST_F(FtpsTest, PublishesOverTlsAndReplacesTheFeedWhole) {
  SetFtpCaFileOption(tls.caCert);
  project.ftp.Host = "ftps://127.0.0.1:" + Recorder();
  // Active mode is asked for, but TLS always connects passively.
  EXPECT_TRUE(Upload(0));
  EXPECT_EQ(rec.events, (std::vector<std::string>{"open:ftp", "status:接続中", "status:接続完了", "file:index.rdf",
                                                  "status:RSSファイル転送中", "file:atom.xml",
                                                  "status:Atomファイル転送中", "status:切断中", "close"}));
  EXPECT_EQ(rec.Texts(), std::vector<std::string>{"転送を完了しました"});
  // An ASCII transfer: the server stores its own line ends.
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "<rss>\n1\n</rss>\n");
  EXPECT_EQ(ReadFile(root + "/public_html/atom.xml"), "<feed>\n1\n</feed>\n");

  // The second run replaces both files through their temporary names, and leaves nothing else.
  WriteFile(local, "<rss>\r\n2\r\n</rss>\r\n");
  EXPECT_TRUE(Upload(1));
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "<rss>\n2\n</rss>\n");
  EXPECT_EQ(Names(root + "/public_html"), (std::set<std::string>{"atom.xml", "index.rdf"}));

  // The control connection turned to TLS before the login: neither the password nor the user name
  // crossed the wire readably.
  std::string wire = ReadFile(TempPath("wire"));
  EXPECT_NE(wire.find("AUTH TLS\r\n"), std::string::npos);
  EXPECT_NE(wire.find("234 "), std::string::npos);
  EXPECT_EQ(wire.find("AUTH SSL"), std::string::npos);
  EXPECT_EQ(wire.find(kPassword), std::string::npos);
  EXPECT_EQ(wire.find("PASS"), std::string::npos);
  EXPECT_EQ(wire.find("USER alice"), std::string::npos);
}

TEST_F(FtpsTest, RefusalsSayWhy) {
  auto connectFailure = [&](const std::string& host, const std::string& caFile, const std::string& password) {
    CVamelFtp ftp;
    ftp.Set(host, "alice", password, "/", 1);
    ftp.SetExtraCaFile(caFile);
    return Failure([&] { ftp.Connect(); });
  };

  {
    // Plain FTP to a server that demands TLS: the server's reason and what to do. What went over the
    // wire shows that the recorder would have caught a password sent in the clear.
    std::string relay = Recorder();
    EXPECT_EQ(connectFailure("127.0.0.1:" + relay, "", kPassword),
              "接続エラー:サーバが接続を打ち切りました (421 Sorry, cleartext sessions and weak ciphers are not "
              "accepted on this server. Please reconnect using TLS security mechanisms.)\n"
              "このサーバはTLSで暗号化した接続を求めています。ホスト名を ftps://127.0.0.1:" + relay + " にしてください");
    std::string wire = ReadFile(TempPath("wire"));
    EXPECT_NE(wire.find("USER alice\r\n"), std::string::npos);
    EXPECT_EQ(wire.find(kPassword), std::string::npos);
  }
  const std::string host = "ftps://127.0.0.1:" + port;
  const std::string hint = "\n自分で作ったCAの証明書を使うサーバなら、そのCAの証明書ファイル(PEM)をオプション System/FtpCaFile "
                           "に指定すると信頼できます";
  // The system's authorities do not know the test's.
  EXPECT_EQ(connectFailure(host, "", kPassword),
            "接続エラー:サーバの証明書を確認できませんでした (SSL certificate problem: unable to get local issuer "
            "certificate)" + hint);
  // A certificate for 127.0.0.1 is no good for another name.
  EXPECT_EQ(connectFailure("ftps://localhost:" + port, tls.caCert, kPassword),
            "接続エラー:サーバの証明書を確認できませんでした (SSL: no alternative certificate subject name matches "
            "target host name 'localhost')" + hint);
  // A CA file that cannot be used is an error, not a silent fallback.
  std::string missing = TempPath("tls/nosuch.pem");
  EXPECT_EQ(connectFailure(host, missing, kPassword),
            "接続エラー:CAファイルを読めません (" + missing + ": No such file or directory)");
  EXPECT_EQ(connectFailure(host, tls.serverPem.substr(0, tls.serverPem.rfind('/')), kPassword),
            "接続エラー:CAファイルがファイルではありません (" + TempPath("tls") + ")");
  WriteFile(TempPath("tls/empty.pem"), "not a certificate\n");
  EXPECT_EQ(connectFailure(host, TempPath("tls/empty.pem"), kPassword),
            "接続エラー:CAファイルにPEM形式の証明書がありません (" + TempPath("tls/empty.pem") + ")");
  EXPECT_EQ(connectFailure(host, tls.caCert, "pass word #1@host"),
            "接続エラー:ログインできませんでした(ユーザ名かパスワードが違います) (530 Login authentication failed)");

  CVamelFtp ftp;
  ftp.Set(host, "alice", kPassword, "/", 1);
  ftp.SetExtraCaFile(tls.caCert);
  ftp.Connect();
  EXPECT_EQ(ftp.GetCurrentDirectory(), "/");
  EXPECT_EQ(Failure([&] { ftp.ChangeDirectory("nosuch"); }),
            "ディレクトリ移動エラー:/nosuch\nサーバがコマンドを拒否しました "
            "(550 Can't change directory to /nosuch: No such file or directory)");
  // A folder the login may not write to: the old feed there stays as it was.
  ftp.ChangeDirectory("locked");
  EXPECT_EQ(Failure([&] { ftp.PutFile(local, true); }),
            "ファイル転送エラー:" + local + "\nサーバがファイルを受け取りませんでした (553 Can't open that file: Permission denied)");
  EXPECT_EQ(ReadFile(root + "/locked/index.rdf"), "old feed\n");
  EXPECT_EQ(Names(root + "/locked"), std::set<std::string>{"index.rdf"});
  // The session goes on.
  ftp.ChangeDirectory("../public_html");
  ftp.PutFile(local, false);
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "<rss>\r\n1\r\n</rss>\r\n");
}

TEST_F(FtpsTest, AServerThatRefusesTheRenameKeepsTheOldFeed) {
  StartServer({"--no-rename"});
  ASSERT_FALSE(HasFatalFailure());
  WriteFile(root + "/public_html/index.rdf", "old feed\n");
  CVamelFtp ftp;
  ftp.Set("ftps://127.0.0.1:" + port, "alice", kPassword, "/", 1);
  ftp.SetExtraCaFile(tls.caCert);
  ftp.Connect();
  ftp.ChangeDirectory("public_html");
  std::string message = Failure([&] { ftp.PutFile(local, true); });
  EXPECT_EQ(message.rfind("ファイル転送エラー:" + local + "\nサーバがコマンドを拒否しました (", 0), 0u) << message;
  // The old feed was neither deleted nor touched, and the temporary file is gone again.
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "old feed\n");
  EXPECT_EQ(Names(root + "/public_html"), std::set<std::string>{"index.rdf"});
}

}  // namespace
