// The FTP-over-TLS tests' server: pure-ftpd with TLS required, its certificate made by openssl for the
// test, over a root with a folder the login may write to ("public_html") and one it may not ("locked",
// with an old feed). Runs as root (pure-ftpd changes to its user's uid).
#pragma once

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/net_fixture.h"
#include "settings/options.h"
#include "support/missing.h"
#include "support/secure_servers.h"

class FtpsTest : public NetTest {
protected:
  // Spaces, "#", "@" and ":" are where a password goes wrong in URLs and command lines.
  static inline const std::string kPassword = "pass word #1@host:21";

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

  // A relay that records every byte between the client and the server's control port.
  std::string Recorder() { return StartRecorder(port); }
  bool Upload(int passive) { return UploadProject(project, passive, GetFtpCaFileOption()); }

  // What the scenarios of every secure server (secure_uploads_test.cpp) ask of it.
  void Serve() {}  // the server runs from SetUp on
  void Trust(const std::string&) { SetFtpCaFileOption(tls.caCert); }
  std::string Scheme() const { return "ftps://"; }
  std::string User() const { return "alice"; }
  std::string Password() const { return kPassword; }
  std::string CaFile() const { return tls.caCert; }
  bool UploadFeeds() { return Upload(1); }
  // An ASCII transfer: the server stores its own line ends.
  static std::string Stored(std::string sent) {
    sent.erase(std::remove(sent.begin(), sent.end(), '\r'), sent.end());
    return sent;
  }
  static std::string LoginRefused() { return "530 Login authentication failed"; }
  static std::string WriteRefused() { return "サーバがファイルを受け取りませんでした (553 Can't open that file: Permission denied)"; }

  std::string root, local, port;
  int servers = 0;
  CTlsFiles tls;
  CRssFile project;
};
