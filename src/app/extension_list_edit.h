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

  // "追加(&A)...": the answer of the input dialog "追加する拡張子を入力してください", without its leading
  // "." characters, is appended and selected. False when nothing is left of the answer.
  bool Add(const std::string& answer);
  // "編集(&E)...": the same dialog starts from the selected entry (EditStart); the answer (leading "."
  // removed) replaces that entry. False without a selection or for an empty answer.
  bool CanEdit() const { return m_selection >= 0 && m_selection < GetCount(); }
  std::string EditStart() const;
  bool Edit(const std::string& answer);
  // "削除(&D)...": asks "<entry>を削除しますか？", then removes the selected entry.
  bool Remove(CInteraction& ui);
  // OK: "Count" and "name0".. are written in list order (values beyond the count stay in the store),
  // the scan takes the list, scans again and selects the new pages.
  void Apply(CFolderScan& scan) const;

  static std::string PromptText();  // "追加する拡張子を入力してください"
};
