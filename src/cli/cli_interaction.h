// The command line's side of the interaction: messages on standard error, questions answered by
// --yes or --no (and a few by flags of their own), or the run stops with the question rather than guess.
#pragma once

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

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  MbAnswer Ask(QuestionId id, const CUserMessage& question) override;
  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override;
  void SetClipboardText(const std::string& text) override;
  // A window of the desktop app that the command line shows as a line (`shown`): --yes confirms it,
  // --no cancels it, else the run stops with the line.
  bool Confirm(const std::string& shown);

private:
  CliAnswer m_answer = CliAnswer::Ask;
  bool m_download = false;
};
