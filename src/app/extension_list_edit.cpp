#include "app/extension_list_edit.h"

#include "app/folder_scan.h"
#include "app/interaction.h"
#include "platform/text_codec.h"

namespace {

// The answer without its leading "." characters ("..php" is "php").
std::string WithoutLeadingDots(const std::string& answer) {
  const size_t first = answer.find_first_not_of('.');
  return first == std::string::npos ? std::string() : answer.substr(first);
}

}  // namespace

std::string CExtensionListEdit::PromptText() { return Lit("追加する拡張子を入力してください"); }

bool CExtensionListEdit::Add(const std::string& answer) {
  std::string extension = WithoutLeadingDots(answer);
  // An empty line would only be a blank entry that matches nothing.
  if (extension.empty()) return false;
  Append(std::move(extension));
  return true;
}

std::string CExtensionListEdit::EditStart() const {
  return CanEdit() ? m_entries[static_cast<size_t>(m_selection)] : std::string();
}

bool CExtensionListEdit::Edit(const std::string& answer) {
  if (!CanEdit()) return false;
  std::string extension = WithoutLeadingDots(answer);
  if (extension.empty()) return false;
  m_entries[static_cast<size_t>(m_selection)] = std::move(extension);
  return true;
}

bool CExtensionListEdit::Remove(CInteraction& ui) { return RemoveSelected(Lit("を削除しますか？"), ui); }

void CExtensionListEdit::Apply(CFolderScan& scan) const {
  scan.SetExtensions(m_entries);
  scan.SaveExtensions();
  scan.Scan();
  scan.SelectNewPages();
}
