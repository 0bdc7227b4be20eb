// The host field read as protocol, server and port; no server needed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "net/ftp_host.h"
#include "net/upload_session.h"
#include "net/vamel_ftp.h"
#include "net/vamel_sftp.h"
#include "support/test_env.h"

namespace {

struct Parsed {
  bool ok;
  FtpProtocol protocol;
  std::string authority;
  int port;
  std::string error;  // UTF-8
};

Parsed Parse(const std::string& text) {
  const CResult<CFtpHost> host = ParseFtpHost(J(text));
  return {host.Ok(), host.value.protocol, host.value.UrlAuthority(), host.value.EffectivePort(), U(host.FirstText())};
}

TEST(FtpHost, TheThreeFormsAndTheirPorts) {
  struct Case {
    const char* text;
    FtpProtocol protocol;
    const char* authority;
    int port;
  };
  const Case cases[] = {
      {"ftp.example.jp", FtpProtocol::kFtp, "ftp.example.jp", 21},
      {"127.0.0.1:2121", FtpProtocol::kFtp, "127.0.0.1:2121", 2121},
      {"  host \t", FtpProtocol::kFtp, "host", 21},
      {"ftp://host", FtpProtocol::kFtp, "host", 21},
      {"ftps://host", FtpProtocol::kFtps, "host", 21},
      {"FTPS://Host.Example.JP:990/", FtpProtocol::kFtps, "Host.Example.JP:990", 990},
      {"sftp://host", FtpProtocol::kSftp, "host", 22},
      {"SfTp://host:0022", FtpProtocol::kSftp, "host:22", 22},
      {"[::1]", FtpProtocol::kFtp, "[::1]", 21},
      {"[::1]:2121", FtpProtocol::kFtp, "[::1]:2121", 2121},
      {"sftp://[2001:db8::1]:2222", FtpProtocol::kSftp, "[2001:db8::1]:2222", 2222},
      {"ftps://[::ffff:127.0.0.1]", FtpProtocol::kFtps, "[::ffff:127.0.0.1]", 21},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.text);
    EXPECT_TRUE(p.ok) << c.text << ": " << p.error;
    EXPECT_EQ(p.protocol, c.protocol) << c.text;
    EXPECT_EQ(p.authority, c.authority) << c.text;
    EXPECT_EQ(p.port, c.port) << c.text;
  }
}

TEST(FtpHost, OddFieldsAreRefusedWithTheirReason) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"", "ホスト名が設定されていません"},
      {" \t ", "ホスト名が設定されていません"},
      // Never sent as plain FTP: the user meant something else, perhaps something secure.
      {"http://host", "対応していないプロトコルです (http://)。ホスト名は host、ftps://host、sftp://host のどれかの形で書いてください"},
      {"scp://host", "対応していないプロトコルです (scp://)。ホスト名は host、ftps://host、sftp://host のどれかの形で書いてください"},
      {"ftpes://host", "対応していないプロトコルです (ftpes://)。ホスト名は host、ftps://host、sftp://host のどれかの形で書いてください"},
      {"://host", "対応していないプロトコルです (://)。ホスト名は host、ftps://host、sftp://host のどれかの形で書いてください"},
      {"ftps://host/public_html", "ホスト名にフォルダは書けません (ftps://host/public_html)。フォルダはｱｯﾌﾟﾃﾞｨﾚｸﾄﾘに書いてください"},
      {"sftp://", "ホスト名が正しくありません (sftp://)"},
      {"ftps://user@host", "ホスト名が正しくありません (ftps://user@host)"},
      {"sftp://my host", "ホスト名が正しくありません (sftp://my host)"},
      {"host/path", "ホスト名が正しくありません (host/path)"},
      {"ホスト.jp", "ホスト名が正しくありません (ホスト.jp)"},
      {"[::1", "ホスト名が正しくありません ([::1)"},
      {"[]:21", "ホスト名が正しくありません ([]:21)"},
      {"[fe80::1%eth0]", "ホスト名が正しくありません ([fe80::1%eth0])"},
      {"[::1]x", "ホスト名が正しくありません ([::1]x)"},
      {"::1", "ホスト名が正しくありません (::1)"},
      {":21", "ホスト名が正しくありません (:21)"},
      {"host:", "ポート番号が正しくありません (host:)"},
      {"sftp://host:0", "ポート番号が正しくありません (sftp://host:0)"},
      {"ftps://host:65536", "ポート番号が正しくありません (ftps://host:65536)"},
      {"host:-1", "ポート番号が正しくありません (host:-1)"},
      {"host:2 1", "ポート番号が正しくありません (host:2 1)"},
      {"[::1]:", "ポート番号が正しくありません ([::1]:)"},
      {"evil\r\nhost", "ホスト名が正しくありません (evil\r\nhost)"},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.text);
    EXPECT_FALSE(p.ok) << c.text;
    EXPECT_EQ(p.error, c.error) << c.text;
  }
}

TEST(FtpHost, EachProtocolGetsItsSessionAndRefusesTheOthers) {
  EXPECT_NE(dynamic_cast<CVamelSftp*>(CreateUploadSession(J("sftp://host")).get()), nullptr);
  EXPECT_NE(dynamic_cast<CVamelSftp*>(CreateUploadSession(J(" SFTP://host:2222 ")).get()), nullptr);
  for (const char* host : {"host", "ftps://host", "ftp://host", "http://host", ""}) {
    EXPECT_NE(dynamic_cast<CVamelFtp*>(CreateUploadSession(J(host)).get()), nullptr) << host;
  }

  // An unreadable field fails at Connect, before anything goes out.
  auto failure = [](CUploadSession& session, const std::string& host) {
    session.Set(J(host), "alice", "secret", "/", 1);
    try {
      session.Connect();
    } catch (const CUploadException& e) {
      return U(e.GetMessage());
    }
    return std::string();
  };
  std::unique_ptr<CUploadSession> ftp = CreateUploadSession("http://127.0.0.1");
  EXPECT_EQ(failure(*ftp, "http://127.0.0.1"),
            "接続エラー:対応していないプロトコルです (http://)。ホスト名は host、ftps://host、sftp://host のどれかの形で書いてください");
  CVamelFtp plain;
  EXPECT_EQ(failure(plain, "sftp://127.0.0.1"), "接続エラー:SFTPのサーバにはFTPで接続できません");
  CVamelSftp sftp;
  EXPECT_EQ(failure(sftp, "ftps://127.0.0.1"), "接続エラー:SFTPのサーバではありません");
  EXPECT_EQ(failure(sftp, "sftp://bad host"), "接続エラー:ホスト名が正しくありません (sftp://bad host)");
  sftp.Set("sftp://127.0.0.1", "", "secret", "", 0);
  EXPECT_THROW(sftp.Connect(), CUploadException);
}

}  // namespace
