#include "app/editable_list.h"

#include "app/interaction.h"

void CEditableList::Select(int index) { m_selection = index >= 0 && index < GetCount() ? index : -1; }

void CEditableList::Append(std::string entry) {
  m_entries.push_back(std::move(entry));
  m_selection = GetCount() - 1;
}

bool CEditableList::RemoveSelected(const std::string& suffix, CInteraction& ui) {
  if (m_selection < 0 || m_selection >= GetCount()) return false;
  const CUserMessage question{m_entries[static_cast<size_t>(m_selection)] + suffix, MbButtons::YesNo, MbIcon::Question};
  if (ui.Ask(QuestionId::kRemoveListEntry, question) != MbAnswer::Yes) return false;
  m_entries.erase(m_entries.begin() + m_selection);
  if (m_selection >= GetCount()) m_selection = GetCount() - 1;
  return true;
}
