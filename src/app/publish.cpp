#include "app/publish.h"

#include <memory>

#include "app/interaction.h"
#include "app/transfer_worker.h"
#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/ftp_host.h"
#include "platform/text_codec.h"
#include "settings/options.h"

CResult<CWrittenFeeds> WriteFeedsToPublish(const CRssFile& project) {
  const CResult<CWrittenFeeds> created = CreateRssAndAtom(project);
  // The closing message of the creation command only when neither feed was written.
  CResult<CWrittenFeeds> result;
  result.status = created.status;
  result.value = created.value;
  result.SayAll(created.value.rss).SayAll(created.value.atom).SayAll(created.value.json);
  if (!result) result.Say(FeedsNotCreatedMessage());
  return result;
}

bool ConfirmUpload(CInteraction& ui) {
  const CUserMessage question{Lit("ftpでサーバにアップしますか？"), MbButtons::YesNo, MbIcon::Question};
  return ui.Ask(QuestionId::kConfirmUpload, question) == MbAnswer::Yes;
}

CResult<> UploadFeeds(const CRssFile& project, CInteraction& ui) {
  // The worker gets a copy of what it needs: the calling thread's project may change meanwhile.
  CRssFile upload;
  upload.ftp = project.ftp;
  upload.localFolder = project.localFolder;
  upload.rssFileName = project.rssFileName;
  upload.atomFileName = project.atomFileName;
  upload.ext.jsonFeed = project.ext.jsonFeed;
  upload.ext.jsonFileName = project.ext.jsonFileName;
  const int passive = GetFtpPassiveOption();
  const std::string caFile = GetFtpCaFileOption();
  CResult<> uploaded;
  std::unique_ptr<CProgressSink> status(ui.CreateProgress("ftp", false));
  RunTransferWorker(status.get(), [&](CProgressSink* sink) { uploaded = UploadFeedFiles(upload, passive, caFile, sink); });
  return uploaded;
}

CResult<> CheckFtpHostField(const std::string& host) { return CResult<>().Follow(ParseFtpHost(host)); }
