// The upload half of publishing: puts the project's RSS and Atom files on its FTP server.
#pragma once

#include <string>

#include "platform/progress_sink.h"
#include "platform/result.h"

class CRssFile;


// Connects with the project's FTP profile, over the protocol its host field names (ftp_host.h), changes
// to the profile's remote folder, uploads the RSS file and then the Atom file (each only when its name
// is set) in ASCII mode, then the JSON Feed in binary mode while the project has it on, then each
// section's RSS and Atom files in ASCII mode, and disconnects, telling `status` (when given) each step. Non-zero `passive`:
// passive data connections for plain FTP; `caFile`: one more CA file (PEM) that FTP over TLS trusts, ""
// for none. Files uploaded before a failure stay on the server. The one message ends the upload:
// "転送を完了しました" (information icon) when it is done, else the failure's message.
CResult<> UploadFeedFiles(const CRssFile& project, int passive, const std::string& caFile,
                              CProgressSink* status);
