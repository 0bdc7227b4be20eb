// The item launch commands: the current item's page in its default program, in the HTML editor, or
// its URL in the browser. Without a current item (an index outside the list) each does nothing.
#pragma once

#include <string>

class CInteraction;
class CRssFile;

void OpenItemFile(const CRssFile& project, int index, CInteraction& ui);  // 32790 "このHTMLﾌｧｲﾙを開く"
void EditItemFile(const CRssFile& project, int index, CInteraction& ui);  // 32795 "...エディタで開く"
void OpenItemUrl(const CRssFile& project, int index, CInteraction& ui);   // 32791 "このURLを開く"

// Opens `path` in the HTML editor (GetHtmlEditorProgram); without one, says that none was found.
void OpenInHtmlEditor(CInteraction& ui, const std::string& path);
