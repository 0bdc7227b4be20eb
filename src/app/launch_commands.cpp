#include "app/launch_commands.h"

#include "app/interaction.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "settings/program_lookup.h"

namespace {

bool IsItem(const CRssFile& project, int index) { return index >= 0 && index < project.GetSize(); }

}  // namespace

// An item whose URL lies outside the site has no local path; the empty path is passed on as it is.
void OpenItemFile(const CRssFile& project, int index, CInteraction& ui) {
  if (IsItem(project, index)) ui.OpenWithShell(ItemLocalPath(project, index));
}

void EditItemFile(const CRssFile& project, int index, CInteraction& ui) {
  if (IsItem(project, index)) OpenInHtmlEditor(ui, ItemLocalPath(project, index));
}

void OpenInHtmlEditor(CInteraction& ui, const std::string& path) {
  const std::string editor = GetHtmlEditorProgram();
  // The desktop's opener would show the page in a browser, which is no editor.
  if (editor.empty()) ui.Show(NoEditorMessage());
  else ui.RunProgram(editor, path, Lit("HTMLエディタ"));
}

void OpenItemUrl(const CRssFile& project, int index, CInteraction& ui) {
  if (IsItem(project, index)) ui.OpenWithShell(project.GetAt(index)->url);
}
