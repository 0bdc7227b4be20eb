// An item's enclosure from what the user names: a media file below the project's local folder, or
// the URL of a file on the web. The desktop app's "添付ファイル" and the command line's --enclosure.
#pragma once

#include <string>
#include <vector>

#include "model/project_extensions.h"
#include "platform/result.h"

class CRssFile;

// The enclosure of a local media file (a path as typed, absolute or relative to the working folder): its
// URL as the site serves it (the page address mapping), its length, type and playing time. Failed, with
// the reason, when the file is missing, lies outside the local folder or cannot be read; a fact that
// the file does not tell stays 0 or "" (MissingEnclosureFacts names them).
CResult<CEnclosure> EnclosureFromFile(const CRssFile& project, const std::string& path);

// The enclosure of an http or https URL. A URL of the site whose file is in the local folder is read
// from there; any other is asked with a HEAD request (unless `askServer` is false), which tells its
// length and type but never its playing time; what the server does not tell stays 0 or "". Failed,
// with the reason, when the server could not be asked or answered with an error.
CResult<CEnclosure> EnclosureFromUrl(const CRssFile& project, const std::string& url, bool askServer = true);

// EnclosureFromUrl for a web URL, EnclosureFromFile for anything else.
CResult<CEnclosure> EnclosureFor(const CRssFile& project, const std::string& source, bool askServer = true);

// A warning for each fact a podcast directory needs that the enclosure lacks: its length, its type,
// and the playing time of audio and video. None for an enclosure without URL.
std::vector<CUserMessage> MissingEnclosureFacts(const CEnclosure& enclosure);

// The folder scan's media files: "mp3", "m4a", "mp4", "ogg", "opus" (the name's extension, in any case).
bool IsEpisodeMediaName(const std::string& name);

// Takes a media file below the local folder in as an episode: the item with the file's URL (a new one
// when none has it) goes first and gets the tags' title (else the file name), the file's last-write time
// as its date, and the enclosure; its other values stay. Failed, with the reason, when the file cannot
// be read.
CResult<> ImportMediaFile(CRssFile& project, const std::string& path);
