// The programs that open local pages for editing and show feed files.
#pragma once

#include <string>

// Where a program found for the user comes from.
enum class ProgramSource {
  kNone,         // nothing found
  kSibling,      // the sibling editor's store names it
  kDesktop,      // the desktop's default for HTML files is an editor
  kVisual,       // $VISUAL
  kKnownEditor,  // a desktop editor found on this machine
};
struct CProgramChoice {
  std::string program;
  ProgramSource source = ProgramSource::kNone;
};

// The HTML editor when none is set: the sibling editor's program when its store names an existing
// file; else the desktop's default application for HTML when that is a text editor; else $VISUAL; else
// the first of a short list of desktop editors found on this machine. Never the desktop's opener,
// which shows a page in a browser.
CProgramChoice FindHtmlEditor();

// The HTML editor: the "HtmlEditor" option, whose default is FindHtmlEditor's ("" when none).
std::string GetHtmlEditorProgram();

// The program associated with HTML files, found by asking the desktop about a temporary empty
// "VamelTemp.html" (made unique, deleted afterwards); "" when there is none.
std::string GetDefaultHtmlProgram();

// The feed viewer: the "RssViewer" option, whose default is GetDefaultHtmlProgram().
std::string GetRssViewerProgram();
