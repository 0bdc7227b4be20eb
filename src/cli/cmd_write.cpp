// write: the feed-creation commands on the project of FILE.
#include <algorithm>
#include <memory>

#include "app/commands.h"
#include "app/feed_commands.h"
#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"

namespace {

// The creation commands that --format names: the seven single feeds and both.
const std::vector<int> kFormatCommands = {ID_CREATE_RSS,    ID_CREATE_ATOM,   ID_CREATE_RSS_AND_ATOM, ID_CREATE_RSS10,
                                          ID_CREATE_RSS20,  ID_CREATE_ATOM03, ID_CREATE_ATOM10,       ID_CREATE_JSON};

// A feed the writer had a path for but could not save fails the run, though the other feed may have
// been written; its file's message has been shown.
bool Failed(const CResult<std::string>& feed) { return !feed.value.empty() && !feed; }

// write --check: every written feed is checked; an error in any of them fails the run.
void CheckWritten(const std::vector<const CResult<std::string>*>& written) {
  bool clean = true;
  for (const CResult<std::string>* w : written) {
    if (*w) clean = CheckWrittenFeed(w->value) && clean;
  }
  if (!clean) throw CCliFailure(std::string());
}

}  // namespace

void RegisterWriteCommand(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("write", "write the feeds of FILE into its local folder and print their paths");
  auto file = std::make_shared<std::string>();
  auto format = std::make_shared<std::string>("both");
  auto check = std::make_shared<bool>(false);
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("--format", *format, "which feed: rss and atom by the project's versions, both (default; the JSON Feed too when on), one version, or json")
      ->check(CLI::IsMember(CliNamesOf(kFormatCommands)));
  cmd->add_flag("--check", *check, "check the written feeds and print what is wrong (status 1 on an error)");
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    const int command = CommandOfCliName(*format, kFormatCommands);
    FeedCommand feed = FeedCommand::kRss;
    if (!FeedCommandOfId(command, feed)) {  // both
      const CResult<CWrittenFeeds> result = CreateRssAndAtom(doc.GetProject());
      const CWrittenFeeds& written = result.value;
      const std::vector<const CResult<std::string>*> all = AllWrittenFeeds(written);
      for (const CResult<std::string>* one : all) {
        if (*one) PrintOut(one->value);
      }
      // The closing message only when every feed that had a path was written; else each feed's own.
      const bool failed = std::any_of(all.begin(), all.end(), [](const CResult<std::string>* one) { return Failed(*one); });
      if (failed) {
        for (const CResult<std::string>* one : all) ui.ShowAll(one->messages);
      } else {
        ui.ShowAll(result.messages);
      }
      if (failed || !result) throw CCliFailure(std::string());
      if (*check) CheckWritten(all);
      return;
    }
    const CResult<std::string> result = CreateFeed(doc.GetProject(), feed);
    if (result) PrintOut(result.value);
    ui.ShowAll(result.messages);
    if (!result) throw CCliFailure(std::string());
    if (*check) CheckWritten({&result});
  });
}
