// The item editor's commands apart from its window ("アイテム編集"): the dialog keeps a
// CItemEditorValues (item_refresh.h), hands it to these operations and shows it again afterwards.
#pragma once

#include <string>
#include <vector>

#include "app/interaction.h"
#include "app/item_refresh.h"

class CRssFile;

// The category choices: the project's non-empty categories, each once, in order of first appearance.
std::vector<std::string> EditorCategories(const CRssFile& project);

// "取り込み(&U)..." and "ローカルファイルを開く(&L)" need the project's local folder.
bool EditorHasLocalFolder(const CRssFile& project);

// "参照(&R)...": the open dialog "ローカルファイルの参照", and what choosing a file does: the URL becomes
// the file's site URL and the values are refilled from the file (the category stays).
CFileDialogRequest LocalFileBrowseRequest();
void TakeLocalFile(const CRssFile& project, CItemEditorValues& values, const std::string& path, CInteraction& ui);

// "現在(&N)": the date and the time become now, to the second.
void SetEditorTimeToNow(CItemEditorValues& values);

// "ローカルファイルを開く(&L)": the URL's local file in the configured HTML editor.
void OpenEditorPage(const CRssFile& project, const std::string& url, CInteraction& ui);
// The marker tag dialog's "ローカルファイルを開く(&R)": its local file in the configured HTML editor.
void OpenMarkerTagPage(const CMarkerTagValues& values, CInteraction& ui);

// The pickers' local date and time as a time value; false when the platform cannot convert them.
bool EditorDateTime(int year, int month, int day, int hour, int minute, int second, TimeValue& out);
