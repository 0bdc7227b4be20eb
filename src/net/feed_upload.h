// The upload half of publishing: puts the project's RSS and Atom files on its FTP server.
#pragma once

class CRssFile;

// Connects with the project's FTP profile and the passive-mode option, changes to the profile's remote
// folder, uploads the RSS file and then the Atom file (each only when its name is set) in ASCII mode,
// and disconnects, showing each step in a status window "ftp". Ends with "転送を完了しました" (true),
// or with the failure's message (false); files uploaded before a failure stay on the server.
bool UploadFeedFiles(const CRssFile& project);
