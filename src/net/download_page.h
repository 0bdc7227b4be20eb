// Fetches one web page by HTTP or HTTPS GET into a file, with a progress window that can cancel.
#pragma once

#include <string>

// Limits of one download; the defaults are those of DownloadPage(url, folder, showProgress).
struct CDownloadOptions {
  long connectTimeout = 30;  // seconds to wait for the connection
  long stallTimeout = 60;    // seconds without a byte before the download fails
  unsigned long long maxBytes = 64ull << 20;  // larger bodies are refused (a page, not a disk image)
  std::string caFile;        // PEM file of certificates to trust instead of the system's ("" for those)
};

// Saves the page at `url` (http or https) as folder/<the URL's part after its last "/"> and returns that
// path, or "" when nothing was saved. A URL without "/" gives "" at once. A name that no file can
// have ("", ".", "..", control characters, too long) is made safe. With `showProgress` a window
// "ダウンロード" shows the bytes received and offers cancelling; a cancelled download leaves no file.
// Every other failure (the URL, the connection, a status of 300 or more, the file) is shown to the
// user with its reason, and leaves any older file of that name untouched.
std::string DownloadPage(const std::string& url, const std::string& folder, int showProgress);
std::string DownloadPage(const std::string& url, const std::string& folder, int showProgress,
                         const CDownloadOptions& options);

// The file name DownloadPage gives the page at `url` ("" when the URL has no "/").
std::string DownloadFileName(const std::string& url);
