// The subcommands of vamelrss-cli, registered by topic. Each subcommand's action runs after the whole
// command line has been parsed, so global flags such as --yes are known by then.
#pragma once

#include <functional>
#include <string>

#include <CLI/CLI.hpp>

class CCliInteraction;

void SetAction(CLI::App* command, std::function<void()> action);
// Runs the action of the subcommand that was given; false when there was none.
bool RunParsedAction(CLI::App& app);

// new, set, show, add
void RegisterProjectCommands(CLI::App& app, CCliInteraction& ui);

// options
void RegisterOptionsCommand(CLI::App& app);

// import
void RegisterImportCommand(CLI::App& app, CCliInteraction& ui);

// write
void RegisterWriteCommand(CLI::App& app, CCliInteraction& ui);

// harvest, scan, refresh
void RegisterHarvestCommands(CLI::App& app, CCliInteraction& ui);
// save-as, link-tag, publish
void RegisterDocumentCommands(CLI::App& app, CCliInteraction& ui);

// link-tags, check-site
void RegisterSiteCommands(CLI::App& app, CCliInteraction& ui);

// check
void RegisterCheckCommand(CLI::App& app);
// Checks a feed that was just written and prints its findings on standard error; false when it has
// errors (write --check).
bool CheckWrittenFeed(const std::string& path);
