// vamelrss-cli: the feed generator for build scripts, cron jobs and the CI of a site.
#include <cstdlib>
#include <new>
#include <string>

#include <CLI/CLI.hpp>

#include "app/shell_commands.h"
#include "cli/cli_commands.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"
#include "platform/clock.h"

namespace {

// VAMELRSS_NOW fixes the clock (seconds since 1970), for reproducible feeds and tests.
void FixClockFromEnvironment() {
  const char* now = std::getenv("VAMELRSS_NOW");
  if (!now || !*now) return;
  char* end = nullptr;
  long long t = std::strtoll(now, &end, 10);
  if (end && *end == '\0') SetCurrentTimeOverride(static_cast<TimeValue>(t));
}

}  // namespace

int main(int argc, char** argv) {
  FixClockFromEnvironment();
  CCliInteraction interaction;

  CLI::App app{"VamelRss: RSS and Atom feeds for a static web site.\n"
               "FILE is a project file (.fpj) or a feed file (.rdf, .xml)."};
  app.set_version_flag("--version", std::string("vamelrss-cli ") + kProgramVersion);
  app.require_subcommand(1);
  app.fallthrough();
  bool yes = false, no = false;
  auto* yesFlag = app.add_flag("--yes", yes, "answer Yes (OK) to the program's questions");
  app.add_flag("--no", no, "answer No (Cancel) to the program's questions")->excludes(yesFlag);

  RegisterProjectCommands(app, interaction);
  RegisterOptionsCommand(app);
  RegisterImportCommand(app, interaction);
  RegisterWriteCommand(app, interaction);
  RegisterHarvestCommands(app, interaction);
  RegisterDocumentCommands(app, interaction);
  RegisterSiteCommands(app, interaction);
  RegisterCheckCommand(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  interaction.SetAnswer(yes ? CliAnswer::Yes : no ? CliAnswer::No : CliAnswer::Ask);
  try {
    RunParsedAction(app);
  } catch (const CCliUsage& e) {
    PrintErr(e.what());
    return 2;
  } catch (const CCliUnanswered& e) {
    PrintErr(std::string(e.what()));
    PrintErr("(answer with --yes or --no)");
    return 1;
  } catch (const CVamelException& e) {
    // A failure the program reports (CCliFailure, or one that no command caught on its way).
    if (*e.what()) PrintErr(e.what());
    return 1;
  } catch (const std::bad_alloc&) {
    // A file too large for the memory there is: said plainly, never an abort.
    PrintErr("not enough memory to finish (std::bad_alloc)");
    return 1;
  }
  return 0;
}
