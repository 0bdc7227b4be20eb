#include "app/shell_commands.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "settings/options.h"
#include "settings/recent_files.h"

const char* const kHomePageUrl = "https://vamelrss.org/";
const char* const kSupportMailUrl = "mailto:support@vamelrss.org";
const char* const kVersionText = "VamelRss Version " VAMELRSS_VERSION;
const char* const kProgramVersion = VAMELRSS_VERSION;

namespace {

constexpr const char* kOpenFilter =
    "VamelRSSﾃﾞｰﾀﾌｧｲﾙ(*.fpj) |*.fpj|RSS/Atomﾌｧｲﾙ(*.rdf;*.xml) |*.rdf;*.xml|RDFﾌｧｲﾙ(*.rdf) |*.rdf|"
    "XMLﾌｧｲﾙ(*.xml) |*.xml|全てのﾌｧｲﾙ(*.*) |*.*||";
// The default extension of each stored entry number; the proposed name is "*." followed by it.
constexpr const char* kOpenExtensions[] = {"*", "fpj", "rdf;*.xml", "rdf", "xml", "*"};
constexpr int kOpenEntries = 5;

}  // namespace

CFileDialogRequest OpenFileRequest() {
  int entry = GetOpenTypeOption();
  if (entry < 0 || entry > kOpenEntries) entry = 1;
  CFileDialogRequest request;
  request.title = Lit("開く");
  request.filter = Lit(kOpenFilter);
  request.defaultExt = kOpenExtensions[entry];
  request.fileName = std::string("*.") + kOpenExtensions[entry];
  // Entry 0 names no filter of the list; the first one is shown then.
  request.filterIndex = entry == 0 ? 1 : entry;
  request.mustExist = true;
  return request;
}

void RememberOpenFilterEntry(int entry) { SetOpenTypeOption(entry); }

CStartupChoice ChooseStartupDocument(const std::string& commandLineFile) {
  CStartupChoice choice;
  if (!commandLineFile.empty()) {
    choice.openFile = true;
    choice.path = commandLineFile;
    return choice;
  }
  if (GetInitFileOption() == 0) return choice;
  const std::vector<std::string> recent = GetRecentFiles();
  if (!recent.empty() && FileExists(recent.front())) {
    choice.openFile = true;
    choice.path = recent.front();
  }
  return choice;
}

std::string MainWindowCaption(const std::string& documentTitle) { return documentTitle + " - VamelRss"; }
