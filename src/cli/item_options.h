// The ITEM options of `add`: the fields of a new item.
#pragma once

#include <cstdint>
#include <string>

#include <CLI/CLI.hpp>

class CRssFile;
class CRssItem;

struct ItemOptions {
  std::string title, description, category, content, contentFile, date, published, startTag, endTag, image;
  std::string episodeType;
  int episode = 0, season = 0;
  bool hidden = false;
  std::string enclosure, enclosureType;
  std::int64_t enclosureLength = 0;
  int duration = 0;
  CLI::App* command = nullptr;
};

void AddItemOptions(CLI::App* command, ItemOptions& options);

// Fills `item` from the options given; raises CCliUsage on a bad date or an unreadable content file.
void ApplyItemOptions(const ItemOptions& options, CRssItem& item);

// Fills the item's enclosure from --enclosure (a media file below the local folder, or a URL that the
// server is asked about unless the length and the type are given), then from the values given by hand;
// prints a warning line for each fact still missing. Raises CCliFailure when the file or the server
// cannot tell anything.
void ApplyEnclosureOptions(const ItemOptions& options, const CRssFile& project, CRssItem& item);
