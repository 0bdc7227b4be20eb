// vamelrss: the desktop feed editor. --version (with the help book it found) and --help answer on the
// console, without a display.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/shell_commands.h"
#include "ui/help_viewer.h"
#include "ui/vamel_app.h"

wxIMPLEMENT_APP_NO_MAIN(CVamelRssApp);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      const std::string book = FindHelpBook();
      std::printf("vamelrss %s\nhelp book: %s\n", kProgramVersion, book.empty() ? "(not found)" : book.c_str());
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(
          "Usage: vamelrss [FILE]\n"
          "The VamelRss desktop app: RSS and Atom feeds for a static web site.\n"
          "FILE is a project file (.fpj) or a feed file (.rdf, .xml) to open. Without FILE the most\n"
          "recent file is opened, or a new project is started with the wizard.\n"
          "  --help     show this text\n"
          "  --version  show the version\n"
          "The command-line program is vamelrss-cli.\n");
      return 0;
    }
  }
  return wxEntry(argc, argv);
}
