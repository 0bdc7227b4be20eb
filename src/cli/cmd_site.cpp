// link-tags and check-site: the feed tags kept in the site's pages.
#include <memory>

#include "app/page_link_tags.h"
#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"
#include "platform/text_codec.h"

namespace {

void RegisterLinkTags(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("link-tags", "put the feeds' <LINK> tags into every page of the site below the local folder");
  auto file = std::make_shared<std::string>();
  auto dryRun = std::make_shared<bool>(false);
  cmd->add_option("FILE", *file, "project file")->required();
  cmd->add_flag("--update", "rewrite the pages whose tags are missing or outdated")->required();
  cmd->add_flag("--dry-run", *dryRun, "list the pages that would change and write nothing");
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    const CResult<std::vector<CPageTags>> result = UpdatePageLinkTags(doc.GetProject(), !*dryRun);
    for (const CPageTags& page : result.value) PrintOut(PageTagLine(page));
    ui.ShowAll(result.messages);
    if (!result) throw CCliFailure(std::string());
  });
}

void RegisterCheckSite(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("check-site", "list the pages of the site without the feeds' current <LINK> tags (exit 1 when any)");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "project file")->required();
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    const CResult<std::vector<CPageTags>> result = UpdatePageLinkTags(doc.GetProject(), false);
    for (const CPageTags& page : result.value) PrintOut(PageTagLine(page));
    ui.ShowAll(result.messages);
    if (!result || !result.value.empty()) throw CCliFailure(std::string());
  });
}

}  // namespace

void RegisterSiteCommands(CLI::App& app, CCliInteraction& ui) {
  RegisterLinkTags(app, ui);
  RegisterCheckSite(app, ui);
}
