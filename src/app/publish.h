// "ftp転送": write both feeds, confirm, upload them to the project's FTP server.
#pragma once

#include <string>

#include "platform/result.h"

class CInteraction;
class CRssFile;

// What the command ended with.
enum class PublishOutcome { kUploaded, kDeclined, kFailed };

// Writes both feeds (a message when neither could be written; the upload goes on, since files written
// earlier may be there to send); asks "ftpでサーバにアップしますか？" for a project (`kind` 0), or shows
// the FTP page in its profile mode for a feed file (kinds 1 to 4); uploads with the status window "ftp"
// and shows the closing message.
PublishOutcome PublishFeeds(CRssFile& project, int kind, CInteraction& ui);

// Done when `host` is a host field that publishing can use: "host", "host:port", "ftps://host[:port]"
// or "sftp://host[:port]"; else failed with the reason (internal text).
CResult<> CheckFtpHostField(const std::string& host);
