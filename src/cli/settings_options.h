// The SETTINGS options shared by `new` and `set`: the project's site, feed and FTP settings.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

class CRssFile;

struct SettingsOptions {
  std::string title, url, description, creator, folder, rssFile, atomFile;
  std::string rssVersion, atomVersion, rssMode, atomMode, ftpHost, ftpUser, ftpDir;
  std::string language, selfLinks, fullText, itemImages, holdFuture, siteImage, siteIcon, jsonFeed, jsonFile, verifyUrl;
  std::string podcast, podcastAuthor, podcastOwnerEmail, podcastCategory, podcastExplicit, podcastImage, podcastType,
      podcastLocked;
  std::vector<std::string> websubHubs, sections, removeSections;
  int rssCount = 0, atomCount = 0, importMode = 0, jsonCount = 0;
  bool ftpPasswordStdin = false;
  CLI::App* command = nullptr;
};

void AddSettingsOptions(CLI::App* command, SettingsOptions& options);

// Applies the options that were given to `project`; raises CCliUsage on a bad value.
void ApplySettings(const SettingsOptions& options, CRssFile& project);
