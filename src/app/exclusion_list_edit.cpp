#include "app/exclusion_list_edit.h"

#include "app/folder_scan.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"

namespace {

const std::vector<std::string>& ListOf(const CRssFile& project, ExclusionKind kind) {
  return kind == ExclusionKind::kFiles ? project.excludedFiles : project.excludedFolders;
}

}  // namespace

CExclusionListEdit::CExclusionListEdit(const CRssFile& project, ExclusionKind kind)
    : CEditableList(ListOf(project, kind)), m_project(project), m_kind(kind) {}

CFileDialogRequest CExclusionListEdit::AddFileRequest() {
  CFileDialogRequest request;
  request.title = Lit("ファイルの追加");
  request.filter = Lit("HTMLﾌｧｲﾙ(*.htm*) |*.htm*|全てのﾌｧｲﾙ(*.*) |*.*||");
  request.fileName = "*.htm*";
  request.defaultExt = "htm";
  request.mustExist = true;
  return request;
}

bool CExclusionListEdit::Add(CInteraction& ui) {
  if (m_kind == ExclusionKind::kFiles) {
    const CFileDialogResult chosen = ui.ChooseFile(AddFileRequest());
    if (!chosen.ok) return false;
    Append(RelativePagePath(m_project, chosen.path));
    return true;
  }
  std::string folder;
  if (!ui.ChooseFolder(std::string(), m_project.localFolder, folder)) return false;
  Append(RelativeFolderPath(m_project, folder));
  return true;
}

bool CExclusionListEdit::Remove(CInteraction& ui) { return RemoveSelected(Lit(" を削除しますか？"), ui); }

void CExclusionListEdit::Apply(CFolderScan& scan) const {
  if (m_kind == ExclusionKind::kFiles) scan.ReplaceExcludedFiles(m_entries);
  else scan.ReplaceExcludedFolders(m_entries);
}
