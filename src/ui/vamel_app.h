// The application: its start-up (options, the file to open first or a new project through the wizard,
// the main window in its remembered place) and its end.
#pragma once

#include <wx/app.h>

#include <memory>
#include <string>

class CDesktopInteraction;
class CMainFrame;

class CVamelRssApp : public wxApp {
public:
  CVamelRssApp();
  ~CVamelRssApp() override;

  bool OnInit() override;
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;
  // A command that ran out of memory (a file too large for it) ends with a message and the program
  // goes on; any other exception ends the program as before.
  bool OnExceptionInMainLoop() override;

  CMainFrame* Frame() const { return m_frame; }

private:
  std::unique_ptr<CDesktopInteraction> m_ui;
  CMainFrame* m_frame = nullptr;
  std::string m_fileArgument;
};

// Makes the main window and opens its first document: the file given, else (with "InitFile") the most
// recent file, else a new project through the wizard. Null, with nothing left open, when there is no
// document to show (the wizard was cancelled, the file could not be read).
CMainFrame* StartMainWindow(CDesktopInteraction& ui, const std::string& fileArgument);

// wx's own texts (buttons of the wizard and the help window, standard labels) in Japanese.
void UseJapaneseTranslations();

// The user's locale for the toolkit (its dialogs' texts, the order of dates), numbers in the C locale's
// form, and wx's own texts in Japanese like the program's: what the app does at start-up.
void UseUserLocale();
