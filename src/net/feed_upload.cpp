#include "net/feed_upload.h"

#include "model/ftp_set.h"
#include "model/rss_file.h"
#include "net/ftp_host.h"
#include "net/upload_session.h"
#include "platform/text_codec.h"

namespace {

const char* TransferStatus(CSectionFile::Kind kind) {
  switch (kind) {
    case CSectionFile::Kind::kRss: return "RSSファイル転送中";
    case CSectionFile::Kind::kAtom: return "Atomファイル転送中";
    case CSectionFile::Kind::kJson: break;
  }
  return "JSON Feedファイル転送中";
}

}  // namespace

CResult<> UploadFeedFiles(const CRssFile& project, int passive, const std::string& caFile,
                              CProgressSink* status) {
  const CFtpSet ftpSet = project.ftp;

  // FTP starts from the server's root ("/"), to which the remote folder is relative. SFTP starts in the
  // login folder, as every SFTP client does: on a server that does not lock its users into their home,
  // "/" is the machine's root.
  const CResult<CFtpHost> server = ParseFtpHost(ftpSet.Host);
  const bool sftp = server && server.value.protocol == FtpProtocol::kSftp;
  std::unique_ptr<CUploadSession> ftp = CreateUploadSession(ftpSet.Host);
  ftp->Set(ftpSet.Host, ftpSet.User, ftpSet.Pass, sftp ? "" : "/", passive);
  ftp->SetExtraCaFile(caFile);
  auto show = [&](const char* utf8) {
    if (status) status->SetStatus(Lit(utf8));
  };
  auto showFile = [&](const std::string& name) {
    if (status) status->SetFileText(name);
  };

  try {
    show("接続中");
    ftp->Connect();
    show("接続完了");
    ftp->GetCurrentDirectory();
    ftp->ChangeDirectory(ftpSet.RemoteDir);
    if (!project.rssFileName.empty()) {
      showFile(project.rssFileName);
      show("RSSファイル転送中");
      ftp->PutFile(project.GetRssPath(), true);
    }
    if (!project.atomFileName.empty()) {
      showFile(project.atomFileName);
      show("Atomファイル転送中");
      ftp->PutFile(project.GetAtomPath(), true);
    }
    // JSON Feed is UTF-8 that a text-mode transfer has no business changing.
    if (project.ext.jsonFeed && !project.ext.jsonFileName.empty()) {
      showFile(project.ext.jsonFileName);
      show("JSON Feedファイル転送中");
      ftp->PutFile(project.GetJsonPath(), false);
    }
    // The sections' feeds follow the project's own.
    for (const CFeedSection& section : project.ext.sections) {
      for (const CSectionFile& file : SectionFiles(section, project.ext.jsonFeed)) {
        const bool json = file.kind == CSectionFile::Kind::kJson;
        showFile(file.name);
        show(TransferStatus(file.kind));
        ftp->PutFile(project.JoinFolderAndName(file.name), !json);
      }
    }
  } catch (const CUploadException& e) {
    show("切断中");
    ftp->Disconnect();
    return Failure(e.GetMessage());
  }
  show("切断中");
  ftp->Disconnect();
  return CResult<>().Done().Say(Lit("転送を完了しました"), MbIcon::Information);
}
