// options: read and change the application profile (the per-user option store).
#include <memory>
#include <vector>

#include "app/options_model.h"
#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "settings/options.h"

namespace {

struct OptionName {
  std::string section, name;
};

OptionName SplitName(const std::string& text) {
  size_t slash = text.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 == text.size())
    throw CCliUsage("options are named SECTION/NAME, for example System/ftppasv: " + ArgText(text));
  return {text.substr(0, slash), text.substr(slash + 1)};
}

const COptionInfo& KnownOption(const OptionName& o) {
  const COptionInfo* info = FindOptionInfo(o.section, o.name);
  if (!info) throw CCliUsage("no such option: " + ArgText(o.section + "/" + o.name));
  return *info;
}

std::string DefaultText(const COptionInfo& info, const OptionName& o) {
  // The numbered extensions have one default each.
  if (std::string(info.name) == "name%d") return GetExtNameOption(std::atoi(o.name.c_str() + 4));
  return ArgText(info.def);
}

std::string CurrentValue(const COptionInfo& info, const OptionName& o) {
  // The two programs default to what this machine offers: show them as the Options dialog does.
  const std::string name = std::string(info.section) + "/" + info.name;
  if (name == "System/HtmlEditor") return EffectiveHtmlEditor();
  if (name == "System/RssViewer") return EffectiveRssViewer();
  if (info.isInt) return std::to_string(AppProfile().GetInt(info.section, o.name, std::atoi(info.def)));
  return AppProfile().GetString(info.section, o.name, DefaultText(info, o));
}

void SetValue(const COptionInfo& info, const OptionName& o, const std::string& value) {
  if (info.isInt) {
    char* end = nullptr;
    long long n = std::strtoll(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < INT32_MIN || n > INT32_MAX)
      throw CCliUsage(o.section + "/" + o.name + " takes an integer: " + ArgText(value));
    AppProfile().PutInt(info.section, o.name, static_cast<int>(n));
  } else {
    AppProfile().PutString(info.section, o.name, ArgText(value));
  }
}

}  // namespace

void RegisterOptionsCommand(CLI::App& app) {
  auto* cmd = app.add_subcommand("options", "read or change the application profile (no flags: list it)");
  auto gets = std::make_shared<std::vector<std::string>>();
  auto sets = std::make_shared<std::vector<std::string>>();
  cmd->add_option("--get", *gets, "print the value of SECTION/NAME")->type_name("SECTION/NAME");
  cmd->add_option("--set", *sets, "store VALUE as SECTION/NAME")->type_name("SECTION/NAME=VALUE");
  SetAction(cmd, [=] {
    for (const std::string& s : *sets) {
      size_t eq = s.find('=');
      if (eq == std::string::npos) throw CCliUsage("--set takes SECTION/NAME=VALUE: " + ArgText(s));
      OptionName o = SplitName(s.substr(0, eq));
      SetValue(KnownOption(o), o, s.substr(eq + 1));
    }
    for (const std::string& g : *gets) {
      OptionName o = SplitName(g);
      PrintOut(CurrentValue(KnownOption(o), o));
    }
    if (gets->empty() && sets->empty()) {
      size_t count = 0;
      const COptionInfo* table = OptionTable(count);
      for (size_t i = 0; i < count; ++i) {
        std::string pattern = table[i].name;
        size_t at = pattern.find("%d");
        if (at == std::string::npos) {
          OptionName o{table[i].section, pattern};
          PrintOut(o.section + "/" + o.name + "=" + CurrentValue(table[i], o));
          continue;
        }
        // Numbered values: the extension list up to its count, the eight recent files.
        int first = pattern == "File%d" ? 1 : 0;
        int last = pattern == "File%d" ? kRecentFileCount : GetExtCountOption() - 1;
        for (int n = first; n <= last; ++n) {
          OptionName o{table[i].section, pattern.substr(0, at) + std::to_string(n)};
          PrintOut(o.section + "/" + o.name + "=" + CurrentValue(table[i], o));
        }
      }
    }
  });
}
