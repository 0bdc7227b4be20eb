#include "platform/interaction.h"

#include <cstdio>

#include "platform/shell.h"
#include "platform/text_codec.h"

namespace {

class CNullProgress : public CProgressSink {
public:
  void SetStatus(const std::string&) override {}
  void SetFileText(const std::string&) override {}
  void SetProgress(unsigned long long, unsigned long long) override {}
  bool IsCancelled() override { return false; }
};

class CConsoleInteraction : public CInteraction {
public:
  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon) override {
    std::fprintf(stderr, "%s\n", AnsiToUtf8(text).c_str());
    switch (buttons) {
      case MbButtons::Ok: return MbAnswer::Ok;
      case MbButtons::OkCancel: return MbAnswer::Cancel;
      case MbButtons::YesNo: return MbAnswer::No;
      case MbButtons::YesNoCancel: return MbAnswer::Cancel;
    }
    return MbAnswer::Ok;
  }
};

CInteraction* g_current = nullptr;

}  // namespace

CProgressSink* CInteraction::CreateProgress(const std::string&, bool) { return new CNullProgress; }

void CInteraction::SetClipboardText(const std::string&) {}

void CInteraction::OpenWithShell(const std::string& path) { ShellOpen(path); }

void CInteraction::RunProgram(const std::string& program, const std::string& parameter) {
  ShellRun(program, parameter);
}

int CInteraction::PumpOneMessage() { return 0; }

CFileDialogResult CInteraction::ChooseFile(const CFileDialogRequest&) { return CFileDialogResult(); }

bool CInteraction::ChooseFolder(const std::string&, const std::string&, std::string&) { return false; }

bool CInteraction::RunNewProjectWizard(CRssFile&) { return false; }

bool CInteraction::RunSiteSettings(CRssFile&) { return false; }

bool CInteraction::RunFtpPage(const std::string&, CFtpPageValues&) { return false; }

bool CInteraction::RunFolderScan(CRssFile&) { return false; }

bool CInteraction::RunItemEditor(CRssFile&, CRssItem&, bool) { return false; }

bool CInteraction::RunCategoryDialog(CRssFile&, std::string&) { return false; }

bool CInteraction::RunInputDialog(const std::string&, std::string&) { return false; }

bool CInteraction::RunMarkerTagDialog(CMarkerTagValues&) { return false; }

CInteraction& Interaction() {
  static CConsoleInteraction console;
  return g_current ? *g_current : console;
}

void SetInteraction(CInteraction* interaction) { g_current = interaction; }

MbAnswer VamelMessageBox(const std::string& text, MbButtons buttons, MbIcon icon) {
  return Interaction().MessageBox(text, buttons, icon);
}
