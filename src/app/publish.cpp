#include "app/publish.h"

#include <memory>

#include "app/feed_commands.h"
#include "app/ftp_profile_mode.h"
#include "app/interaction.h"
#include "app/transfer_worker.h"
#include "model/rss_file.h"
#include "net/feed_upload.h"
#include "net/ftp_host.h"
#include "platform/text_codec.h"
#include "settings/options.h"

PublishOutcome PublishFeeds(CRssFile& project, int kind, CInteraction& ui) {
  const CResult<CWrittenFeeds> created = CreateRssAndAtom(project);
  const CWrittenFeeds& written = created.value;
  // The file errors, and the closing message only when neither feed was written.
  ui.ShowAll(written.rss.messages);
  ui.ShowAll(written.atom.messages);
  if (!created) ui.Show(CUserMessage{FeedsNotCreatedMessage()});
  // The check of the feeds written comes last, after the command's own messages, whatever the end.
  auto finish = [&](PublishOutcome outcome) {
    ReportWrittenFeeds({&written.rss, &written.atom}, ui);
    return outcome;
  };
  if (kind == 0) {
    CUserMessage question{Lit("ftpでサーバにアップしますか？"), MbButtons::YesNo, MbIcon::Question};
    if (ui.Ask(QuestionId::kConfirmUpload, question) != MbAnswer::Yes) return finish(PublishOutcome::kDeclined);
  } else if (!RunFtpProfileMode(project, Lit("ftp転送"), ui)) {
    return finish(PublishOutcome::kDeclined);
  }
  // The upload runs on a worker thread with a copy of what it needs, while the status window on this
  // thread stays live; the window closes before the closing message.
  CRssFile upload;
  upload.ftp = project.ftp;
  upload.localFolder = project.localFolder;
  upload.rssFileName = project.rssFileName;
  upload.atomFileName = project.atomFileName;
  const int passive = GetFtpPassiveOption();
  const std::string caFile = GetFtpCaFileOption();
  CResult<> uploaded;
  {
    std::unique_ptr<CProgressSink> status(ui.CreateProgress("ftp", false));
    RunTransferWorker(status.get(),
                      [&](CProgressSink* sink) { uploaded = UploadFeedFiles(upload, passive, caFile, sink); });
  }
  ui.ShowAll(uploaded.messages);
  return finish(uploaded ? PublishOutcome::kUploaded : PublishOutcome::kFailed);
}

CResult<> CheckFtpHostField(const std::string& host) {
  return CResult<>().Follow(ParseFtpHost(host));
}
