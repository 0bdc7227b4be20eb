// The feed-creation commands, the link tags and the feed viewer, as operations on a project.
#pragma once

#include <string>
#include <vector>

#include "platform/result.h"
#include "platform/user_message.h"

class CInteraction;
class CRssFile;

// Which writer a creation command runs: the project's RSS or Atom version, or a fixed one.
enum class FeedCommand { kRss, kAtom, kRss10, kRss20, kAtom03, kAtom10, kJson };

// The creation command of a menu number (32776, 32777, 32799, 32786, 32800, 32797, 32801); false for others.
bool FeedCommandOfId(int id, FeedCommand& command);

// A single-feed creation command: done when the file was written; the messages to show in order (a
// file error, then "作成できませんでした。..." when nothing was written); the payload is the feed's path
// ("" when its file name is not set). Each section's feed of the same format is written too (its file
// errors follow).
CResult<std::string> CreateFeed(const CRssFile& project, FeedCommand command);
// The question after a feed was written: "RSSファイルを作成しました。このファイルを開きますか？" and its
// kin (Yes/No, information icon).
CUserMessage OpenCreatedFeedQuestion(FeedCommand command);

// "RSS&&Atom作成": both feeds by the project's versions, and the JSON Feed while the project has it
// switched on. Done when any was written; the messages are each feed's file error, then one closing
// message: "RSSファイル Atomファイル の作成を完了しました" (each name when written, "JSON Feedファイル "
// after them) or "作成できませんでした。..." when none was. The payload is each feed's own result (json
// not run, failed without a path or message, while the JSON Feed is off).
struct CWrittenFeeds {
  CResult<std::string> rss;
  CResult<std::string> atom;
  CResult<std::string> json;
  // Each section's RSS files, then their Atom files, then (while the JSON Feed is on) their JSON Feeds,
  // of those the sections have names for.
  std::vector<CResult<std::string>> sections;
};
CResult<CWrittenFeeds> CreateRssAndAtom(const CRssFile& project);
// Every feed's result: the RSS, the Atom, the JSON Feed, then the sections' feeds.
std::vector<const CResult<std::string>*> AllWrittenFeeds(const CWrittenFeeds& written);

// The message after both feeds were written, and the message when neither could be.
std::string FeedsCreatedMessage(bool rss, bool atom, bool json = false);
std::string FeedsNotCreatedMessage();

// <LINK rel="alternate" TITLE="RSS" TYPE="application/rss+xml" HREF="index.rdf"> with the file name.
std::string GetRssLinkTag(const CRssFile& project);
std::string GetAtomLinkTag(const CRssFile& project);
// <LINK rel="alternate" TITLE="JSON Feed" TYPE="application/feed+json" HREF="feed.json">.
std::string GetJsonLinkTag(const CRssFile& project);
// The tag that a copy command (32773, 32794, 32778, 32802) gives.
std::string LinkTagOfCommand(const CRssFile& project, int command);

// Runs the feed viewer ("RssViewer", else the program for HTML files) with `path` as its parameter.
void OpenInViewer(CInteraction& ui, const std::string& path);

// "RSSファイルを表示" / "Atomファイルを表示": the file in the viewer, or "RSSファイル名が設定されていません"
// / "Atomファイル名が設定されていません" when the name is empty.
void ShowFeedFile(const CRssFile& project, bool rss, CInteraction& ui);

// The paths of the feeds that were saved, for the check that follows a creation command.
std::vector<std::string> SavedFeedPaths(const std::vector<const CResult<std::string>*>& feeds);

// A creation command as the menu runs it: create, show the messages, ask, open the file on Yes. What
// was written is returned for the check that follows.
CResult<std::string> RunCreateFeed(const CRssFile& project, FeedCommand command, CInteraction& ui);
CResult<CWrittenFeeds> RunCreateRssAndAtom(const CRssFile& project, CInteraction& ui);
