#include "cli/cli_interaction.h"

#include "cli/cli_output.h"
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

MbAnswer CCliInteraction::Ask(QuestionId id, const CUserMessage& question) {
  if (id == QuestionId::kDownloadPage) {
    PrintErr(question.text + (m_download ? " -> yes (--download)" : " -> no (no --download)"));
    return m_download ? MbAnswer::Yes : MbAnswer::No;
  }
  return CInteraction::Ask(id, question);
}

CProgressSink* CCliInteraction::CreateProgress(const std::string&, bool) { return new CCliProgress; }

void CCliInteraction::SetClipboardText(const std::string& text) { PrintOut(text); }

bool CCliInteraction::Confirm(const std::string& shown) {
  if (m_answer == CliAnswer::Ask) throw CCliUnanswered(shown);
  PrintErr(shown + (m_answer == CliAnswer::Yes ? " -> yes" : " -> no"));
  return m_answer == CliAnswer::Yes;
}
