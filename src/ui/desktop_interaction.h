// The desktop app's side of the interaction: wx message boxes with the caption "VamelRss", the file
// and folder choosers, the clipboard and the progress windows. The program's own dialogs are opened
// by the commands (desktop_commands.h) and by the dialogs themselves.
#pragma once

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

  // The window dialogs open over: the innermost open dialog of the program (a transfer's window
  // included), else the main window.
  wxWindow* Parent() const;

protected:
  // Looks at the watched launches a few times a second while there are any.
  void WatchLaunches() override;

private:
  wxWindow* m_owner = nullptr;
  std::unique_ptr<wxTimer> m_launchTimer;
};
