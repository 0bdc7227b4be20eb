#include "app/interaction.h"

#include "platform/shell.h"

namespace {

class CNullProgress : public CProgressSink {
public:
  void SetStatus(const std::string&) override {}
  void SetFileText(const std::string&) override {}
  void SetProgress(unsigned long long, unsigned long long) override {}
  bool IsCancelled() override { return false; }
};

}  // namespace

void CInteraction::ShowAll(const std::vector<CUserMessage>& messages) {
  for (const CUserMessage& message : messages) Show(message);
}

MbAnswer CInteraction::Ask(QuestionId, const CUserMessage& question) { return Show(question); }

CProgressSink* CInteraction::CreateProgress(const std::string&, bool) { return new CNullProgress; }

void CInteraction::SetClipboardText(const std::string&) {}

void CInteraction::OpenWithShell(const std::string& path) { Watch(ShellOpen(path), std::string(), path); }

void CInteraction::RunProgram(const std::string& program, const std::string& parameter, const std::string& role) {
  Watch(ShellRun(program, parameter), role, parameter);
}

void CInteraction::Watch(CLaunch launch, const std::string& role, const std::string& target) {
  m_launches.Add(*this, std::move(launch), role, target);
  if (!m_launches.Empty()) WatchLaunches();
}

CFileDialogResult CInteraction::ChooseFile(const CFileDialogRequest&) { return CFileDialogResult(); }

bool CInteraction::ChooseFolder(const std::string&, const std::string&, std::string&) { return false; }
