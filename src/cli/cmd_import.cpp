// import: append a feed's items and site fields to FILE.
#include <memory>

#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_output.h"
#include "feeds/feed_reader.h"
#include "platform/text_codec.h"

void RegisterImportCommand(CLI::App& app) {
  auto* cmd = app.add_subcommand("import", "append the items and site fields of the RSS or Atom file FEED to FILE");
  auto file = std::make_shared<std::string>();
  auto feed = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("FEED", *feed, "RSS 1.0, RSS 2.0, Atom 0.3 or Atom 1.0 file to read")->required();
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    // The feed also sets the local folder to its own folder and its name as the RSS or Atom file
    // name; the document keeps its kind.
    if (!ReadFeed(doc.GetProject(), ArgText(*feed))) throw CCliFailure(Lit("RSSファイルの取り込みに失敗しました"));
    doc.SetModifiedFlag();
    SaveDocumentOrFail(doc);
    PrintOut(Lit("RSSファイルを取り込みました"));
  });
}
