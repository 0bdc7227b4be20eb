// Publishing over SFTP against OpenSSH's sshd, started by the test with its own configuration, host
// key and test user (in a mount namespace of its own: the machine's accounts are not touched). Runs as
// root.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/net_fixture.h"
#include "support/missing.h"
#include "net/vamel_sftp.h"
#include "support/cli_runner.h"
#include "support/secure_servers.h"

namespace {

const std::string kUser = "vamelsftp";
// Spaces, "#", "@" and ":" are where a password goes wrong in URLs and command lines.
const std::string kPassword = "pass word #1@host:22";

// Sets or removes an environment variable for the life of the object.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_had = old != nullptr;
    if (old) m_old = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (m_had) setenv(m_name.c_str(), m_old.c_str(), 1);
    else unsetenv(m_name.c_str());
  }

private:
  std::string m_name, m_old;
  bool m_had = false;
};

class SftpTest : public NetTest {
protected:
  void SetUp() override {
    NetTest::SetUp();
    if (geteuid() != 0) SKIP_OR_FAIL_IN_CI("sshd needs root");
    for (const char* program : {"/usr/sbin/sshd", "ssh-keygen", "ssh-keyscan", "ssh-agent", "unshare", "openssl"}) {
      if (!HaveProgram(program)) SKIP_OR_FAIL_IN_CI(std::string(program) + " is not installed");
    }
    uid = UnusedUid();
    ASSERT_GT(uid, 0);

    // The test user reaches its files through the test's folder; "locked" stays root's.
    std::filesystem::permissions(TempFolder(), std::filesystem::perms(0755));
    root = TempPath("sftproot");
    MakeFolder(root + "/public_html");
    MakeFolder(root + "/locked");
    WriteFile(root + "/locked/index.rdf", "old feed\n");
    ASSERT_EQ(chown((root + "/public_html").c_str(), static_cast<uid_t>(uid), 65534), 0);

    home = TempPath("home");
    MakeFolder(home + "/.ssh");
    knownHosts = home + "/.ssh/known_hosts";
    hostKey = TempPath("host_key");
    ASSERT_TRUE(MakeSshKey(hostKey, "host"));

    MakeFolder(TempPath("site"));
    local = TempPath("site") + "/index.rdf";
    WriteFile(local, "<rss>\r\n1\r\n</rss>\r\n");
    WriteFile(TempPath("site") + "/atom.xml", "<feed>\r\n1\r\n</feed>\r\n");
    project.localFolder = TempPath("site");
    project.ftp.User = kUser;
    project.ftp.Pass = kPassword;
    project.ftp.RemoteDir = "public_html";
  }

  void StartServer(const std::string& authorizedKeys = "none") {
    std::string error;
    ASSERT_TRUE(server.Start("sshd_server.py",
                             {"--root", root, "--work", TempFolder(), "--host-key", hostKey, "--log",
                              TempPath("sshd.log"), "--uid", std::to_string(uid), "--user", kUser, "--password",
                              kPassword, "--authorized-keys", authorizedKeys},
                             TempFolder(), &error))
        << error;
    port = std::to_string(server.Port());
  }

  // Records `pubKey` for the server at `serverPort` in known_hosts, as ssh would.
  void KnowHost(const std::string& serverPort, const std::string& pubKey) {
    WriteFile(knownHosts, ReadFile(knownHosts) + "[127.0.0.1]:" + serverPort + " " + SshPublicKey(pubKey) + "\n");
  }

  std::string Recorder() {
    std::string error;
    EXPECT_TRUE(recorder.Start("tcp_recorder.py", {"--target-port", port, "--record", TempPath("wire")},
                               TempFolder(), &error))
        << error;
    return std::to_string(recorder.Port());
  }

  bool Upload() {
    CResult<> result;
    {
      std::unique_ptr<CProgressSink> status(rec.CreateProgress("ftp", false));
      result = UploadFeedFiles(project, 1, "", status.get());
    }
    rec.ShowAll(result.messages);
    return result.Ok();
  }

  std::string ConnectFailure(const std::string& host, const std::string& password) {
    CVamelSftp sftp;
    sftp.Set(host, kUser, password, "", 0);
    try {
      sftp.Connect();
    } catch (const CUploadException& e) {
      return U(e.GetMessage());
    }
    return std::string();
  }

  int uid = -1;
  std::string root, home, knownHosts, hostKey, local, port;
  CRssFile project;
  CTestServer recorder;
  // The user's own ssh set-up stays out of the tests.
  ScopedEnv homeEnv{"HOME", nullptr};
  ScopedEnv agentEnv{"SSH_AUTH_SOCK", nullptr};
};

TEST_F(SftpTest, PublishesAndReplacesTheFeedWhole) {
  StartServer();
  std::string relay = Recorder();
  setenv("HOME", home.c_str(), 1);
  KnowHost(relay, hostKey + ".pub");
  project.ftp.Host = "sftp://127.0.0.1:" + relay;

  EXPECT_TRUE(Upload());
  EXPECT_EQ(rec.events, (std::vector<std::string>{"open:ftp", "status:接続中", "status:接続完了", "file:index.rdf",
                                                  "status:RSSファイル転送中", "file:atom.xml",
                                                  "status:Atomファイル転送中", "status:切断中", "close"}));
  EXPECT_EQ(rec.Texts(), std::vector<std::string>{"転送を完了しました"});
  // The folder is taken from the login folder; the bytes arrive as they are.
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "<rss>\r\n1\r\n</rss>\r\n");
  EXPECT_EQ(ReadFile(root + "/public_html/atom.xml"), "<feed>\r\n1\r\n</feed>\r\n");

  // OpenSSH does not rename onto an existing file: the second run replaces the old one all the same,
  // leaves no temporary file, and the web server can read the feed.
  WriteFile(local, "<rss>\r\n2\r\n</rss>\r\n");
  EXPECT_TRUE(Upload());
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "<rss>\r\n2\r\n</rss>\r\n");
  EXPECT_EQ(Names(root + "/public_html"), (std::set<std::string>{"atom.xml", "index.rdf"}));
  struct stat st;
  ASSERT_EQ(stat((root + "/public_html/index.rdf").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(st.st_uid, static_cast<uid_t>(uid));

  // Only the greeting crossed the wire in the clear: no password, no user name.
  std::string wire = ReadFile(TempPath("wire"));
  EXPECT_NE(wire.find("SSH-2.0-"), std::string::npos);
  EXPECT_EQ(wire.find(kPassword), std::string::npos);
  EXPECT_EQ(wire.find(kUser), std::string::npos);
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

  EXPECT_EQ(ConnectFailure(host, "pass word #1@host"),
            "接続エラー:ログインできませんでした(ユーザ名かパスワードが違います) (Authentication failure)");

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
  // A folder the user may not write to: the old feed stays as it was.
  EXPECT_EQ(Failure([&] { sftp.PutFile(local, true); }),
            "ファイル転送エラー:" + local + "\nサーバがアクセスを拒否しました (Upload failed: Permission denied (3/-31))");
  EXPECT_EQ(ReadFile(root + "/locked/index.rdf"), "old feed\n");
  EXPECT_EQ(Names(root + "/locked"), std::set<std::string>{"index.rdf"});
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
