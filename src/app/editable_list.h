// The list box of the folder scan's small list dialogs (the exclusion lists, the extension list): a
// copy of the list being edited and the entry that is selected. The dialogs show it and confirm it;
// only their OK hands the copy back.
#pragma once

#include <string>
#include <vector>

class CInteraction;

class CEditableList {
public:
  const std::vector<std::string>& Entries() const { return m_entries; }
  int GetCount() const { return static_cast<int>(m_entries.size()); }
  int GetSelection() const { return m_selection; }  // -1 for none
  void Select(int index);                            // an index outside the list selects none

protected:
  explicit CEditableList(std::vector<std::string> entries) : m_entries(std::move(entries)) {}

  // Appends an entry and selects it.
  void Append(std::string entry);
  // Asks "<selected entry>" + `suffix` (Yes/No), then removes the entry; the entry that took its place,
  // else the new last one, is selected. False when nothing is selected or the answer is No.
  bool RemoveSelected(const std::string& suffix, CInteraction& ui);

  std::vector<std::string> m_entries;
  int m_selection = -1;
};
