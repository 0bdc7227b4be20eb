// What the item list view shows, apart from any window: the three columns of a row and the preview of
// the current item.
#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"

class CRssFile;
class CRssItem;

// The list's columns: "タイトル", "日付", "ファイル".
inline constexpr int kListColumnCount = 3;
const char* ListColumnTitle(int column);  // UTF-8

// The date column: local time, "%Y/%m/%d %H:%M".
std::string ListDateText(TimeValue t);
// The text of one cell: the title, the date, the URL.
std::string ListCellText(const CRssItem& item, int column);

// The rows whose texts in `column` are the widest by a character count (a double-byte character
// counting twice), at most `count` of them: the list sizes its columns by measuring only these, so a
// large project does not have every row measured.
std::vector<int> WidestRows(const CRssFile& project, int column, size_t count);

// The preview modes of the combo box 1041 ("詳細", "ローカル", "URL"), stored in "System"/"PreviewMode".
enum PreviewMode : int { kPreviewDetail = 0, kPreviewLocal = 1, kPreviewUrl = 2 };

// What the preview pane shows for item `index`: the item's preview HTML ("詳細"), or an address to load:
// its local file ("ローカル") or its URL ("URL").
struct CPreviewTarget {
  bool isHtml = false;
  std::string text;  // the HTML, or the address
};
CPreviewTarget PreviewFor(const CRssFile& project, int index, int mode);

// True for an address that begins with "app:" in any letter case: the preview never goes there.
bool IsAppCommandAddress(const std::string& address);

// The preview's page file: "VamelHtmlCtrl.html" in the process's private temporary folder (PrivateTempFolder),
// made unique when it is taken; "" when that folder cannot be made.
std::string MakePreviewPagePath();
