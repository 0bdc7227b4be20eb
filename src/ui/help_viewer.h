// The help book: its contents, its index, and its topics by context number (1 the contents page, 11 the
// item editor, 12 the marker tags). The book is found beside the program (a build tree) or in the
// installed data folder; a missing book is said so in a message.
#pragma once

#include <string>

class wxDialog;
class wxWindow;

// The help book's path (native): the one VAMELRSS_HELP_BOOK names, else the one beside the program or
// in its data folder; "" when there is none.
std::string FindHelpBook();

void ShowHelpContents(wxWindow* parent);
void ShowHelpIndex(wxWindow* parent);
void ShowHelpTopic(wxWindow* parent, int contextNumber);
// F1 in `dialog` (and a help request of the window system) shows the topic `contextNumber`.
void BindHelpKey(wxDialog* dialog, int contextNumber);

// The page the help window shows ("" when none is open): tests and the troubleshooting of a broken book.
std::string CurrentHelpPage();
// The window that shows it (null when none is open).
wxWindow* HelpWindow();
