// save-as, link-tag and publish: the document commands of the desktop app's File and Feed menus.
#include <map>
#include <memory>

#include "app/commands.h"
#include "app/feed_commands.h"
#include "app/file_questions.h"
#include "app/ftp_profile_mode.h"
#include "app/publish.h"
#include "app/section_feeds.h"
#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"

namespace {

void RegisterSaveAs(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("save-as", "save FILE as DEST in the chosen kind");
  auto file = std::make_shared<std::string>();
  auto dest = std::make_shared<std::string>();
  auto kind = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("DEST", *dest, "the file to write")->required();
  cmd->add_option("--kind", *kind, "what DEST becomes")
      ->required()
      ->check(CLI::IsMember({"project", "rss10", "rss20", "atom03", "atom10"}));
  SetAction(cmd, [=, &ui] {
    static const std::map<std::string, int> kKinds = {
        {"project", kKindProject}, {"rss10", kKindRss10}, {"rss20", kKindRss20}, {"atom03", kKindAtom03}, {"atom10", kKindAtom10}};
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    const std::string path = ArgText(*dest);
    // The question a save dialog asks before it replaces a file.
    if (!ConfirmReplaceFile(ui, path)) throw CCliFailure(std::string());
    const CResult<> result = doc.SaveAs(path, kKinds.at(*kind));
    ui.ShowAll(result.messages);
    if (!result) throw CCliFailure(std::string());
    PrintOut(doc.GetPathName());
  });
}

void RegisterLinkTag(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("link-tag", "print the <LINK rel=\"alternate\"> tag of the RSS file, the Atom file or the JSON Feed");
  auto file = std::make_shared<std::string>();
  auto which = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  const std::vector<int> tags = {ID_COPY_RSS_TAG, ID_COPY_ATOM_TAG, ID_COPY_JSON_TAG};
  cmd->add_option("FEED", *which, "rss, atom or json")->required()->check(CLI::IsMember(CliNamesOf(tags)));
  auto section = std::make_shared<std::string>();
  cmd->add_option("--section", *section, "the tag of this section's feed");
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    const int command = CommandOfCliName(*which, tags);
    std::unique_ptr<CRssFile> sectionProject;
    if (!section->empty()) {
      const CFeedSection* found = FindSection(doc.GetProject(), ArgText(*section));
      if (!found) throw CCliUsage("--section: no section " + ArgText(*section));
      if (command == ID_COPY_JSON_TAG && !doc.GetProject().ext.jsonFeed) {
        throw CCliUsage("--section: the JSON Feed is off (set --json-feed on)");
      }
      const std::string& name = command == ID_COPY_JSON_TAG ? found->jsonFileName
                                : command == ID_COPY_ATOM_TAG ? found->atomFileName
                                                              : found->rssFileName;
      if (name.empty()) throw CCliUsage("--section: section " + found->name + " has no " + *which + " file");
      sectionProject = SectionProject(doc.GetProject(), *found);
    }
    const CRssFile& project = sectionProject ? *sectionProject : doc.GetProject();
    PrintOut(LinkTagOfCommand(project, command));
  });
}

// The FTP page of a feed file's upload as one line: --yes stores its values and goes on.
bool ConfirmFtpPage(CRssFile& project, CCliInteraction& ui) {
  CFtpPageValues page = FtpProfileModeValues(project);
  if (!ui.Confirm(Lit("ftp転送") + ": " + page.user + "@" + page.host + " " + page.remoteDir)) return false;
  page.Store(project);
  return true;
}

void RegisterPublish(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand(
      "publish", "write both feeds and upload them by FTP (asks first: answer with --yes or --no)");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    const CResult<CWrittenFeeds> written = WriteFeedsToPublish(project);
    ui.ShowAll(written.messages);
    // A project asks; a feed file shows the FTP page in its profile mode, here as one line. Declining is
    // no failure; a failed upload has shown its message.
    if (!(doc.GetKind() == kKindProject ? ConfirmUpload(ui) : ConfirmFtpPage(project, ui))) return;
    const CResult<> uploaded = UploadFeeds(project, ui);
    ui.ShowAll(uploaded.messages);
    if (!uploaded) throw CCliFailure(std::string());
  });
}

}  // namespace

void RegisterDocumentCommands(CLI::App& app, CCliInteraction& ui) {
  RegisterSaveAs(app, ui);
  RegisterLinkTag(app, ui);
  RegisterPublish(app, ui);
}
