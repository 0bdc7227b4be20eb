// What a media file is, for an item's enclosure: its size, its MIME type, its playing time and the
// title in its tags. The tags and the playing time are read with TagLib.
#pragma once

#include <cstdint>
#include <string>

struct CMediaFacts {
  std::int64_t length = 0;  // in bytes
  std::string type;         // the MIME type from the name ("audio/mpeg"); "" unknown
  int duration = 0;         // in whole seconds, rounded; 0 unknown
  std::string title;        // the tags' title (internal text); "" none
};

// The facts of the regular file at `path` (internal text). A file TagLib cannot read, whatever its
// bytes, keeps duration 0 and no title. False, with errno in `error`, when the path is no regular file
// or cannot be opened; nothing is ever opened that could block (a FIFO, a device).
bool ReadMediaFile(const std::string& path, CMediaFacts& facts, int& error);
