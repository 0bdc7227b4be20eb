// Reading a JSON Feed (version 1 or 1.1) into a project, as ReadFeed reads the XML formats.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/result.h"

class CRssFile;

// A JSON Feed file holds at most this many bytes; a larger one is refused before it is parsed.
inline constexpr std::size_t kMaxJsonFeedBytes = std::size_t{128} << 20;

// True when the file's first character after white space (and a byte-order mark) is "{".
bool IsJsonFeedFile(const std::string& path);

// Reads the JSON Feed file at `path` (ReadJsonFeedBytes); a file that cannot be read fails with the file
// error's message, one above kMaxJsonFeedBytes with no message.
CResult<> ReadJsonFeed(CRssFile& project, const std::string& path);

// Reads the JSON Feed `bytes` (the file at `path`) and appends one item per feed item, in feed order,
// after the project's items: id, else url, as URL; title; summary (else content_text) as description;
// content_html as content; date_published and date_modified; the first tag as category; the image.
// The project takes over the feed's title, home page, description, first author and language, the file's folder
// as localFolder, its name as the JSON Feed's file name, and kFeedJson as sourceKind. Fails with the
// project unchanged and no message when the bytes are not a JSON Feed (not JSON, nesting too deep,
// another version, items not an array).
CResult<> ReadJsonFeedBytes(CRssFile& project, const std::string& path, std::string_view bytes);
