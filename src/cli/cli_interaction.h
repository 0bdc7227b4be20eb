// The command line's side of the interaction: messages on standard error, questions answered by
// --yes or --no (and a few by flags of their own), or the run stops with the question rather than guess.
#pragma once

#include <optional>
#include <string>

#include "app/interaction.h"
#include "platform/vamel_exception.h"

enum class CliAnswer { Ask, Yes, No };

// Raised when a question comes up that no flag answers; carries the question (internal text).
class CCliUnanswered : public CVamelException {
public:
  using CVamelException::CVamelException;
};

class CCliInteraction : public CInteraction {
public:
  void SetAnswer(CliAnswer answer) { m_answer = answer; }
  // The refresh's download question, answered by --download.
  void SetDownloadAnswer(bool download) { m_download = download; }
  // "既存URLです", answered by --on-duplicate; unset, the run stops with the reason.
  void SetExistingUrlAnswer(std::optional<ExistingUrlAnswer> answer) { m_existingUrl = answer; }

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  MbAnswer Ask(QuestionId id, const CUserMessage& question) override;
  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override;
  void SetClipboardText(const std::string& text) override;
  // The FTP page: --yes confirms the values it shows, --no cancels, else the run stops.
  bool RunFtpPage(const std::string& title, CFtpPageValues& values) override;
  ExistingUrlAnswer AskExistingUrl() override;

private:
  CliAnswer m_answer = CliAnswer::Ask;
  bool m_download = false;
  std::optional<ExistingUrlAnswer> m_existingUrl;
};
