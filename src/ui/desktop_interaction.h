// The desktop app's side of the interaction: wx message boxes with the caption "VamelRss", the file
// and folder choosers, the clipboard, the progress windows and the program's dialogs.
#pragma once

#include <functional>
#include <memory>

#include "app/interaction.h"

class wxTimer;
class wxWindow;

class CDesktopInteraction : public CInteraction {
public:
  CDesktopInteraction();
  ~CDesktopInteraction() override;

  // The main window, over which dialogs open when no dialog of the program is open.
  void SetOwner(wxWindow* owner) { m_owner = owner; }

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override;
  void SetClipboardText(const std::string& text) override;
  CFileDialogResult ChooseFile(const CFileDialogRequest& request) override;
  bool ChooseFolder(const std::string& title, const std::string& initialFolder, std::string& folder) override;

  bool RunNewProjectWizard(const std::string& title, CRssFile& project) override;
  bool RunSiteSettings(const std::string& title, CRssFile& project) override;
  bool RunFtpPage(const std::string& title, CFtpPageValues& values) override;
  bool RunFtpProfileChooser(CFtpProfileChoice& choice) override;
  bool RunOptionsDialog(COptionValues& values) override;
  bool RunFolderScan(CRssFile& project) override;
  bool RunExclusionListDialog(CExclusionListEdit& list) override;
  bool RunExtensionDialog(CExtensionListEdit& list) override;
  bool RunItemEditor(CRssFile& project, CRssItem& item, bool isNew) override;
  bool RunCategoryDialog(CRssFile& project, std::string& category) override;
  bool RunInputDialog(const std::string& prompt, std::string& value) override;
  bool RunMarkerTagDialog(CMarkerTagValues& values) override;
  ExistingUrlAnswer AskExistingUrl() override;
  // Hands the check's findings to the main window (SetFeedCheckHandler), which shows them.
  void ReportFeedCheck(const CFeedCheckReport& report) override;
  void SetFeedCheckHandler(std::function<void(const CFeedCheckReport&)> handler) { m_feedCheck = std::move(handler); }

  // The window dialogs open over: the innermost open dialog of the program (a transfer's window
  // included), else the main window.
  wxWindow* Parent() const;

protected:
  // Looks at the watched launches a few times a second while there are any.
  void WatchLaunches() override;

private:
  wxWindow* m_owner = nullptr;
  std::unique_ptr<wxTimer> m_launchTimer;
  std::function<void(const CFeedCheckReport&)> m_feedCheck;
};
