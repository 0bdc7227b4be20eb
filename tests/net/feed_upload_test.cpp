// Publishing's upload of the feed files to a real FTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/net_fixture.h"
#include "settings/options.h"
#include "support/missing.h"

namespace {

class FeedUploadTest : public NetTest {
protected:
  void SetUp() override {
    NetTest::SetUp();
    if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
    root = TempPath("ftproot");
    log = TempPath("ftp.log");
    MakeFolder(root + "/public_html");
    MakeFolder(TempPath("site"));
    WriteFile(TempPath("site") + "/index.rdf", "rss\r\n");
    WriteFile(TempPath("site") + "/atom.xml", "atom\r\n");
    std::string error;
    ASSERT_TRUE(server.Start("ftp_server.py", {"--root", root, "--log", log}, TempFolder(), &error)) << error;
    project.localFolder = TempPath("site");
    project.ftp.Host = "127.0.0.1:" + std::to_string(server.Port());
    project.ftp.User = "alice";
    project.ftp.Pass = "secret";
    project.ftp.RemoteDir = "public_html";
  }

  // The log's lines that start with `prefix`.
  std::vector<std::string> Commands(const std::string& prefix) const {
    std::vector<std::string> out;
    std::string text = ReadFile(log);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
      start = end + 1;
    }
    return out;
  }

  // The upload as publishing runs it, with the options' passive mode and CA file.
  bool Upload() { return UploadProject(project, GetFtpPassiveOption(), GetFtpCaFileOption()); }

  std::string root, log;
  CRssFile project;
};

TEST_F(FeedUploadTest, UploadsRssThenAtomAndReports) {
  SetFtpPassiveOption(1);
  EXPECT_TRUE(Upload());
  EXPECT_EQ(rec.events, (std::vector<std::string>{"open:ftp", "status:接続中", "status:接続完了", "file:index.rdf",
                                                  "status:RSSファイル転送中", "file:atom.xml",
                                                  "status:Atomファイル転送中", "status:切断中", "close"}));
  ASSERT_EQ(rec.shown.size(), 1u);
  EXPECT_EQ(rec.shown[0].text, "転送を完了しました");
  EXPECT_EQ(rec.shown[0].buttons, MbButtons::Ok);
  EXPECT_EQ(rec.shown[0].icon, MbIcon::Information);
  EXPECT_EQ(Commands("STOR"), (std::vector<std::string>{"STOR index.rdf", "STOR atom.xml"}));
  EXPECT_EQ(Commands("CWD /public_html").size(), 1u + Commands("STOR").size());
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "rss\n");
  EXPECT_EQ(ReadFile(root + "/public_html/atom.xml"), "atom\n");
  EXPECT_FALSE(Commands("EPSV").empty());

  // The passive option off (its default) uploads in active mode.
  SetFtpPassiveOption(0);
  EXPECT_TRUE(Upload());
  EXPECT_FALSE(Commands("EPRT").empty());
}

// The JSON Feed, while it is on, goes after the other two, its bytes as they are (binary mode); a
// section's JSON Feed likewise, after the project's.
TEST_F(FeedUploadTest, TheJsonFeedFollowsInBinaryModeWhileItIsOn) {
  WriteFile(TempPath("site") + "/news.json", "{\r\n\"version\": \"\"}\r\n");
  WriteFile(TempPath("site") + "/diary.json", "{\r\n\"title\": \"d\"}\r\n");
  project.ext.jsonFileName = "news.json";
  project.ext.sections = {CFeedSection{"d", CFeedSection::Rule::kCategory, "d", "", "", "", "diary.json"}};
  EXPECT_TRUE(Upload());
  EXPECT_EQ(Commands("STOR"), (std::vector<std::string>{"STOR index.rdf", "STOR atom.xml"}));
  project.ext.jsonFeed = true;
  rec.events.clear();
  EXPECT_TRUE(Upload());
  EXPECT_EQ(rec.Events("status:JSON").size(), 2u);
  EXPECT_EQ(rec.Events("file:news.json").size(), 1u);
  const std::vector<std::string> stored = Commands("STOR");
  ASSERT_GE(stored.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(stored.end() - 2, stored.end()), (std::vector<std::string>{"STOR news.json", "STOR diary.json"}));
  EXPECT_EQ(ReadFile(root + "/public_html/news.json"), "{\r\n\"version\": \"\"}\r\n");
  EXPECT_EQ(ReadFile(root + "/public_html/diary.json"), "{\r\n\"title\": \"d\"}\r\n");
}

TEST_F(FeedUploadTest, EmptyNamesAreSkipped) {
  project.atomFileName.clear();
  EXPECT_TRUE(Upload());
  EXPECT_EQ(Commands("STOR"), std::vector<std::string>{"STOR index.rdf"});
  project.rssFileName.clear();
  rec.events.clear();
  EXPECT_TRUE(Upload());
  EXPECT_EQ(Commands("STOR").size(), 1u);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"open:ftp", "status:接続中", "status:接続完了", "status:切断中", "close"}));
  EXPECT_EQ(rec.Texts(), (std::vector<std::string>{"転送を完了しました", "転送を完了しました"}));
}

TEST_F(FeedUploadTest, AFailureEndsTheUploadWithItsMessage) {
  // The Atom file is missing: the RSS file stays on the server.
  std::string atom = TempPath("site") + "/atom.xml";
  std::remove(atom.c_str());
  EXPECT_FALSE(Upload());
  EXPECT_EQ(ReadFile(root + "/public_html/index.rdf"), "rss\n");
  ASSERT_EQ(rec.shown.size(), 1u);
  EXPECT_EQ(rec.shown[0].text, "ファイル転送エラー:" + atom + "\nローカルファイルを開けませんでした (No such file or directory)");
  EXPECT_EQ(rec.shown[0].buttons, MbButtons::Ok);
  EXPECT_EQ(rec.shown[0].icon, MbIcon::None);  // the exception's message as it stands, without an icon
  EXPECT_EQ(rec.events.back(), "close");
  EXPECT_EQ(rec.events[rec.events.size() - 2], "status:切断中");

  rec.events.clear();
  project.ftp.RemoteDir = "nosuch";
  EXPECT_FALSE(Upload());
  EXPECT_EQ(rec.Texts().back(), "ディレクトリ移動エラー:/nosuch\nサーバがコマンドを拒否しました (550 No such file or directory.)");
  EXPECT_EQ(rec.Events("file:").size(), 0u);

  rec.events.clear();
  project.ftp.Pass = "wrong";
  EXPECT_FALSE(Upload());
  EXPECT_EQ(rec.Texts().back(), "接続エラー:ログインできませんでした(ユーザ名かパスワードが違います) (530 Authentication failed.)");
  EXPECT_EQ(rec.events, (std::vector<std::string>{"open:ftp", "status:接続中", "status:切断中", "close"}));
  EXPECT_EQ(ReadFile(log).find("wrong"), std::string::npos);
}

}  // namespace
