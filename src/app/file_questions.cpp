#include "app/file_questions.h"

#include "app/file_filters.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

CUserMessage SaveChangesQuestion(const std::string& title) {
  std::string question = Lit("%1 への変更を保存しますか?");
  question.replace(question.find("%1"), 2, title);
  return CUserMessage{question, MbButtons::YesNoCancel, MbIcon::Exclamation};
}

CUserMessage OverwriteQuestion(const std::string& path) {
  return CUserMessage{path + Lit(" は既に存在します。\r\n上書きしますか?"), MbButtons::YesNo, MbIcon::Exclamation};
}

bool ConfirmReplaceFile(CInteraction& ui, const std::string& path) {
  if (!PathExists(path)) return true;
  return ui.Ask(QuestionId::kOverwriteFile, OverwriteQuestion(path)) == MbAnswer::Yes;
}

CFileDialogResult ChooseSavePath(CInteraction& ui, CFileDialogRequest request) {
  const std::vector<CFilterEntry> entries = ParseFileFilter(request.filter);
  for (;;) {
    CFileDialogResult chosen = ui.ChooseFile(request);
    if (!chosen.ok) return chosen;
    const std::string path = WithExtension(chosen.path, ExtensionForSave(entries, chosen.filterIndex, request.defaultExt));
    if (path == chosen.path || !request.overwritePrompt || ConfirmReplaceFile(ui, path)) {
      chosen.path = path;
      return chosen;
    }
    request.fileName = path;
    request.filterIndex = chosen.filterIndex;
  }
}
