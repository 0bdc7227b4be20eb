// import: append a feed's items and site fields to FILE.
#include <memory>

#include "app/import_commands.h"
#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"

void RegisterImportCommand(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("import", "append the items and site fields of the RSS, Atom or JSON Feed file FEED to FILE");
  auto file = std::make_shared<std::string>();
  auto feed = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("FEED", *feed, "RSS 1.0, RSS 2.0, Atom 0.3 or Atom 1.0 file to read")->required();
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    // The feed also sets the local folder to its own folder and its name as the RSS or Atom file
    // name; the document keeps its kind.
    const CResult<> result = ImportFeedFile(doc.GetProject(), ArgText(*feed));
    if (!result) {
      ui.ShowAll(result.messages);
      throw CCliFailure(std::string());
    }
    doc.SetModifiedFlag();
    SaveDocumentOrFail(doc);
    for (const CUserMessage& message : result.messages) PrintOut(message.text);
  });
}
