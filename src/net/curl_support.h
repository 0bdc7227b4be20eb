// Small pieces shared by the FTP session and the page download over libcurl.
#pragma once

#include <curl/curl.h>

#include <string>
#include <vector>

#include "platform/curl_global.h"

// A readable Japanese reason for a libcurl failure, followed by the most telling detail we have: the
// server's last reply line when there is one, else libcurl's own error text. Internal text.
std::string CurlFailureReason(CURLcode code, const std::string& errorBuffer, const std::string& lastReply);

// Internal text from bytes that came from a server or from libcurl: UTF-8 is converted, other bytes are
// taken as they stand; control characters become spaces and the ends are trimmed.
std::string ServerTextToAnsi(const std::string& bytes);

// Cuts internal text to at most `maxBytes` bytes without splitting a double-byte character.
std::string CutAnsi(const std::string& text, size_t maxBytes);

// Longest detail that a connection error carries.
constexpr size_t kMaxErrorDetail = 200;

// A libcurl header function that collects the lines a transfer reports (the server's replies, the
// lines of quote commands) into the std::vector<std::string> given as its data, without line ends.
size_t CollectReplyLine(char* data, size_t size, size_t count, void* lines);

// Remote names and folders go to the server as UTF-8, and come back from it converted when they are
// UTF-8 (taken as they stand otherwise).
std::string ToWire(const std::string& ansi);
std::string FromWire(const std::string& wire);

// The name a file is uploaded under before it replaces `name`: hidden in listings, in the same folder
// so that the rename stays on one file system, and always the same, so that a failed run leaves one
// stray file at most, which the next run overwrites.
std::string UploadTemporaryName(const std::string& name);

// True when the text holds a CR, LF or NUL byte (which would end or split a protocol line).
bool HasLineBreak(const std::string& text);

// Sets the options of one transfer that point at the caller's data: the URL, `errorBuffer` (of
// CURL_ERROR_SIZE bytes), where reply lines go (`replies`, for the handle's header function) and the
// commands sent before it. Returns the command list, which ReleaseTransferOptions frees.
curl_slist* SetTransferOptions(CURL* curl, const std::string& url, const std::vector<std::string>& commands,
                               char* errorBuffer, void* replies);

// Clears the options of one transfer that point at the caller's data (quote list, error buffer, header
// and read targets, upload mode) so that the handle keeps no pointer past the call, then frees `quote`.
void ReleaseTransferOptions(CURL* curl, curl_slist* quote);
