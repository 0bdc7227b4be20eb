#include "net/feed_upload.h"

#include "model/ftp_set.h"
#include "model/rss_file.h"
#include "net/vamel_ftp.h"
#include "platform/text_codec.h"

CUploadResult UploadFeedFiles(const CRssFile& project, int passive, CProgressSink* status) {
  const CFtpSet ftpSet = project.ftp;

  CVamelFtp ftp;
  ftp.Set(ftpSet.Host, ftpSet.User, ftpSet.Pass, "/", passive);
  auto show = [&](const char* utf8) {
    if (status) status->SetStatus(Lit(utf8));
  };
  auto showFile = [&](const std::string& name) {
    if (status) status->SetFileText(name);
  };

  try {
    show("接続中");
    ftp.Connect();
    show("接続完了");
    ftp.GetCurrentDirectory();
    ftp.ChangeDirectory(ftpSet.RemoteDir);
    if (!project.rssFileName.empty()) {
      showFile(project.rssFileName);
      show("RSSファイル転送中");
      ftp.PutFile(project.GetRssPath(), true);
    }
    if (!project.atomFileName.empty()) {
      showFile(project.atomFileName);
      show("Atomファイル転送中");
      ftp.PutFile(project.GetAtomPath(), true);
    }
  } catch (const CVamelFtpException& e) {
    show("切断中");
    ftp.Disconnect();
    return CUploadResult{false, CUserMessage{e.GetMessage(), MbButtons::Ok, MbIcon::Exclamation}};
  }
  show("切断中");
  ftp.Disconnect();
  return CUploadResult{true, CUserMessage{Lit("転送を完了しました"), MbButtons::Ok, MbIcon::Information}};
}
