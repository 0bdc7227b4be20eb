// The fetch of a served feed: at most the limit plus one byte of an endless body, no redirect to
// anything but http and https, a missing file is a failure with its status. The HEAD request of an
// enclosure.
#include <filesystem>

#include "net/web_requests.h"
#include "support/test_env.h"
#include "support/test_server.h"

namespace {

class WebRequests : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    std::filesystem::create_directories(TempPath("site"));
    std::string error;
    ASSERT_TRUE(web.Start("websub_server.py", {"--record", TempPath("hub.jsonl"), "--site", TempPath("site"), "--stale", TempPath("site")},
                          TempFolder(), &error))
        << error;
    base = "http://127.0.0.1:" + std::to_string(web.Port());
  }
  CTestServer web;
  std::string base;
};

}  // namespace

TEST_F(WebRequests, FetchIsBoundedAndStaysOnTheWeb) {
  WriteFile(TempPath("site/a.xml"), "<a/>");
  CResult<std::string> got = FetchServedFile(base + "/site/a.xml", 100);
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value, "<a/>");

  got = FetchServedFile(base + "/endless/a.xml", 1000);
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value.size(), 1001u);

  got = FetchServedFile(base + "/site/missing.xml", 100);
  EXPECT_FALSE(got);
  EXPECT_EQ(got.FirstText(), "HTTP 404");

  got = FetchServedFile(base + "/toftp/a.xml", 100);
  EXPECT_FALSE(got);
  EXPECT_FALSE(got.FirstText().empty());
  EXPECT_FALSE(FetchServedFile("file:///etc/passwd", 100000));
  EXPECT_FALSE(NotifyHub("file:///etc/passwd", "http://x/"));
}

// The facts of an enclosure on the web: what the server tells of the file, and nothing when it does
// not; redirects over http only.
class WebRequestsHead : public VamelTest {};

TEST_F(WebRequestsHead, LengthAndTypeAsTheServerTellsThem) {
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  CTestServer server;
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());

  CResult<CServedFileFacts> got = HeadServedFile(base + "/media.mp3");
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value.length, 123456);
  EXPECT_EQ(got.value.type, "audio/mpeg");
  got = HeadServedFile(base + "/redirect-media");
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value.length, 123456);

  got = HeadServedFile(base + "/untold.mp3");
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value.length, 0);
  EXPECT_EQ(got.value.type, "");

  got = HeadServedFile(base + "/gone.mp3");
  EXPECT_FALSE(got);
  EXPECT_EQ(got.FirstText(), "HTTP 404");
  EXPECT_FALSE(HeadServedFile(base + "/redirect-ftp"));
  EXPECT_FALSE(HeadServedFile("file:///etc/passwd"));
}
