// save-as, link-tag and publish: the document commands of the desktop app's File and Feed menus.
#include <map>
#include <memory>

#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"
#include "platform/interaction.h"

namespace {

CCliInteraction& CliInteraction() { return static_cast<CCliInteraction&>(Interaction()); }

void RegisterSaveAs(CLI::App& app) {
  auto* cmd = app.add_subcommand("save-as", "save FILE as DEST in the chosen kind");
  auto file = std::make_shared<std::string>();
  auto dest = std::make_shared<std::string>();
  auto kind = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("DEST", *dest, "the file to write")->required();
  cmd->add_option("--kind", *kind, "what DEST becomes")
      ->required()
      ->check(CLI::IsMember({"project", "rss10", "rss20", "atom03", "atom10"}));
  SetAction(cmd, [=] {
    static const std::map<std::string, int> kEntries = {
        {"project", 1}, {"rss10", 2}, {"rss20", 3}, {"atom03", 4}, {"atom10", 5}};
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    CliInteraction().SetFileAnswer(ArgText(*dest), kEntries.at(*kind));
    if (!doc.DoSaveAs()) throw CCliFailure(std::string());
    PrintOut(doc.GetPathName());
  });
}

void RegisterLinkTag(CLI::App& app) {
  auto* cmd = app.add_subcommand("link-tag", "print the <LINK rel=\"alternate\"> tag of the RSS or the Atom file");
  auto file = std::make_shared<std::string>();
  auto which = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("FEED", *which, "rss or atom")->required()->check(CLI::IsMember({"rss", "atom"}));
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    if (*which == "rss") doc.OnCopyRssTag();
    else doc.OnCopyAtomTag();
  });
}

void RegisterPublish(CLI::App& app) {
  auto* cmd = app.add_subcommand(
      "publish", "write both feeds and upload them by FTP (asks first: answer with --yes or --no)");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    // Declining is no failure; a failed upload has shown its message.
    if (!doc.OnFtpUpload()) throw CCliFailure(std::string());
  });
}

}  // namespace

void RegisterDocumentCommands(CLI::App& app) {
  RegisterSaveAs(app);
  RegisterLinkTag(app);
  RegisterPublish(app);
}
