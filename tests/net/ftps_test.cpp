// Publishing over FTP with TLS against pure-ftpd with TLS required: what only TLS shows (the control
// connection protected before the login, certificates and CA files, a refused rename). The scenarios
// of every secure server are in secure_uploads_test.cpp.
#include <set>
#include <string>
#include <vector>

#include "net/ftps_fixture.h"
#include "net/vamel_ftp.h"

namespace {

TEST_F(FtpsTest, TheControlConnectionTurnsToTlsBeforeTheLoginAndDataGoesPassive) {
  SetFtpCaFileOption(tls.caCert);
  project.ftp.Host = "ftps://127.0.0.1:" + Recorder();
  // Active mode is asked for, but TLS always connects passively.
  EXPECT_TRUE(Upload(0));
  EXPECT_EQ(rec.Texts(), std::vector<std::string>{"転送を完了しました"});

  // The control connection turned to TLS (never SSL) before the login: no login command crossed the
  // wire readably.
  std::string wire = ReadFile(TempPath("wire"));
  EXPECT_NE(wire.find("AUTH TLS\r\n"), std::string::npos);
  EXPECT_NE(wire.find("234 "), std::string::npos);
  EXPECT_EQ(wire.find("AUTH SSL"), std::string::npos);
  EXPECT_EQ(wire.find("PASS"), std::string::npos);
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

  CVamelFtp ftp;
  ftp.Set(host, "alice", kPassword, "/", 1);
  ftp.SetExtraCaFile(tls.caCert);
  ftp.Connect();
  EXPECT_EQ(ftp.GetCurrentDirectory(), "/");
  EXPECT_EQ(Failure([&] { ftp.ChangeDirectory("nosuch"); }),
            "ディレクトリ移動エラー:/nosuch\nサーバがコマンドを拒否しました "
            "(550 Can't change directory to /nosuch: No such file or directory)");
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
