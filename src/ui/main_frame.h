// The main window: the menus, the toolbar and the status bar around the one view, the document it
// shows, and the placement it remembers between runs ("Window size"). The menus, the toolbar and their
// prompts come from the command table (app/commands.h); every command, from a menu, a key, a tool, a
// button or the list's context menu, reaches its one handler (desktop_commands.h) through RunCommand.
#pragma once

#include <wx/frame.h>

#include <memory>
#include <string>

#include "app/window_placement.h"

class CFeedCheckWindow;
struct CFeedCheckReport;
class CDesktopInteraction;
class CVamelRssDoc;
class CVamelRssView;
class wxDropFilesEvent;
class wxMenu;

class CMainFrame : public wxFrame {
public:
  explicit CMainFrame(CDesktopInteraction& ui);
  ~CMainFrame() override;

  CVamelRssDoc& Doc() const { return *m_doc; }
  CVamelRssView* View() const { return m_view; }
  CDesktopInteraction& UI() const { return m_ui; }

  // The application's New: the wizard; a cancelled wizard keeps the open document, its path and title.
  bool NewDocument();
  // Opens a file (after the question whether to save changes); true when it was read.
  bool OpenDocument(const std::string& path);
  // The Open command: the dialog "開く", then OpenDocument.
  void OnFileOpen();
  // Runs a command by its number; false when nothing handles it.
  bool RunCommand(int command);
  void ToggleToolBar();
  void ToggleStatusBar();

  // Shows the window for the first time in the placement of the previous run.
  void ShowRestored();
  // The caption, the recent-file list and the view after the document changed.
  void DocumentChanged();
  // "フィードの検査" with the last check's findings, when there are any.
  void ShowFeedCheck();
  // The check of the feeds a command wrote: the findings' summary in the status line and the window
  // "フィードの検査"; a check without findings clears both.
  void ShowFindings(const CFeedCheckReport& report);
  CFeedCheckWindow* FeedCheckWindow() const { return m_checkWindow; }

private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void RebuildRecentFiles();
  void RestorePlacement();
  void SavePlacement();
  void UpdateIndicators();
  void UpdateMinimumSize();
  void OnMenu(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnDropFiles(wxDropFilesEvent& event);
  void OnIdle(wxIdleEvent& event);
  void OnUpdateUi(wxUpdateUIEvent& event);
  void RememberNormalRect();

  CDesktopInteraction& m_ui;
  std::unique_ptr<CVamelRssDoc> m_doc;
  CVamelRssView* m_view = nullptr;
  wxMenu* m_fileMenu = nullptr;
  CWindowPlacement m_placement;  // as restored, the normal rectangle kept up to date
  bool m_placementRestored = false;
  bool m_placementSaved = false;
  int m_recentCount = 0;
  CFeedCheckWindow* m_checkWindow = nullptr;  // a child window, destroyed with the frame
  bool m_hasFindings = false;
};
