// Publishing over SFTP against OpenSSH's sshd: what only SFTP shows (the files' owner and mode, folders
// as the server names them, host keys, the agent's keys). The scenarios of every secure server are in
// secure_uploads_test.cpp.
#include <signal.h>

#include <set>
#include <string>
#include <vector>

#include "net/sftp_fixture.h"
#include "support/cli_runner.h"

namespace {

TEST_F(SftpTest, PublishedFilesAreTheUsersAndTheCommandLinePublishesToo) {
  StartServer();
  std::string relay = Recorder();
  setenv("HOME", home.c_str(), 1);
  KnowHost(relay, hostKey + ".pub");
  project.ftp.Host = "sftp://127.0.0.1:" + relay;
  ASSERT_TRUE(Upload());
  // A feed that replaced the old one (OpenSSH does not rename onto an existing file) is the user's
  // and the web server can read it.
  WriteFile(local, "<rss>\r\n2\r\n</rss>\r\n");
  ASSERT_TRUE(Upload());
  struct stat st;
  ASSERT_EQ(stat((root + "/public_html/index.rdf").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(st.st_uid, static_cast<uid_t>(uid));
  // Only the greeting crossed the wire in the clear: no feed either.
  std::string wire = ReadFile(TempPath("wire"));
  EXPECT_NE(wire.find("SSH-2.0-"), std::string::npos);
  EXPECT_EQ(wire.find("<rss>"), std::string::npos);

  // The command line publishes there too.
  KnowHost(port, hostKey + ".pub");
  std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title Site --url https://example.jp/ --folder " +
                           Quote(TempPath("site")) + " --ftp-host sftp://127.0.0.1:" + port + " --ftp-user " + kUser +
                           " --ftp-password-stdin --ftp-dir public_html",
                       kPassword + "\n");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("publish " + Quote(file) + " --yes");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("転送を完了しました"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), ReadFile(local));
  EXPECT_NE(ReadFile(local).find("<channel "), std::string::npos);  // written by publish
}

TEST_F(SftpTest, FoldersAndRefusals) {
  StartServer();
  setenv("HOME", home.c_str(), 1);
  KnowHost(port, hostKey + ".pub");
  const std::string host = "sftp://127.0.0.1:" + port;

  {
    // A folder given to Set is where the session starts.
    CVamelSftp sftp;
    sftp.Set(host, kUser, kPassword, "/", 0);
    sftp.Connect();
    EXPECT_EQ(sftp.GetCurrentDirectory(), "/");
  }
  CVamelSftp sftp;
  sftp.Set(host, kUser, kPassword, "", 0);
  sftp.Connect();
  EXPECT_EQ(sftp.GetCurrentDirectory(), root);
  sftp.ChangeDirectory("public_html");
  EXPECT_EQ(sftp.GetCurrentDirectory(), root + "/public_html");
  sftp.ChangeDirectory(root + "/locked/");
  EXPECT_EQ(sftp.GetCurrentDirectory(), root + "/locked");
  EXPECT_EQ(Failure([&] { sftp.ChangeDirectory("nosuch"); }),
            "ディレクトリ移動エラー:" + root + "/locked/nosuch\nサーバにそのファイルかフォルダがありません "
            "(Could not open directory for reading: No such file or directory)");
  EXPECT_EQ(Failure([&] { sftp.ChangeDirectory("index.rdf"); }).rfind("ディレクトリ移動エラー:" + root + "/locked/index.rdf\n", 0), 0u);
  EXPECT_EQ(sftp.GetCurrentDirectory(), root + "/locked");
  std::string missing = TempPath("site") + "/nosuch.xml";
  EXPECT_EQ(Failure([&] { sftp.PutFile(missing, true); }),
            "ファイル転送エラー:" + missing + "\nローカルファイルを開けませんでした (No such file or directory)");
  // The session goes on, into a folder whose name needs escaping in URLs and in quote commands.
  const std::string odd = "公開 \"html\" #1%20";
  MakeFolder(root + "/public_html/" + odd);
  ASSERT_EQ(chown((root + "/public_html/" + odd).c_str(), static_cast<uid_t>(uid), 65534), 0);
  sftp.ChangeDirectory("../public_html");
  sftp.ChangeDirectory(J(odd));
  EXPECT_EQ(U(sftp.GetCurrentDirectory()), root + "/locked/../public_html/" + odd);  // as given, not resolved
  sftp.PutFile(local, true);
  sftp.PutFile(local, true);
  EXPECT_EQ(ReadFile(root + "/public_html/" + odd + "/index.rdf"), "<rss>\r\n1\r\n</rss>\r\n");
  EXPECT_EQ(Names(root + "/public_html/" + odd), std::set<std::string>{"index.rdf"});
  EXPECT_EQ(ReadFile(TempPath("sshd.log")).find(kPassword), std::string::npos);
}

TEST_F(SftpTest, OnlyTheRecordedHostKeyIsAccepted) {
  StartServer();
  setenv("HOME", home.c_str(), 1);
  const std::string host = "sftp://127.0.0.1:" + port;
  const std::string fingerprint = "ssh-ed25519 " + SshFingerprint(hostKey + ".pub");
  ASSERT_EQ(fingerprint.rfind("ssh-ed25519 SHA256:", 0), 0u) << fingerprint;
  const std::string unknown = "接続エラー:サーバのホスト鍵が ~/.ssh/known_hosts に登録されていません (" + fingerprint +
                              ")\nこの指紋がサーバの管理者の示すものと同じことを確かめてから、ssh-keyscan -p " + port +
                              " 127.0.0.1 >> ~/.ssh/known_hosts で鍵を登録してください";

  // No known_hosts at all, then one that knows the server only on another port.
  EXPECT_EQ(ConnectFailure(host, kPassword), unknown);
  EXPECT_FALSE(std::filesystem::exists(knownHosts));  // nothing was added behind the user's back
  KnowHost("1", hostKey + ".pub");
  EXPECT_EQ(ConnectFailure(host, kPassword), unknown);

  // Another key on record for this server: someone may stand in between.
  ASSERT_TRUE(MakeSshKey(TempPath("other_key"), "other"));
  WriteFile(knownHosts, "");
  KnowHost(port, TempPath("other_key.pub"));
  std::string before = ReadFile(knownHosts);
  EXPECT_EQ(ConnectFailure(host, kPassword),
            "接続エラー:サーバのホスト鍵が ~/.ssh/known_hosts に登録された鍵と違います (" + fingerprint +
                ")\n別のサーバがなりすましている恐れがあります。サーバの鍵が本当に変わったことを管理者に確かめてから、"
                "ssh-keygen -R \"[127.0.0.1]:" + port + "\" で古い鍵を消し、新しい鍵を登録してください");
  EXPECT_EQ(ReadFile(knownHosts), before);

  // Doing what the messages say works: remove the old key, record the server's.
  ASSERT_EQ(RunCommand("ssh-keygen -R \"[127.0.0.1]:" + port + "\" -f " + knownHosts + " >/dev/null 2>&1"), 0);
  ASSERT_EQ(RunCommand("ssh-keyscan -p " + port + " 127.0.0.1 >> ~/.ssh/known_hosts 2>/dev/null"), 0);
  EXPECT_EQ(ConnectFailure(host, kPassword), "");
  // Hashed names, as ssh writes them by default on Debian, are understood too.
  ASSERT_EQ(RunCommand("ssh-keygen -H -f " + knownHosts + " >/dev/null 2>&1"), 0);
  EXPECT_EQ(ReadFile(knownHosts).find("127.0.0.1"), std::string::npos);
  EXPECT_EQ(ConnectFailure(host, kPassword), "");
}

// known_hosts is read as OpenSSH reads it: an entry for port 22 is no entry for another port, and a
// key marked @revoked is refused, whatever other line records it.
TEST_F(SftpTest, KnownHostsEntriesAreMatchedByPortAndRevokedKeysRefused) {
  StartServer();
  setenv("HOME", home.c_str(), 1);
  const std::string host = "sftp://127.0.0.1:" + port;
  const std::string key = SshPublicKey(hostKey + ".pub");
  const std::string fingerprint = "ssh-ed25519 " + SshFingerprint(hostKey + ".pub");
  WriteFile(knownHosts, "127.0.0.1 " + key + "\n");
  EXPECT_NE(ConnectFailure(host, kPassword).find("に登録されていません"), std::string::npos);

  const std::string revoked = "接続エラー:サーバのホスト鍵は ~/.ssh/known_hosts で失効 (@revoked) とされています (" +
                              fingerprint + ")\n失効した鍵のサーバには接続しません。サーバの管理者に新しい鍵を確かめてください";
  WriteFile(knownHosts, "[127.0.0.1]:" + port + " " + key + "\n@revoked [127.0.0.1]:" + port + " " + key + "\n");
  EXPECT_EQ(ConnectFailure(host, kPassword), revoked);
  WriteFile(knownHosts, "@revoked * " + key + "\n[127.0.0.1]:" + port + " " + key + "\n");
  EXPECT_EQ(ConnectFailure(host, kPassword), revoked);

  // A pattern for the server's name and port is an entry for it.
  WriteFile(knownHosts, "# comment\n[127.0.0.?]:" + port + ",other.example " + key + "\n");
  EXPECT_EQ(ConnectFailure(host, kPassword), "");
}

TEST_F(SftpTest, KeysOfARunningAgentAreTriedAfterThePassword) {
  std::string userKey = TempPath("user_key");
  ASSERT_TRUE(MakeSshKey(userKey, "user"));
  WriteFile(TempPath("authorized_keys"), ReadFile(userKey + ".pub"));
  StartServer(TempPath("authorized_keys"));
  setenv("HOME", home.c_str(), 1);
  KnowHost(port, hostKey + ".pub");
  const std::string host = "sftp://127.0.0.1:" + port;

  // Without an agent an empty password cannot log in, and says so before connecting.
  EXPECT_EQ(ConnectFailure(host, ""), "接続エラー:パスワードが設定されていません (ssh-agentも動いていません)");

  std::string socket = TempPath("agent.sock"), output;
  ASSERT_EQ(RunCommand("ssh-agent -s -a " + socket, &output), 0);
  size_t at = output.find("SSH_AGENT_PID=");
  ASSERT_NE(at, std::string::npos) << output;
  struct StopAgent {
    pid_t pid;
    ~StopAgent() {
      if (pid > 0) kill(pid, SIGTERM);
    }
  } agent{static_cast<pid_t>(std::atoi(output.c_str() + at + 14))};
  ASSERT_GT(agent.pid, 0);
  setenv("SSH_AUTH_SOCK", socket.c_str(), 1);
  EXPECT_EQ(RunCommand("ssh-add " + userKey + " >/dev/null 2>&1"), 0);
  EXPECT_EQ(ConnectFailure(host, ""), "");
  EXPECT_EQ(ConnectFailure(host, "wrong password"), "");
  EXPECT_EQ(ConnectFailure(host, kPassword), "");
}

}  // namespace
