#include "app/enclosure_source.h"

#include <memory>

#include "app/import_commands.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "net/web_requests.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/media_file.h"
#include "platform/mime_types.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"

namespace {

using Enclosure = CResult<CEnclosure>;

bool IsPlayable(const std::string& type) {
  return type.compare(0, 6, "audio/") == 0 || type.compare(0, 6, "video/") == 0;
}

CUserMessage Warning(const char* utf8, const std::string& url) {
  return CUserMessage{Lit(utf8) + url, MbButtons::Ok, MbIcon::Exclamation};
}

CEnclosure EnclosureOfMedia(const std::string& url, const CMediaFacts& facts) {
  CEnclosure enclosure;
  enclosure.url = url;
  enclosure.length = facts.length;
  enclosure.type = facts.type;
  enclosure.duration = facts.duration;
  return enclosure;
}

}  // namespace

std::vector<CUserMessage> MissingEnclosureFacts(const CEnclosure& enclosure) {
  std::vector<CUserMessage> warnings;
  if (enclosure.url.empty()) return warnings;
  if (enclosure.length <= 0) warnings.push_back(Warning("添付ファイルの長さ（バイト数）が分かりません: ", enclosure.url));
  if (enclosure.type.empty()) warnings.push_back(Warning("添付ファイルの種類（MIMEタイプ）が分かりません: ", enclosure.url));
  else if (enclosure.duration <= 0 && IsPlayable(enclosure.type)) {
    warnings.push_back(Warning("添付ファイルの再生時間が分かりません: ", enclosure.url));
  }
  return warnings;
}

Enclosure EnclosureFromFile(const CRssFile& project, const std::string& path) {
  std::string inProject;
  switch (LocateInProject(project, path, inProject)) {
    case ProjectPlace::kNoLocalFolder:
      return Enclosure::Fail(Lit("ローカルフォルダが設定されていないため、添付ファイルのURLを決められません。"), MbIcon::Exclamation);
    case ProjectPlace::kMissing:
      return Enclosure::Fail(Lit("添付ファイルが見つかりません: ") + path, MbIcon::Exclamation);
    case ProjectPlace::kOutside:
      return Enclosure::Fail(Lit("添付ファイルはローカルフォルダ ") + project.localFolder + Lit(" の下にありません: ") + path,
                             MbIcon::Exclamation);
    case ProjectPlace::kInside: break;
  }
  if (project.siteUrl.empty()) {
    return Enclosure::Fail(Lit("サイトのURLが設定されていないため、添付ファイルのURLを決められません。"), MbIcon::Exclamation);
  }
  CMediaFacts facts;
  int error = 0;
  if (!ReadMediaFile(inProject, facts, error)) {
    return Enclosure::Fail(Lit("添付ファイルを読めません: ") + path + " (" + SystemErrorText(error) + ")", MbIcon::Exclamation);
  }
  Enclosure result;
  result.value = EnclosureOfMedia(LocalPathToUrl(project, inProject), facts);
  return result.Done();
}

Enclosure EnclosureFromUrl(const CRssFile& project, const std::string& url, bool askServer) {
  const std::string local = UrlToLocalPath(project, url);
  CMediaFacts facts;
  int error = 0;
  Enclosure result;
  if (!local.empty() && ReadMediaFile(local, facts, error)) {
    result.value = EnclosureOfMedia(url, facts);
    return result.Done();
  }
  result.value.url = url;
  if (!askServer) return result.Done();
  const CResult<CServedFileFacts> served = HeadServedFile(url);
  if (!served) {
    return Enclosure::Fail(Lit("添付ファイルの情報をサーバーから得られません: ") + url + " (" + served.FirstText() + ")",
                           MbIcon::Exclamation);
  }
  result.value.length = served.value.length;
  result.value.type = served.value.type;
  return result.Done();
}

Enclosure EnclosureFor(const CRssFile& project, const std::string& source, bool askServer) {
  return IsWebAddress(source) ? EnclosureFromUrl(project, source, askServer) : EnclosureFromFile(project, source);
}

bool IsEpisodeMediaName(const std::string& name) {
  const std::string ext = LowerExtension(name);
  return ext == "mp3" || ext == "m4a" || ext == "mp4" || ext == "ogg" || ext == "opus";
}

CResult<> ImportMediaFile(CRssFile& project, const std::string& path) {
  CMediaFacts facts;
  int error = 0;
  if (!ReadMediaFile(path, facts, error)) {
    return Failure(Lit("添付ファイルを読めません: ") + path + " (" + SystemErrorText(error) + ")", MbIcon::Exclamation);
  }
  std::int32_t modified = 0;
  if (!GetFileModifiedTime(path, modified)) modified = CurrentTime();
  const std::string url = LocalPathToUrl(project, path);
  const int index = project.FindItemByUrl(url);
  std::unique_ptr<CRssItem> item = index < 0 ? std::make_unique<CRssItem>() : project.RemoveAt(index);
  item->url = url;
  item->title = facts.title.empty() ? NameOf(path) : facts.title;
  item->date = modified;
  item->ext.enclosure = EnclosureOfMedia(url, facts);
  project.InsertAt(0, std::move(item));
  return CResult<>().Done();
}
