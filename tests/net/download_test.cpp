// DownloadPage against a real HTTP and HTTPS server on 127.0.0.1.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "net/download_page.h"
#include "net/net_fixture.h"
#include "support/missing.h"

namespace {

std::string Page() {
  std::string one = "<html><head><title>テスト</title></head><body><p>本文です。</p></body></html>\n";
  return one + one + one;
}

class DownloadTest : public NetTest {
protected:
  void SetUp() override {
    NetTest::SetUp();
    folder = TempPath("down");
    MakeFolder(folder);
  }

  void StartServer(bool tls = false) {
    std::vector<std::string> args;
    if (tls) {
      cert = TempPath("cert.pem");
      std::string key = TempPath("key.pem");
      std::string command = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                            "-addext subjectAltName=IP:127.0.0.1 -keyout '" + key + "' -out '" + cert +
                            "' >/dev/null 2>&1";
      ASSERT_EQ(RunCommand(command), 0) << "openssl could not make a certificate";
      args = {"--cert", cert, "--key", key};
    }
    std::string error;
    ASSERT_TRUE(server.Start("http_server.py", args, TempFolder(), &error)) << error;
    base = "http://127.0.0.1:" + std::to_string(server.Port());
    if (tls) tlsBase = "https://127.0.0.1:" + std::to_string(server.Port(1));
  }

  // The files in the download folder, temporary ones included.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    return names;
  }

  // A download as the item refresh runs it: with `showProgress` the window "ダウンロード" around it, then
  // the message of a failure.
  std::string Download(const std::string& url, const std::string& into, int showProgress,
                       const CDownloadOptions& options = CDownloadOptions()) {
    CProgressOpener open;
    if (showProgress) open = [this] { return rec.CreateProgress(J("ダウンロード"), true); };
    const CResult<std::string> result = DownloadPage(url, into, open, options);
    rec.ShowAll(result.messages);
    return result.value;
  }

  std::string folder, base, tlsBase, cert;
};

TEST_F(DownloadTest, SavesPagesWithAndWithoutLength) {
  StartServer();
  for (const char* route : {"page.html", "chunked.html", "close.html"}) {
    SCOPED_TRACE(route);
    rec.events.clear();
    std::string path = Download(J(base + "/" + route), J(folder), 1);
    EXPECT_EQ(path, J(folder + "/" + route));
    EXPECT_EQ(ReadFile(folder + "/" + route), Page());
    ASSERT_GE(rec.events.size(), 5u);
    EXPECT_EQ(rec.events[0], "open:ダウンロード (cancellable)");
    EXPECT_EQ(rec.events[1], "status:ダウンロード中です");
    EXPECT_EQ(rec.events[2], std::string("file:") + route);
    EXPECT_EQ(rec.events.back(), "close");
    // The count ends at the whole body, of its length when the server gave one.
    std::string total = route == std::string("page.html") ? std::to_string(Page().size()) : "0";
    EXPECT_EQ(rec.Events("progress:").back(), std::to_string(Page().size()) + "/" + total);
    // The count beside the bar: received/length, or only what was received while the length is unknown.
    std::string count = std::to_string(Page().size()) + (total == "0" ? "" : "/" + total) + "バイト";
    EXPECT_EQ(rec.Events("count:").back(), count);
  }
  EXPECT_GT(rec.pumped, 0);
  EXPECT_TRUE(rec.shown.empty());

  // Without the window nothing is reported; a trailing separator on the folder is fine; an empty
  // page gives an empty file.
  rec.events.clear();
  EXPECT_EQ(Download(J(base + "/empty.html"), J(folder + "/"), 0), J(folder + "/empty.html"));
  EXPECT_TRUE(std::filesystem::exists(folder + "/empty.html"));
  EXPECT_EQ(ReadFile(folder + "/empty.html"), "");
  EXPECT_TRUE(rec.events.empty());
  EXPECT_EQ(Files().size(), 4u);  // no temporary file left behind
}

TEST_F(DownloadTest, AsksForTextFreshWithTheAgent) {
  StartServer();
  std::string path = Download(J(base + "/headers"), J(folder), 0);
  ASSERT_FALSE(path.empty());
  std::string sent = ReadFile(folder + "/headers");
  EXPECT_NE(sent.find("User-Agent: Mozilla/4.0*\n"), std::string::npos) << sent;
  EXPECT_NE(sent.find("Accept: text/*\n"), std::string::npos) << sent;
  EXPECT_NE(sent.find("Cache-Control: no-cache\n"), std::string::npos) << sent;
}

TEST_F(DownloadTest, NamesTheFileAfterTheUrl) {
  StartServer();
  // The query is part of the name.
  EXPECT_EQ(Download(J(base + "/page.html?a=1&b=2"), J(folder), 0), J(folder + "/page.html?a=1&b=2"));
  EXPECT_EQ(ReadFile(folder + "/page.html?a=1&b=2"), Page());
  // A folder URL has no name of its own.
  EXPECT_EQ(Download(J(base + "/dir/"), J(folder), 0), J(folder + "/index.html"));
  // Japanese names survive; unsafe and overlong ones are made safe.
  EXPECT_EQ(Download(J(base + "/name/日記.html"), J(folder), 0), J(folder + "/日記.html"));
  EXPECT_EQ(ReadFile(folder + "/日記.html"), Page());
  // So do names with characters the code page lacks, and a cut for length never splits one.
  EXPECT_EQ(Download(J(base + "/name/絵文字🍣 café.html"), J(folder), 0), J(folder + "/絵文字🍣 café.html"));
  EXPECT_EQ(ReadFile(folder + "/絵文字🍣 café.html"), Page());
  EXPECT_EQ(U(DownloadFileName(J("http://h/" + std::string(236, 'a') + "🍣🍣"))), std::string(236, 'a') + "🍣");
  EXPECT_EQ(DownloadFileName(J("http://h/a/..")), "index.html");
  EXPECT_EQ(DownloadFileName("http://h/a/."), "index.html");
  EXPECT_EQ(DownloadFileName("http://h/a\tb"), "a_b");
  EXPECT_EQ(DownloadFileName("no-slash"), "");
  std::string longName = DownloadFileName("http://h/" + std::string(300, 'a') + ".html");
  EXPECT_EQ(longName, std::string(240, 'a'));
  std::string longJapanese = DownloadFileName(J("http://h/" + std::string(100, 'a')) + J("日記の本文") + std::string(200, 'b'));
  EXPECT_LE(U(longJapanese).size(), 240u);
  EXPECT_EQ(U(longJapanese).rfind(std::string(100, 'a') + "日記の本文", 0), 0u);
  // A URL without "/" gives nothing, silently.
  EXPECT_EQ(Download("page.html", J(folder), 1), "");
  EXPECT_TRUE(rec.shown.empty());
  EXPECT_TRUE(rec.events.empty());
}

TEST_F(DownloadTest, FailuresSayWhyAndKeepOlderFiles) {
  StartServer();
  WriteFile(folder + "/missing", "older copy");
  EXPECT_EQ(Download(J(base + "/missing"), J(folder), 1), "");
  EXPECT_EQ(ReadFile(folder + "/missing"), "older copy");
  EXPECT_EQ(Download(J(base + "/redirect301"), J(folder), 1), "");
  EXPECT_EQ(Download(J(base + "/redirect302"), J(folder), 0), "");
  EXPECT_EQ(Download("ftp://127.0.0.1/page.html", J(folder), 1), "");
  EXPECT_EQ(Download("http://exa mple/page.html", J(folder), 1), "");
  EXPECT_EQ(Download(J(base + "/page.html"), J(TempPath("no-such-folder")), 1), "");
  ASSERT_EQ(rec.shown.size(), 6u);
  EXPECT_EQ(rec.shown[0].text, "ダウンロードに失敗しました:" + base + "/missing\nHTTP/1.1 404 Not Found");
  EXPECT_EQ(rec.shown[0].buttons, MbButtons::Ok);
  EXPECT_EQ(rec.shown[1].text,
            "ダウンロードに失敗しました:" + base + "/redirect301\nHTTP/1.1 301 Moved Permanently\n移動先:/page.html");
  EXPECT_EQ(rec.shown[2].text, "ダウンロードに失敗しました:" + base + "/redirect302\nHTTP/1.1 302 Found\n移動先:/page.html");
  EXPECT_EQ(rec.shown[3].text, "ftp://127.0.0.1/page.htmlの解析に失敗しました");
  EXPECT_EQ(rec.shown[4].text, "http://exa mple/page.htmlの解析に失敗しました");
  EXPECT_EQ(rec.shown[5].text,
            "ファイルのオープンに失敗しました:" + TempPath("no-such-folder") + "/page.html\nNo such file or directory");
  // The window closed before each message; no redirect was followed.
  EXPECT_EQ(Files(), std::vector<std::string>{"missing"});

  int port = server.Port();
  server.Stop();
  rec.shown.clear();
  std::string url = "http://127.0.0.1:" + std::to_string(port) + "/page.html";
  EXPECT_EQ(Download(url, J(folder), 1), "");
  ASSERT_EQ(rec.shown.size(), 1u);
  EXPECT_EQ(rec.shown[0].text.rfind("ダウンロードに失敗しました:" + url + "\nサーバに接続できませんでした (", 0), 0u)
      << rec.shown[0].text;
}

TEST_F(DownloadTest, CancelStopsAndLeavesNoFile) {
  StartServer();
  WriteFile(folder + "/slow", "older copy");
  rec.cancelWhen = [](unsigned long long received) { return received >= 20000; };
  EXPECT_EQ(Download(J(base + "/slow"), J(folder), 1), "");
  EXPECT_TRUE(rec.shown.empty());
  // The block read when the cancel was noticed was not written, and the partial download is gone.
  EXPECT_EQ(Files(), std::vector<std::string>{"slow"});
  EXPECT_EQ(ReadFile(folder + "/slow"), "older copy");

  // A body that stalls: the cancel is noticed while no data arrives (else the stall would end in a
  // timeout message).
  rec.events.clear();
  rec.cancelWhen = [](unsigned long long received) { return received > 0; };
  EXPECT_EQ(Download(J(base + "/stall"), J(folder), 1), "");
  EXPECT_TRUE(rec.shown.empty());
  EXPECT_EQ(Files(), std::vector<std::string>{"slow"});
  EXPECT_EQ(rec.Events("progress:"), std::vector<std::string>{"500/100000"});
  EXPECT_EQ(rec.events.back(), "close");
}

TEST_F(DownloadTest, ACancelRequestIsConfirmedFirst) {
  StartServer();
  // Each request after 20000 bytes asks; the first answer goes on, the second stops.
  rec.cancelWhen = [](unsigned long long received) { return received >= 20000; };
  int asked = 0;
  unsigned long long askedAt = 0;
  CDownloadOptions options;
  options.confirmCancel = [&] {
    askedAt = U(rec.Events("progress:").back()).empty() ? 0 : std::stoull(rec.Events("progress:").back());
    return ++asked == 2;
  };
  EXPECT_EQ(Download(J(base + "/slow"), J(folder), 1, options), "");
  EXPECT_EQ(asked, 2);
  EXPECT_GE(askedAt, 20000u);
  EXPECT_LT(askedAt, 2000000u);  // stopped before the end
  EXPECT_TRUE(rec.shown.empty());
  EXPECT_TRUE(Files().empty());
}

TEST_F(DownloadTest, StalledOrEndlessBodiesEnd) {
  StartServer();
  CDownloadOptions options;
  options.stallTimeout = 1;
  EXPECT_EQ(Download(J(base + "/stall"), J(folder), 1, options), "");
  options.stallTimeout = 60;
  options.maxBytes = 100000;
  EXPECT_EQ(Download(J(base + "/huge"), J(folder), 1, options), "");
  ASSERT_EQ(rec.shown.size(), 2u);
  EXPECT_EQ(rec.shown[0].text.rfind("ダウンロードに失敗しました:" + base + "/stall\nサーバが応答しません (", 0), 0u)
      << rec.shown[0].text;
  EXPECT_EQ(rec.shown[1].text, "ダウンロードに失敗しました:" + base + "/huge\nファイルが大きすぎます (Maximum file size exceeded)");
  EXPECT_TRUE(Files().empty());
}

// A server that sends 2 bytes a second never stalls; the overall deadline ends the download, with a
// message that says so, and leaves no file.
TEST_F(DownloadTest, ADownloadEndsAtItsDeadline) {
  StartServer();
  CDownloadOptions options;
  options.totalTimeout = 1;
  EXPECT_EQ(Download(J(base + "/trickle"), J(folder), 1, options), "");
  ASSERT_EQ(rec.shown.size(), 1u);
  EXPECT_EQ(rec.shown[0].text,
            "ダウンロードに失敗しました:" + base + "/trickle\n制限時間 (1 秒) を過ぎても終わらないので中止しました");
  EXPECT_TRUE(Files().empty());
}

TEST_F(DownloadTest, HttpsChecksTheCertificate) {
  if (!HaveProgram("openssl")) SKIP_OR_FAIL_IN_CI("openssl is not installed");
  StartServer(true);
  EXPECT_EQ(Download(J(tlsBase + "/page.html"), J(folder), 1), "");
  ASSERT_EQ(rec.shown.size(), 1u);
  EXPECT_EQ(rec.shown[0].text.rfind("ダウンロードに失敗しました:" + tlsBase + "/page.html\nサーバの証明書を確認できませんでした (", 0), 0u)
      << rec.shown[0].text;
  EXPECT_TRUE(Files().empty());

  CDownloadOptions options;
  options.caFile = cert;
  EXPECT_EQ(Download(J(tlsBase + "/page.html"), J(folder), 1, options), J(folder + "/page.html"));
  EXPECT_EQ(ReadFile(folder + "/page.html"), Page());
}

}  // namespace
