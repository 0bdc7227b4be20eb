// The SFTP tests' server: OpenSSH's sshd, started by the test with its own configuration, host key and
// test user (in a mount namespace of its own: the machine's accounts are not touched), over a root with
// a folder the user may write to ("public_html") and one it may not ("locked", with an old feed). Runs
// as root.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/net_fixture.h"
#include "net/vamel_sftp.h"
#include "support/missing.h"
#include "support/secure_servers.h"

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
  static inline const std::string kUser = "vamelsftp";
  // Spaces, "#", "@" and ":" are where a password goes wrong in URLs and command lines.
  static inline const std::string kPassword = "pass word #1@host:22";

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

  std::string Recorder() { return StartRecorder(port); }
  bool Upload() { return UploadProject(project, 1, ""); }

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

  // What the scenarios of every secure server (secure_uploads_test.cpp) ask of it.
  void Serve() { StartServer(); }
  // The user's known_hosts records the server's key for `serverPort`.
  void Trust(const std::string& serverPort) {
    setenv("HOME", home.c_str(), 1);
    KnowHost(serverPort, hostKey + ".pub");
  }
  std::string Scheme() const { return "sftp://"; }
  std::string User() const { return kUser; }
  std::string Password() const { return kPassword; }
  std::string CaFile() const { return std::string(); }
  bool UploadFeeds() { return Upload(); }
  static std::string Stored(const std::string& sent) { return sent; }  // the bytes as they are
  static std::string LoginRefused() { return "Authentication failure"; }
  static std::string WriteRefused() { return "サーバがアクセスを拒否しました (Upload failed: Permission denied (3/-31))"; }

  int uid = -1;
  std::string root, home, knownHosts, hostKey, local, port;
  CRssFile project;
  // The user's own ssh set-up stays out of the tests.
  ScopedEnv homeEnv{"HOME", nullptr};
  ScopedEnv agentEnv{"SSH_AUTH_SOCK", nullptr};
};
