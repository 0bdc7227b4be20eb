// The extension dialog of the folder scan ("拡張子", "対象にする拡張子(&E):"): the stored list of the
// extensions that make a file a page, edited on a copy. OK stores the list in the options (section
// "Ext") and scans again with it; Cancel stores nothing.
#pragma once

#include <string>
#include <vector>

#include "app/editable_list.h"

class CFolderScan;
class CInteraction;

class CExtensionListEdit : public CEditableList {
public:
  explicit CExtensionListEdit(std::vector<std::string> extensions) : CEditableList(std::move(extensions)) {}

  // "追加(&A)...": the input dialog "追加する拡張子を入力してください"; the answer without its leading "."
  // characters is appended and selected. False when cancelled or when nothing is left of the answer.
  bool Add(CInteraction& ui);
  // "編集(&E)...": the same question, starting from the selected entry; the answer (leading "."
  // removed) replaces that entry. False without a selection, on cancel, or for an empty answer.
  bool Edit(CInteraction& ui);
  // "削除(&D)...": asks "<entry>を削除しますか？", then removes the selected entry.
  bool Remove(CInteraction& ui);
  // OK: "Count" and "name0".. are written in list order (values beyond the count stay in the store),
  // the scan takes the list, scans again and selects the new pages.
  void Apply(CFolderScan& scan) const;

  static std::string PromptText();  // "追加する拡張子を入力してください"
};

// The whole dialog over the scan's list: true, with the list stored and the scan run again, on OK.
bool EditExtensions(CFolderScan& scan, CInteraction& ui);
