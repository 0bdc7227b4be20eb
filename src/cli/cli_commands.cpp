#include "cli/cli_commands.h"

#include <map>

namespace {
std::map<const CLI::App*, std::function<void()>>& Actions() {
  static std::map<const CLI::App*, std::function<void()>> actions;
  return actions;
}
}  // namespace

void SetAction(CLI::App* command, std::function<void()> action) { Actions()[command] = std::move(action); }

bool RunParsedAction(CLI::App& app) {
  for (const CLI::App* sub : app.get_subcommands()) {
    auto it = Actions().find(sub);
    if (it != Actions().end()) {
      it->second();
      return true;
    }
  }
  return false;
}
