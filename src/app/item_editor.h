// The item editor's commands apart from its window ("アイテム編集"): the dialog keeps a
// CItemEditorValues (item_refresh.h), hands it to these operations and shows it again afterwards.
#pragma once

#include <string>
#include <vector>

#include "app/interaction.h"
#include "app/item_refresh.h"
#include "platform/result.h"

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

// "添付ファイル(&F):"'s "参照...": the open dialog "添付ファイルの参照" on the media files, opening in the
// folder of the enclosure's local file, or else in the local folder.
CFileDialogRequest EnclosureBrowseRequest(const CRssFile& project, const std::string& enclosureUrl);
// What choosing a file and "取得(&G)" do: the enclosure of `source` (a file below the local folder, or
// an http(s) URL, asked of its server) replaces the values' one, and one message names the facts still
// missing (they stay editable). On a failure its reason is shown and the values stay. True when taken.
bool TakeEnclosure(const CRssFile& project, CItemEditorValues& values, const std::string& source, CInteraction& ui);
// Its second half, for a front end that asks the server while it shows that it is busy: `found` (of
// EnclosureFor) into the values, or its reason shown.
bool UseEnclosure(CItemEditorValues& values, const CResult<CEnclosure>& found, CInteraction& ui);
// The enclosure at OK, its URL as typed: empty drops the enclosure, a URL (or the item's own enclosure
// URL, unchanged) is taken as it stands, anything else is a local file taken as TakeEnclosure does. False (the dialog stays open) when that
// failed.
bool SettleEnclosureField(const CRssFile& project, CItemEditorValues& values, CInteraction& ui);

// The enclosure's length (bytes) and playing time (seconds) as typed; blank is 0. False, with the
// message to show, for anything but a number of 0 or more; `which` is then 0 (length) or 1 (time).
bool ParseEnclosureNumbers(const std::string& length, const std::string& duration, CEnclosure& enclosure,
                           CUserMessage& error, int& which);

// The choices of "エピソードの種類(&K):", in order, and how they map to the item's value.
std::vector<std::string> EpisodeTypeEntries();  // "指定なし", "full（本編）", "trailer（予告）", "bonus（おまけ）"
int EpisodeTypeEntryOf(const std::string& episodeType);
std::string EpisodeTypeOfEntry(int entry);
