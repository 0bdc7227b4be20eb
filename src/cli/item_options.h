// The ITEM options of `add`: the fields of a new item.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

class CRssItem;

struct ItemOptions {
  std::string title, description, category, content, contentFile, date, published, startTag, endTag, image;
  std::string episodeType;
  int episode = 0, season = 0;
  bool hidden = false;
  CLI::App* command = nullptr;
};

void AddItemOptions(CLI::App* command, ItemOptions& options);

// Fills `item` from the options given; raises CCliUsage on a bad date or an unreadable content file.
void ApplyItemOptions(const ItemOptions& options, CRssItem& item);
