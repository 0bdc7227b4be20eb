// The programs that open local pages for editing and show feed files.
#pragma once

#include <string>

// The HTML editor: the "HtmlEditor" option, whose default is the sibling editor's program when its
// store names an existing file, else the first graphical text editor found on this machine.
std::string GetHtmlEditorProgram();

// The program associated with HTML files, found by asking the desktop about a temporary empty
// "VamelTemp.html" (made unique, deleted afterwards); "" when there is none.
std::string GetDefaultHtmlProgram();

// The feed viewer: the "RssViewer" option, whose default is GetDefaultHtmlProgram().
std::string GetRssViewerProgram();
