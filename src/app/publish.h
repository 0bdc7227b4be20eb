// "ftp転送": write both feeds, confirm, upload them to the project's FTP server. Each front end runs the
// steps in this order: WriteFeedsToPublish (its messages shown), the confirmation (for a project the
// question of ConfirmUpload; for a feed file the FTP page in its profile mode,
// ftp_profile_mode.h), UploadFeeds (its message shown), and last the check of the feeds written.
#pragma once

#include <string>

#include "app/feed_commands.h"
#include "platform/result.h"

class CInteraction;
class CRssFile;

// Both feeds by the project's versions (and the JSON Feed when on); done when any was written. The messages are the file
// errors, then "作成できませんでした。..." when neither feed could be written: the upload goes on all the
// same, since files written earlier may be there to send.
CResult<CWrittenFeeds> WriteFeedsToPublish(const CRssFile& project);

// A project's confirmation: "ftpでサーバにアップしますか？" (Yes/No, question icon, kConfirmUpload); true on
// Yes.
bool ConfirmUpload(CInteraction& ui);

// Uploads the RSS and Atom files (and the JSON Feed when on) with the project's FTP settings (and the options "ftppasv" and
// "FtpCaFile") on a worker thread, while the status window "ftp" on this thread stays live; the window
// closes before the result comes back. Its one message ends the upload: "転送を完了しました" or the
// failure's.
CResult<> UploadFeeds(const CRssFile& project, CInteraction& ui);

// Done when `host` is a host field that publishing can use: "host", "host:port", "ftps://host[:port]"
// or "sftp://host[:port]"; else failed with the reason (internal text).
CResult<> CheckFtpHostField(const std::string& host);
