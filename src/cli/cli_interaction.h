// The command line's side of the interaction: messages on standard error, questions answered by
// --yes or --no, or the run stops with the question rather than guess.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/interaction.h"

enum class CliAnswer { Ask, Yes, No };

// Raised when a question comes up that no flag answers; carries the question (internal text).
class CCliUnanswered : public std::runtime_error {
public:
  explicit CCliUnanswered(const std::string& question) : std::runtime_error(question) {}
};

class CCliInteraction : public CInteraction {
public:
  void SetAnswer(CliAnswer answer) { m_answer = answer; }

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override;
  void SetClipboardText(const std::string& text) override;

  // The next file chooser answers with this path and filter entry (the command line names the file).
  void SetFileAnswer(const std::string& path, int filterIndex);
  CFileDialogResult ChooseFile(const CFileDialogRequest& request) override;
  // The FTP page: --yes confirms the values it shows, --no cancels, else the run stops.
  bool RunFtpPage(const std::string& title, CFtpPageValues& values) override;

private:
  CliAnswer m_answer = CliAnswer::Ask;
  bool m_haveFileAnswer = false;
  CFileDialogResult m_fileAnswer;
};
