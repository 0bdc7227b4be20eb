// The publishing scenarios that every secure server must pass, run over each of them as one typed
// test: FTP over TLS (pure-ftpd) and SFTP (OpenSSH). What the servers store and say differs (an ASCII
// transfer's line ends, their refusals); what publishing does does not.
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "net/ftps_fixture.h"
#include "net/sftp_fixture.h"

namespace {

template <class Server>
class SecureUploads : public Server {};

struct ServerName {
  template <class Server>
  static std::string GetName(int) {
    return std::is_same_v<Server, FtpsTest> ? "ftps" : "sftp";
  }
};

using Servers = testing::Types<FtpsTest, SftpTest>;
TYPED_TEST_SUITE(SecureUploads, Servers, ServerName);

TYPED_TEST(SecureUploads, PublishesAndReplacesTheFeedWhole) {
  this->Serve();
  ASSERT_FALSE(this->HasFatalFailure());
  const std::string relay = this->Recorder();
  this->Trust(relay);
  this->project.ftp.Host = this->Scheme() + "127.0.0.1:" + relay;

  EXPECT_TRUE(this->UploadFeeds());
  EXPECT_EQ(this->rec.events, (std::vector<std::string>{"open:ftp", "status:接続中", "status:接続完了", "file:index.rdf",
                                                        "status:RSSファイル転送中", "file:atom.xml",
                                                        "status:Atomファイル転送中", "status:切断中", "close"}));
  EXPECT_EQ(this->rec.Texts(), std::vector<std::string>{"転送を完了しました"});
  const std::string published = this->root + "/public_html";
  EXPECT_EQ(ReadFile(published + "/index.rdf"), this->Stored("<rss>\r\n1\r\n</rss>\r\n"));
  EXPECT_EQ(ReadFile(published + "/atom.xml"), this->Stored("<feed>\r\n1\r\n</feed>\r\n"));

  // The second run replaces the old feed (whether or not the server renames onto an existing file)
  // and leaves no temporary file.
  WriteFile(this->local, "<rss>\r\n2\r\n</rss>\r\n");
  EXPECT_TRUE(this->UploadFeeds());
  EXPECT_EQ(ReadFile(published + "/index.rdf"), this->Stored("<rss>\r\n2\r\n</rss>\r\n"));
  EXPECT_EQ(this->Names(published), (std::set<std::string>{"atom.xml", "index.rdf"}));

  // Neither the password nor the user name crossed the wire readably.
  const std::string wire = ReadFile(this->TempPath("wire"));
  EXPECT_EQ(wire.find(this->Password()), std::string::npos);
  EXPECT_EQ(wire.find(this->User()), std::string::npos);
}

TYPED_TEST(SecureUploads, ARefusedLoginAndAFolderTheLoginMayNotWriteToKeepTheOldFeed) {
  this->Serve();
  ASSERT_FALSE(this->HasFatalFailure());
  this->Trust(this->port);
  const std::string host = this->Scheme() + "127.0.0.1:" + this->port;
  auto connect = [&](const std::string& password) {
    std::unique_ptr<CUploadSession> session = CreateUploadSession(host);
    session->Set(host, this->User(), password, "", 1);
    session->SetExtraCaFile(this->CaFile());
    session->Connect();
    return session;
  };
  EXPECT_EQ(this->Failure([&] { connect("pass word #1@host"); }),
            "接続エラー:ログインできませんでした(ユーザ名かパスワードが違います) (" + this->LoginRefused() + ")");

  std::unique_ptr<CUploadSession> session = connect(this->Password());
  session->ChangeDirectory("locked");
  EXPECT_EQ(this->Failure([&] { session->PutFile(this->local, true); }),
            "ファイル転送エラー:" + this->local + "\n" + this->WriteRefused());
  EXPECT_EQ(ReadFile(this->root + "/locked/index.rdf"), "old feed\n");
  EXPECT_EQ(this->Names(this->root + "/locked"), std::set<std::string>{"index.rdf"});
  // The session goes on.
  session->ChangeDirectory("../public_html");
  session->PutFile(this->local, false);
  EXPECT_EQ(ReadFile(this->root + "/public_html/index.rdf"), "<rss>\r\n1\r\n</rss>\r\n");
}

}  // namespace
