#include "settings/program_lookup.h"

#include <cstdlib>
#include <vector>

#include "platform/path_names.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "settings/options.h"

namespace {

// Where the sibling editor records its program: the value "Path" at the top of its machine store.
constexpr const char* kSiblingMachineCompany = "Vamel";
constexpr const char* kSiblingMachineApplication = "Marrowpad";
constexpr const char* kSiblingPath = "Path";

// Graphical editors to offer when the desktop names none, in order of preference.
constexpr const char* kKnownEditors[] = {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma",
                                         "xed", "featherpad", "geany", "leafpad", "code"};
constexpr const char* kTempHtmlName = "VamelTemp.html";

}  // namespace

CProgramChoice FindHtmlEditor() {
  const std::string sibling = CVamelProfile(kSiblingMachineCompany, kSiblingMachineApplication).GetString("", kSiblingPath, "");
  if (!sibling.empty() && FileExists(sibling)) return {sibling, ProgramSource::kSibling};
  std::string found = FindDefaultEditor("text/html");
  if (!found.empty()) return {found, ProgramSource::kDesktop};
  if (const char* visual = std::getenv("VISUAL")) {
    // A program text of its own ("code --wait"), used as it stands when its program exists.
    std::vector<std::string> words;
    SplitCommandLine(visual, words);
    if (!words.empty() && !FindInPath(FromNativePath(words[0])).empty()) return {FromNativePath(visual), ProgramSource::kVisual};
  }
  for (const char* editor : kKnownEditors) {
    found = FindInPath(editor);
    if (!found.empty()) return {found, ProgramSource::kKnownEditor};
  }
  return {std::string(), ProgramSource::kNone};
}

std::string GetHtmlEditorProgram() { return GetHtmlEditorOption(FindHtmlEditor().program); }

std::string GetDefaultHtmlProgram() {
  std::string path = MakeUniquePath(JoinPath(TempFolder(), kTempHtmlName));
  int error = 0;
  if (!WriteFileReplacing(path, std::string(), error)) return std::string();
  std::string program = FindAssociatedProgram(path);
  DeleteFileAt(path);
  return program;
}

std::string GetRssViewerProgram() { return GetRssViewerOption(GetDefaultHtmlProgram()); }
