// new, set, show and add: the project's settings and items.
#include <memory>

#include "app/item_commands.h"
#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"
#include "cli/item_options.h"
#include "cli/settings_options.h"
#include "cli/show_output.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

void RegisterNew(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("new", "create a project file with the default settings and SETTINGS");
  auto file = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);
  auto settings = std::make_shared<SettingsOptions>();
  cmd->add_option("FILE", *file, "project file to create (.fpj)")->required();
  cmd->add_flag("--force", *force, "replace an existing file");
  AddSettingsOptions(cmd, *settings);
  SetAction(cmd, [=, &ui] {
    std::string path = ArgText(*file);
    if (IsFeedPath(path)) throw CCliUsage("new creates a project file; use a name such as site.fpj");
    if (PathExists(path) && !*force) throw CCliFailure(path + " already exists (use --force to replace it)");
    CVamelRssDoc doc(ui);
    doc.SetRecentFileListEnabled(false);
    ApplySettings(*settings, doc.GetProject());
    if (!doc.OnSaveDocument(path)) throw CCliFailure(std::string());
    PrintOut(path);
  });
}

void RegisterSet(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("set", "change the settings of FILE");
  auto file = std::make_shared<std::string>();
  auto settings = std::make_shared<SettingsOptions>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  AddSettingsOptions(cmd, *settings);
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    ApplySettings(*settings, doc.GetProject());
    SaveDocumentOrFail(doc);
  });
}

void RegisterShow(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("show", "print the settings and items of FILE");
  auto file = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_flag("--json", *json, "one JSON object (UTF-8)");
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    if (*json) {
      std::string out = ShowJson(doc);
      std::fwrite(out.data(), 1, out.size(), stdout);
      std::fputc('\n', stdout);
    } else {
      PrintOut(ShowText(doc));
    }
  });
}

void RegisterAdd(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("add", "add a new item first in the list of FILE");
  auto file = std::make_shared<std::string>();
  auto url = std::make_shared<std::string>();
  auto onDuplicate = std::make_shared<std::string>();
  auto item = std::make_shared<ItemOptions>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("--url", *url, "the item's URL (its identity)")->required();
  cmd->add_option("--on-duplicate", *onDuplicate, "when an item has this URL already: replace it, add beside it, or cancel")
      ->check(CLI::IsMember({"replace", "beside", "cancel"}));
  AddItemOptions(cmd, *item);
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    auto newItem = std::make_unique<CRssItem>();
    newItem->url = ArgText(*url);
    ApplyItemOptions(*item, *newItem);
    ApplyEnclosureOptions(*item, project, *newItem);
    // "既存URLです", answered by --on-duplicate; without it (or with cancel) the run stops with the reason.
    ExistingUrlAnswer answer = ExistingUrlAnswer::kAddBeside;
    if (project.FindItemByUrl(newItem->url) >= 0) {
      if (*onDuplicate == "replace") answer = ExistingUrlAnswer::kReplace;
      else if (*onDuplicate != "beside") throw CCliFailure(Lit("このURLを持つアイテムがすでにあります。") + " (--on-duplicate replace|beside)");
    }
    InsertNewItem(project, std::move(newItem), answer);
    doc.SetModifiedFlag();
    SaveDocumentOrFail(doc);
  });
}

}  // namespace

void RegisterProjectCommands(CLI::App& app, CCliInteraction& ui) {
  RegisterNew(app, ui);
  RegisterSet(app, ui);
  RegisterShow(app, ui);
  RegisterAdd(app, ui);
}
