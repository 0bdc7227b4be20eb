// Fetches one web page by HTTP or HTTPS GET into a file, with a progress window that can cancel.
#pragma once

#include <functional>
#include <string>

#include "platform/progress_sink.h"
#include "platform/result.h"

// Limits of one download; the defaults suit a page.
struct CDownloadOptions {
  long connectTimeout = 30;  // seconds to wait for the connection
  long stallTimeout = 60;    // seconds without a byte before the download fails
  long totalTimeout = 120;   // seconds the whole download may take, however the server trickles
  unsigned long long maxBytes = 64ull << 20;  // larger bodies are refused (a page, not a disk image)
  std::string caFile;        // PEM file of certificates to trust instead of the system's ("" for those)
  // Asked when the user presses the window's cancel button; true stops the download, false goes on.
  // Unset, a cancel request stops it at once.
  std::function<bool()> confirmCancel;
};

// Opens the progress window of a download; the download deletes it (closing the window) before it
// returns.
using CProgressOpener = std::function<CProgressSink*()>;

// Saves the page at `url` (http or https) as folder/<the URL's part after its last "/">. A URL without
// "/" gives nothing at once. A name that no file can have ("", ".", "..", control characters, too
// long) is made safe. Once the URL is understood, `openProgress` (when given) opens the window, which
// shows "ダウンロード中です", the name, the bar and the count ("%d/%dバイト"), gets a chance to repaint at
// least every 100 ms, also while the server sends nothing, and can cancel (after confirmCancel); a
// cancelled download leaves no file. Every other failure (the URL, the connection, a status of 300
// or more, the deadline, the file) comes back with its reason, and leaves any older file of that name
// untouched. `folder` should be the process's private folder (PrivateTempFolder): the name comes from
// the URL, so any folder that others can write to, or that holds the user's own files, is unsafe.
// Done with the saved file's path as the payload; cancelled by the user; or failed with the message
// that explains why (none for a URL without "/").
CResult<std::string> DownloadPage(const std::string& url, const std::string& folder, const CProgressOpener& openProgress,
                             const CDownloadOptions& options = CDownloadOptions());

// The count beside the bar: "<received>/<total>バイト", or "<received>バイト" while the length is unknown.
std::string DownloadCountText(unsigned long long received, unsigned long long total);

// The file name DownloadPage gives the page at `url` ("" when the URL has no "/").
std::string DownloadFileName(const std::string& url);
