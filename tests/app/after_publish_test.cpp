// What follows an upload: the WebSub notices reach a real hub on 127.0.0.1 with the right form fields,
// a hub that fails or never answers is reported and the upload still succeeds, and the check of the
// site tells a served feed that differs from the one uploaded.
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/publish.h"
#include "feeds/feed_writers.h"
#include "model/rss_file.h"
#include "settings/options.h"
#include "support/missing.h"
#include "support/test_env.h"
#include "support/test_server.h"

namespace {

class AfterPublish : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    const std::string root = TempPath("ftproot");
    site = root + "/public_html";
    std::filesystem::create_directories(site);
    std::filesystem::create_directories(TempPath("stale"));
    std::string error;
    ASSERT_TRUE(ftp.Start("ftp_server.py", {"--root", root, "--log", TempPath("ftp.log")}, TempFolder(), &error)) << error;
    ASSERT_TRUE(web.Start("websub_server.py", {"--record", TempPath("hub.jsonl"), "--site", site, "--stale", TempPath("stale")},
                          TempFolder(), &error))
        << error;
    web_ = "http://127.0.0.1:" + std::to_string(web.Port());
    project.siteTitle = "T";
    project.siteUrl = web_ + "/site/";
    project.localFolder = TempFolder();
    project.rssFileName = "index.rdf";
    project.atomFileName = "atom.xml";
    project.ftp.Host = "127.0.0.1:" + std::to_string(ftp.Port());
    project.ftp.User = "alice";
    project.ftp.Pass = "secret";
    project.ftp.RemoteDir = "public_html";
    SetFtpPassiveOption(1);
  }
  void TearDown() override {
    web.Stop();
    ftp.Stop();
    VamelTest::TearDown();
  }
  // The closing message's lines after the first, as UTF-8.
  std::vector<std::string> ReportLines(const CResult<>& uploaded) const {
    std::vector<std::string> lines;
    std::istringstream in(U(uploaded.FirstText()));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  std::vector<nlohmann::json> Notices() const {
    std::vector<nlohmann::json> notices;
    std::istringstream in(ReadFile(TempPath("hub.jsonl")));
    for (std::string line; std::getline(in, line);) notices.push_back(nlohmann::json::parse(line));
    return notices;
  }

  CTestServer ftp, web;
  std::string site, web_;
  CRssFile project;
};

}  // namespace

TEST_F(AfterPublish, HubsAreToldAndTheServedFeedsMatch) {
  project.ext.websubHubs = {web_ + "/hub", web_ + "/hub500", web_ + "/hubmoved"};
  project.ext.verifyUrl = true;
  project.atomVersion = 1;
  ASSERT_TRUE(WriteFeedsToPublish(project));
  EXPECT_NE(ReadFile(TempPath("atom.xml")).find("<link rel=\"hub\" href=\"" + web_ + "/hub500\" />"), std::string::npos);
  const CResult<> uploaded = UploadFeeds(project, ui);
  ASSERT_TRUE(uploaded) << U(uploaded.FirstText());
  const std::string rss = web_ + "/site/index.rdf", atom = web_ + "/site/atom.xml";
  EXPECT_EQ(ReportLines(uploaded),
            (std::vector<std::string>{"転送を完了しました",
                                      "WebSub: " + web_ + "/hub (" + rss + ") に通知しました [204 No Content]",
                                      "WebSub: " + web_ + "/hub (" + atom + ") に通知しました [204 No Content]",
                                      "WebSub: " + web_ + "/hub500 (" + rss + ") への通知に失敗しました [500 Internal Server Error]",
                                      "WebSub: " + web_ + "/hub500 (" + atom + ") への通知に失敗しました [500 Internal Server Error]",
                                      "WebSub: " + web_ + "/hubmoved (" + rss + ") に通知しました [204 No Content]",
                                      "WebSub: " + web_ + "/hubmoved (" + atom + ") に通知しました [204 No Content]",
                                      "確認: " + rss + " はアップロードしたフィードと同じです",
                                      "確認: " + atom + " はアップロードしたフィードと同じです"}));
  const std::vector<nlohmann::json> notices = Notices();
  ASSERT_EQ(notices.size(), 4u);
  for (std::size_t i = 0; i < notices.size(); ++i) {
    EXPECT_EQ(notices[i]["type"], "application/x-www-form-urlencoded");
    EXPECT_EQ(notices[i]["fields"]["hub.mode"], nlohmann::json::array({"publish"}));
    EXPECT_EQ(notices[i]["fields"]["hub.url"], nlohmann::json::array({i % 2 ? atom : rss}));
  }
}

TEST_F(AfterPublish, ASilentHubAndAStaleCacheAreReportedAndTheUploadStillSucceeds) {
  project.atomFileName.clear();
  project.siteUrl = web_ + "/stale/";
  project.ext.websubHubs = {web_ + "/hubsilent"};
  project.ext.verifyUrl = true;
  ASSERT_TRUE(WriteFeedsToPublish(project));
  WriteFile(TempPath("stale/index.rdf"), "<rss version=\"2.0\"><channel><title>old</title></channel></rss>");
  const CResult<> uploaded = UploadFeeds(project, ui);
  ASSERT_TRUE(uploaded) << U(uploaded.FirstText());
  const std::vector<std::string> lines = ReportLines(uploaded);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "転送を完了しました");
  EXPECT_EQ(lines[1].rfind("WebSub: " + web_ + "/hubsilent (" + web_ + "/stale/index.rdf) への通知に失敗しました [応答なし ", 0), 0u)
      << lines[1];
  EXPECT_EQ(lines[2].rfind("確認: " + web_ + "/stale/index.rdf はアップロードしたフィードと違います。", 0), 0u) << lines[2];
  EXPECT_TRUE(std::filesystem::exists(site + "/index.rdf"));
}

TEST_F(AfterPublish, NothingSwitchedOnSaysNothingMoreAndNoSiteUrlNotifiesNoOne) {
  ASSERT_TRUE(WriteFeedsToPublish(project));
  EXPECT_EQ(ReadFile(TempPath("atom.xml")).find("rel=\"hub\""), std::string::npos);
  EXPECT_EQ(U(UploadFeeds(project, ui).FirstText()), "転送を完了しました");
  project.siteUrl = "";
  project.ext.websubHubs = {web_ + "/hub"};
  EXPECT_EQ(U(UploadFeeds(project, ui).FirstText()),
            "転送を完了しました\r\nサイトのURLが http:// か https:// で始まらないため、WebSubの通知とフィードの確認はしませんでした");
  EXPECT_FALSE(std::filesystem::exists(TempPath("hub.jsonl")));
}

TEST_F(AfterPublish, ASectionsFeedsAreUploadedAndCheckedWithTheProjects) {
  project.atomFileName.clear();
  project.ext.sections = {CFeedSection{"news", CFeedSection::Rule::kCategory, "news", "news.rdf", "", " - news", "news.json"}};
  project.ext.verifyUrl = true;
  project.ext.jsonFeed = true;
  ASSERT_TRUE(WriteFeedsToPublish(project));
  const CResult<> uploaded = UploadFeeds(project, ui);
  ASSERT_TRUE(uploaded) << U(uploaded.FirstText());
  EXPECT_EQ(ReportLines(uploaded), (std::vector<std::string>{"転送を完了しました",
                                                             "確認: " + web_ + "/site/index.rdf はアップロードしたフィードと同じです",
                                                             "確認: " + web_ + "/site/feed.json はアップロードしたフィードと同じです",
                                                             "確認: " + web_ + "/site/news.rdf はアップロードしたフィードと同じです",
                                                             "確認: " + web_ + "/site/news.json はアップロードしたフィードと同じです"}));
  EXPECT_NE(ReadFile(site + "/news.rdf").find(" - news</title>"), std::string::npos);
  EXPECT_NE(ReadFile(site + "/news.json").find("\"title\": \"T - news\""), std::string::npos);
}
