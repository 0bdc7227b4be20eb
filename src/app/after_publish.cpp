#include "app/after_publish.h"

#include <vector>

#include "feeds/feed_writers.h"
#include "model/rss_file.h"
#include "net/web_requests.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"

namespace {

// A served feed larger than what was uploaded by more than this is not read further.
constexpr std::size_t kVerifySlack = std::size_t{1} << 20;

struct PublishedFeed {
  std::string path;  // the local file that was uploaded
  std::string url;   // where the site serves it
};

std::vector<PublishedFeed> PublishedFeeds(const CRssFile& project) {
  std::vector<PublishedFeed> feeds;
  if (!project.rssFileName.empty()) feeds.push_back({project.GetRssPath(), GetRssSelfUrl(project)});
  if (!project.atomFileName.empty()) feeds.push_back({project.GetAtomPath(), GetAtomSelfUrl(project)});
  if (project.ext.jsonFeed && !project.ext.jsonFileName.empty()) {
    feeds.push_back({project.GetJsonPath(), GetJsonFeedUrl(project)});
  }
  for (const CFeedSection& section : project.ext.sections) {
    for (const CSectionFile& file : SectionFiles(section, project.ext.jsonFeed)) {
      feeds.push_back({project.JoinFolderAndName(file.name), PublishedUrl(project, file.name)});
    }
  }
  return feeds;
}

// The feeds go up in ASCII mode, so the server may hold them with its own line breaks: compare with
// every CR LF read as LF.
std::string WithLfBreaks(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) out += bytes[i];
  }
  return out;
}

std::string HubLine(const std::string& hub, const std::string& feedUrl, const CResult<CHubAnswer>& answer) {
  std::string detail = answer.value.status ? std::to_string(answer.value.status) : Lit("応答なし");
  if (!answer.value.reason.empty()) detail += " " + answer.value.reason;
  return "WebSub: " + hub + Lit(" (") + feedUrl + Lit(") ") +
         (answer ? Lit("に通知しました") : Lit("への通知に失敗しました")) + " [" + detail + "]";
}

std::string VerifyLine(const PublishedFeed& feed) {
  std::string uploaded;
  int error = 0;
  if (!ReadFileBytes(feed.path, uploaded, error)) return Lit("確認: ") + feed.path + Lit(" を読み込めませんでした。") + SystemErrorText(error);
  const CResult<std::string> served = FetchServedFile(feed.url, uploaded.size() + kVerifySlack);
  if (!served) return Lit("確認: ") + feed.url + Lit(" を取得できませんでした [") + served.FirstText() + "]";
  if (WithLfBreaks(served.value) == WithLfBreaks(uploaded)) return Lit("確認: ") + feed.url + Lit(" はアップロードしたフィードと同じです");
  return Lit("確認: ") + feed.url +
         Lit(" はアップロードしたフィードと違います。サーバの前のキャッシュが古いフィードを返しているか、"
             "ftp設定のリモートフォルダがURLの場所と違う可能性があります");
}

}  // namespace

std::string AfterPublishReport(const CRssFile& project) {
  std::string report;
  if (project.ext.websubHubs.empty() && !project.ext.verifyUrl) return report;
  // Feed URLs are the site URL and the file names: without a web address there is nothing to tell.
  if (!IsWebAddress(project.siteUrl)) {
    return "\r\n" + Lit("サイトのURLが http:// か https:// で始まらないため、WebSubの通知とフィードの確認はしませんでした");
  }
  const std::vector<PublishedFeed> feeds = PublishedFeeds(project);
  for (const std::string& hub : project.ext.websubHubs) {
    for (const PublishedFeed& feed : feeds) report += "\r\n" + HubLine(hub, feed.url, NotifyHub(hub, feed.url));
  }
  if (project.ext.verifyUrl) {
    for (const PublishedFeed& feed : feeds) report += "\r\n" + VerifyLine(feed);
  }
  return report;
}
