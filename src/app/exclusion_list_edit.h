// The exclusion list dialogs of the folder scan ("除外ファイル", "除外するファイルを指定してください。"):
// the project's excluded files or excluded folders, edited on a copy. OK puts the copy into the project
// and scans again; Cancel leaves the project alone.
#pragma once

#include <string>
#include <vector>

#include "app/editable_list.h"
#include "app/interaction.h"

class CFolderScan;
class CRssFile;

enum class ExclusionKind { kFiles, kFolders };

class CExclusionListEdit : public CEditableList {
public:
  // A copy of the project's list of that kind.
  CExclusionListEdit(const CRssFile& project, ExclusionKind kind);

  ExclusionKind Kind() const { return m_kind; }

  // "追加(&A)...": for files the open dialog "ファイルの追加" (AddFileRequest), for folders the folder
  // chooser starting at the local folder. The relative page path of the file, or the relative folder
  // path of the folder, is appended and selected. False when the chooser was cancelled.
  bool Add(CInteraction& ui);
  // "削除(&D)...": asks "<entry> を削除しますか？", then removes the selected entry.
  bool Remove(CInteraction& ui);
  // OK: the project's list becomes the copy; the scan runs again and selects the new pages.
  void Apply(CFolderScan& scan) const;

  static CFileDialogRequest AddFileRequest();

private:
  const CRssFile& m_project;
  ExclusionKind m_kind;
};
