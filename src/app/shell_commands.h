// The application's own commands apart from any window: the Open dialog's request and what it
// remembers, the start-up decision, the main window's caption and the product's addresses.
#pragma once

#include <string>

#include "app/interaction.h"

// The Open dialog "開く": the five filter entries, the entry last used ("File"/"OpenType", 1 when the
// stored number is outside 0 to 5) preselected and its pattern proposed as the name ("*.fpj" for entry
// 1, "*.rdf;*.xml" for entry 2, "*.*" for entries 0 and 5).
CFileDialogRequest OpenFileRequest();
// After a file was chosen: the entry selected when the dialog closed goes to "File"/"OpenType".
void RememberOpenFilterEntry(int entry);

// What the program opens first: the file named on the command line; else, when "InitFile" is set, the
// newest recent file if it still exists; else a new project through the wizard.
struct CStartupChoice {
  bool openFile = false;
  std::string path;  // the file to open when openFile
};
CStartupChoice ChooseStartupDocument(const std::string& commandLineFile);

// "<document title> - VamelRss".
std::string MainWindowCaption(const std::string& documentTitle);

// The product's addresses, chosen once: the home page ("VamelRssのホームページへ(&H)") and the two links
// of the version dialog.
extern const char* const kHomePageUrl;
extern const char* const kSupportMailUrl;
extern const char* const kVersionText;     // "VamelRss Version 1.01"
extern const char* const kProgramVersion;  // "1.01"
