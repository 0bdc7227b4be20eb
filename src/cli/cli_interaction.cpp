#include "cli/cli_interaction.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

// Progress and status lines on standard error; the command line cannot be cancelled from here.
class CCliProgress : public CProgressSink {
public:
  void SetStatus(const std::string& text) override { PrintErr(text); }
  void SetFileText(const std::string& text) override { PrintErr(text); }
  void SetProgress(unsigned long long, unsigned long long) override {}
  bool IsCancelled() override { return false; }
};

}  // namespace

MbAnswer CCliInteraction::MessageBox(const std::string& text, MbButtons buttons, MbIcon) {
  if (buttons == MbButtons::Ok) {
    PrintErr(text);
    return MbAnswer::Ok;
  }
  if (m_answer == CliAnswer::Ask) throw CCliUnanswered(text);
  bool yes = m_answer == CliAnswer::Yes;
  PrintErr(text + (yes ? " -> yes" : " -> no"));
  if (buttons == MbButtons::YesNo || buttons == MbButtons::YesNoCancel) return yes ? MbAnswer::Yes : MbAnswer::No;
  return yes ? MbAnswer::Ok : MbAnswer::Cancel;
}

CProgressSink* CCliInteraction::CreateProgress(const std::string&, bool) { return new CCliProgress; }

void CCliInteraction::SetClipboardText(const std::string& text) { PrintOut(text); }

void CCliInteraction::SetFileAnswer(const std::string& path, int filterIndex) {
  m_fileAnswer = {true, path, filterIndex};
  m_haveFileAnswer = true;
}

CFileDialogResult CCliInteraction::ChooseFile(const CFileDialogRequest& request) {
  if (!m_haveFileAnswer) return CFileDialogResult();
  m_haveFileAnswer = false;
  // The chooser's own question before an existing file is replaced.
  if (request.save && request.overwritePrompt && PathExists(m_fileAnswer.path)) {
    std::string question = m_fileAnswer.path + Lit(" は既に存在します。\r\n上書きしますか?");
    if (MessageBox(question, MbButtons::YesNo, MbIcon::Exclamation) != MbAnswer::Yes) return CFileDialogResult();
  }
  return m_fileAnswer;
}

bool CCliInteraction::RunFtpPage(const std::string& title, CFtpPageValues& values) {
  std::string shown = title + ": " + values.user + "@" + values.host + " " + values.remoteDir;
  if (m_answer == CliAnswer::Ask) throw CCliUnanswered(shown);
  PrintErr(shown + (m_answer == CliAnswer::Yes ? " -> yes" : " -> no"));
  return m_answer == CliAnswer::Yes;
}
