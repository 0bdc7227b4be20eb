#include "app/feed_commands.h"

#include "app/commands.h"
#include "app/interaction.h"
#include "app/section_feeds.h"
#include "feeds/feed_writers.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "settings/program_lookup.h"

namespace {

constexpr const char* kCreateFailed = "作成できませんでした。サイト設定のファイル名等を確認してください";

// One creation command: its number, its writer, whether it writes the RSS file, its question.
struct FeedCommandRow {
  int id;
  FeedCommand command;
  CResult<std::string> (*write)(const CRssFile&, const std::string&);
  const char* question;
};

const FeedCommandRow kFeedCommands[] = {
    {ID_CREATE_RSS, FeedCommand::kRss, &WriteRss, "RSSファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM, FeedCommand::kAtom, &WriteAtom, "Atomファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_RSS10, FeedCommand::kRss10, &WriteRss10, "RSS1.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_RSS20, FeedCommand::kRss20, &WriteRss20, "RSS2.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM03, FeedCommand::kAtom03, &WriteAtom03, "Atom0.3ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM10, FeedCommand::kAtom10, &WriteAtom10, "Atom1.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_JSON, FeedCommand::kJson, &WriteJsonFeed, "JSON Feedファイルを作成しました。このファイルを開きますか？"},
};

const FeedCommandRow& RowOf(FeedCommand command) {
  for (const FeedCommandRow& row : kFeedCommands) {
    if (row.command == command) return row;
  }
  return kFeedCommands[0];
}

CUserMessage Plain(std::string text) { return CUserMessage{std::move(text), MbButtons::Ok, MbIcon::None}; }

std::string LinkTag(const char* title, const char* type, const std::string& fileName) {
  return std::string("<LINK rel=\"alternate\" TITLE=\"") + title + "\" TYPE=\"" + type + "\" HREF=\"" + fileName + "\">";
}

}  // namespace

bool FeedCommandOfId(int id, FeedCommand& command) {
  for (const FeedCommandRow& row : kFeedCommands) {
    if (row.id == id) {
      command = row.command;
      return true;
    }
  }
  return false;
}

std::string FeedsCreatedMessage(bool rss, bool atom, bool json) {
  std::string message;
  if (rss) message += Lit("RSSファイル ");
  if (atom) message += Lit("Atomファイル ");
  if (json) message += Lit("JSON Feedファイル ");
  return message + Lit("の作成を完了しました");
}

std::string FeedsNotCreatedMessage() { return Lit(kCreateFailed); }

CResult<std::string> CreateFeed(const CRssFile& project, FeedCommand command) {
  CResult<std::string> result = RowOf(command).write(project, std::string());
  // A file that could not be saved is no success either.
  if (!result) result.Say(FeedsNotCreatedMessage());
  for (const CResult<std::string>& section : WriteSectionFeeds(project, RowOf(command).write)) result.SayAll(section);
  return result;
}

CUserMessage OpenCreatedFeedQuestion(FeedCommand command) {
  return CUserMessage{Lit(RowOf(command).question), MbButtons::YesNo, MbIcon::Information};
}

CResult<CWrittenFeeds> CreateRssAndAtom(const CRssFile& project) {
  CResult<CWrittenFeeds> result;
  CWrittenFeeds& written = result.value;
  written.rss = WriteRss(project);
  written.atom = WriteAtom(project);
  if (project.ext.jsonFeed) written.json = WriteJsonFeed(project);
  written.sections = WriteSectionFeeds(project, &WriteRss);
  for (CResult<std::string>& atom : WriteSectionFeeds(project, &WriteAtom)) written.sections.push_back(std::move(atom));
  if (project.ext.jsonFeed) {
    for (CResult<std::string>& json : WriteSectionFeeds(project, &WriteJsonFeed)) written.sections.push_back(std::move(json));
  }
  result.SayAll(written.rss).SayAll(written.atom).SayAll(written.json);
  for (const CResult<std::string>& section : written.sections) result.SayAll(section);
  const bool rss = written.rss.Ok(), atom = written.atom.Ok(), json = written.json.Ok();
  if (rss || atom || json) result.Done();
  return result.Say(!rss && !atom && !json ? FeedsNotCreatedMessage() : FeedsCreatedMessage(rss, atom, json));
}

std::vector<const CResult<std::string>*> AllWrittenFeeds(const CWrittenFeeds& written) {
  std::vector<const CResult<std::string>*> all{&written.rss, &written.atom, &written.json};
  for (const CResult<std::string>& section : written.sections) all.push_back(&section);
  return all;
}

std::string GetRssLinkTag(const CRssFile& project) {
  return LinkTag("RSS", "application/rss+xml", project.rssFileName);
}

std::string GetAtomLinkTag(const CRssFile& project) {
  return LinkTag("Atom", "application/atom+xml", project.atomFileName);
}

std::string GetJsonLinkTag(const CRssFile& project) {
  return LinkTag("JSON Feed", "application/feed+json", project.ext.jsonFileName);
}

std::string LinkTagOfCommand(const CRssFile& project, int command) {
  if (command == ID_COPY_ATOM_TAG) return GetAtomLinkTag(project);
  if (command == ID_COPY_JSON_TAG) return GetJsonLinkTag(project);
  return GetRssLinkTag(project);
}

void OpenInViewer(CInteraction& ui, const std::string& path) { ui.RunProgram(GetRssViewerProgram(), path, Lit("RSSビューア")); }

void ShowFeedFile(const CRssFile& project, bool rss, CInteraction& ui) {
  const std::string path = rss ? project.GetRssPath() : project.GetAtomPath();
  if (path.empty()) ui.Show(Plain(Lit(rss ? "RSSファイル名が設定されていません" : "Atomファイル名が設定されていません")));
  else OpenInViewer(ui, path);
}

std::vector<std::string> SavedFeedPaths(const std::vector<const CResult<std::string>*>& feeds) {
  std::vector<std::string> paths;
  for (const CResult<std::string>* feed : feeds) {
    if (feed->Ok()) paths.push_back(feed->value);
  }
  return paths;
}

CResult<std::string> RunCreateFeed(const CRssFile& project, FeedCommand command, CInteraction& ui) {
  CResult<std::string> result = CreateFeed(project, command);
  ui.ShowAll(result.messages);
  if (result && ui.Ask(QuestionId::kOpenCreatedFeed, OpenCreatedFeedQuestion(command)) == MbAnswer::Yes) {
    OpenInViewer(ui, result.value);
  }
  return result;
}

CResult<CWrittenFeeds> RunCreateRssAndAtom(const CRssFile& project, CInteraction& ui) {
  CResult<CWrittenFeeds> result = CreateRssAndAtom(project);
  ui.ShowAll(result.messages);
  return result;
}
