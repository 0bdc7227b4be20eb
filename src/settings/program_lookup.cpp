#include "settings/program_lookup.h"

#include "platform/path_names.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "settings/options.h"

namespace {

// Where the sibling editor records its program: the value "Path" at the top of its machine store.
constexpr const char* kSiblingMachineCompany = "Vamel";
constexpr const char* kSiblingMachineApplication = "Marrowpad";
constexpr const char* kSiblingPath = "Path";

// Graphical editors to offer when nothing is configured, in order of preference; xdg-open last.
constexpr const char* kFallbackEditors[] = {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad",
                                            "pluma", "xed", "geany", "leafpad", "code"};
constexpr const char* kTempHtmlName = "VamelTemp.html";

}  // namespace

std::string GetHtmlEditorProgram() {
  std::string candidate = CVamelProfile(kSiblingMachineCompany, kSiblingMachineApplication).GetString("", kSiblingPath, "");
  if (candidate.empty() || !FileExists(candidate)) {
    candidate = "xdg-open";
    for (const char* editor : kFallbackEditors) {
      std::string found = FindInPath(editor);
      if (!found.empty()) {
        candidate = found;
        break;
      }
    }
  }
  return GetHtmlEditorOption(candidate);
}

std::string GetDefaultHtmlProgram() {
  std::string path = MakeUniquePath(JoinPath(TempFolder(), kTempHtmlName));
  int error = 0;
  if (!WriteFileReplacing(path, std::string(), error)) return std::string();
  std::string program = FindAssociatedProgram(path);
  DeleteFileAt(path);
  return program;
}

std::string GetRssViewerProgram() { return GetRssViewerOption(GetDefaultHtmlProgram()); }
