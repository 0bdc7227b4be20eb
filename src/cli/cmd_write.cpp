// write: the feed-creation commands on the project of FILE.
#include <memory>

#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_output.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"

namespace {

// One feed written by `write`: whether the writer had a path, and whether the file was saved.
struct CWritten {
  bool produced = false;
  bool saved = false;
  std::string path;
};

CWritten WriteOne(CRssFile& project, const std::string& format) {
  CWritten result;
  const bool rss = format == "rss" || format == "rss10" || format == "rss20";
  result.path = rss ? project.GetRssPath() : project.GetAtomPath();
  if (format == "rss") result.produced = project.WriteRss(std::string(), &result.saved);
  else if (format == "atom") result.produced = project.WriteAtom(std::string(), &result.saved);
  else if (format == "rss10") result.produced = project.WriteRss10(std::string(), &result.saved);
  else if (format == "rss20") result.produced = project.WriteRss20(std::string(), &result.saved);
  else if (format == "atom03") result.produced = project.WriteAtom03(std::string(), &result.saved);
  else result.produced = project.WriteAtom10(std::string(), &result.saved);
  if (result.saved) PrintOut(result.path);
  return result;
}

// write --check: every written feed is checked; an error in any of them fails the run.
void CheckWritten(std::initializer_list<CWritten> written) {
  bool clean = true;
  for (const CWritten& w : written) {
    if (w.saved) clean = CheckWrittenFeed(w.path) && clean;
  }
  if (!clean) throw CCliFailure(std::string());
}

}  // namespace

void RegisterWriteCommand(CLI::App& app) {
  auto* cmd = app.add_subcommand("write", "write the feeds of FILE into its local folder and print their paths");
  auto file = std::make_shared<std::string>();
  auto format = std::make_shared<std::string>("both");
  auto check = std::make_shared<bool>(false);
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("--format", *format, "which feed: rss and atom by the project's versions, both (default), or one version")
      ->check(CLI::IsMember({"rss", "atom", "both", "rss10", "rss20", "atom03", "atom10"}));
  cmd->add_flag("--check", *check, "check the written feeds and print what is wrong (status 1 on an error)");
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    // A file the writer had a path for but could not save has shown its own message; the run then
    // fails, though the other feed may have been written.
    if (*format == "both") {
      CWritten rss = WriteOne(project, "rss");
      CWritten atom = WriteOne(project, "atom");
      if (!rss.produced && !atom.produced) throw CCliFailure(FeedsNotCreatedMessage());
      if ((rss.produced && !rss.saved) || (atom.produced && !atom.saved)) throw CCliFailure(std::string());
      VamelMessageBox(FeedsCreatedMessage(rss.produced, atom.produced), MbButtons::Ok, MbIcon::None);
      if (*check) CheckWritten({rss, atom});
      return;
    }
    CWritten one = WriteOne(project, *format);
    if (!one.produced) throw CCliFailure(FeedsNotCreatedMessage());
    if (!one.saved) throw CCliFailure(std::string());
    if (*check) CheckWritten({one});
  });
}
