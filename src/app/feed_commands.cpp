#include "app/feed_commands.h"

#include "app/command_ids.h"
#include "app/feed_check_report.h"
#include "app/interaction.h"
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
  CFeedWriteResult (*write)(const CRssFile&, const std::string&);
  const char* question;
};

const FeedCommandRow kFeedCommands[] = {
    {ID_CREATE_RSS, FeedCommand::kRss, &WriteRss, "RSSファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM, FeedCommand::kAtom, &WriteAtom, "Atomファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_RSS10, FeedCommand::kRss10, &WriteRss10, "RSS1.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_RSS20, FeedCommand::kRss20, &WriteRss20, "RSS2.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM03, FeedCommand::kAtom03, &WriteAtom03, "Atom0.3ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM10, FeedCommand::kAtom10, &WriteAtom10, "Atom1.0ファイルを作成しました。このファイルを開きますか？"},
};

const FeedCommandRow& RowOf(FeedCommand command) {
  for (const FeedCommandRow& row : kFeedCommands) {
    if (row.command == command) return row;
  }
  return kFeedCommands[0];
}

CUserMessage Plain(std::string text) { return CUserMessage{std::move(text), MbButtons::Ok, MbIcon::None}; }

// Writes one feed; a file error joins the messages.
CWrittenFeed Write(CFeedWriteResult (*write)(const CRssFile&, const std::string&), const CRssFile& project,
                   std::vector<CUserMessage>& messages) {
  CFeedWriteResult result = write(project, std::string());
  if (!result.error.empty()) messages.push_back(Plain(result.error));
  return CWrittenFeed{result.produced, result.saved, result.path};
}

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

std::string FeedsCreatedMessage(bool rss, bool atom) {
  std::string message;
  if (rss) message += Lit("RSSファイル ");
  if (atom) message += Lit("Atomファイル ");
  return message + Lit("の作成を完了しました");
}

std::string FeedsNotCreatedMessage() { return Lit(kCreateFailed); }

CFeedCreation CreateFeed(const CRssFile& project, FeedCommand command) {
  const FeedCommandRow& row = RowOf(command);
  CFeedCreation result;
  result.feed = Write(row.write, project, result.messages);
  // A file that could not be saved is no success either.
  if (!result.feed.saved) result.messages.push_back(Plain(FeedsNotCreatedMessage()));
  else result.openQuestion = CUserMessage{Lit(row.question), MbButtons::YesNo, MbIcon::Information};
  return result;
}

CFeedsCreation CreateRssAndAtom(const CRssFile& project) {
  CFeedsCreation result;
  result.rss = Write(&WriteRss, project, result.messages);
  result.atom = Write(&WriteAtom, project, result.messages);
  const bool rss = result.rss.saved, atom = result.atom.saved;
  result.messages.push_back(Plain(!rss && !atom ? FeedsNotCreatedMessage() : FeedsCreatedMessage(rss, atom)));
  return result;
}

std::string GetRssLinkTag(const CRssFile& project) {
  return LinkTag("RSS", "application/rss+xml", project.rssFileName);
}

std::string GetAtomLinkTag(const CRssFile& project) {
  return LinkTag("Atom", "application/atom+xml", project.atomFileName);
}

void OpenInViewer(CInteraction& ui, const std::string& path) { ui.RunProgram(GetRssViewerProgram(), path, Lit("RSSビューア")); }

void ShowFeedFile(const CRssFile& project, bool rss, CInteraction& ui) {
  const std::string path = rss ? project.GetRssPath() : project.GetAtomPath();
  if (path.empty()) ui.Show(Plain(Lit(rss ? "RSSファイル名が設定されていません" : "Atomファイル名が設定されていません")));
  else OpenInViewer(ui, path);
}

void ReportWrittenFeeds(const std::vector<const CWrittenFeed*>& feeds, CInteraction& ui) {
  std::vector<std::string> paths;
  for (const CWrittenFeed* feed : feeds) {
    if (feed->saved) paths.push_back(feed->path);
  }
  if (!paths.empty()) ui.ReportFeedCheck(CheckWrittenFeeds(paths));
}

void RunCreateFeed(const CRssFile& project, FeedCommand command, CInteraction& ui) {
  CFeedCreation result = CreateFeed(project, command);
  ui.ShowAll(result.messages);
  if (!result.openQuestion.empty() && ui.Ask(QuestionId::kOpenCreatedFeed, result.openQuestion) == MbAnswer::Yes) {
    OpenInViewer(ui, result.feed.path);
  }
  ReportWrittenFeeds({&result.feed}, ui);
}

void RunCreateRssAndAtom(const CRssFile& project, CInteraction& ui) {
  CFeedsCreation result = CreateRssAndAtom(project);
  ui.ShowAll(result.messages);
  ReportWrittenFeeds({&result.rss, &result.atom}, ui);
}
