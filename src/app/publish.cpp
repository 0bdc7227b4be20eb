#include "app/publish.h"

#include <memory>

#include "app/after_publish.h"
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
  for (const CResult<std::string>* feed : AllWrittenFeeds(created.value)) result.SayAll(*feed);
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
  upload.siteUrl = project.siteUrl;
  upload.ext = project.ext;
  const int passive = GetFtpPassiveOption();
  const std::string caFile = GetFtpCaFileOption();
  CResult<> uploaded;
  std::unique_ptr<CProgressSink> status(ui.CreateProgress("ftp", false));
  RunTransferWorker(status.get(), [&](CProgressSink* sink) {
    uploaded = UploadFeedFiles(upload, passive, caFile, sink);
    // The hubs and the check of the site add to the closing message and never fail the upload.
    if (uploaded && !uploaded.messages.empty()) uploaded.messages.back().text += AfterPublishReport(upload);
  });
  return uploaded;
}

CResult<> CheckFtpHostField(const std::string& host) { return CResult<>().Follow(ParseFtpHost(host)); }
