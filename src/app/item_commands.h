// The item list's commands: add, edit, delete, move up and down, sort newest first, change category.
//
// Each operation takes the rows it works on and returns what the list view does afterwards: whether the
// project changed (the document is then modified) and which row RefreshList makes current. The front
// end opens the item editor, "既存URLです" and the category dialog itself and passes their answers on;
// DeleteItemsCommand asks its question through the interaction.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/interaction.h"

class CRssFile;
class CRssItem;

// RefreshList's arguments besides a row: keep the current row, or make the last row current.
inline constexpr int kRefreshKeepRow = -1;
inline constexpr int kRefreshLastRow = -2;
inline constexpr int kNoRefresh = -3;  // the list stays as it is

// The answers of the dialog "既存URLです" after a new item's URL was found in the project.
enum class ExistingUrlAnswer { kReplace, kAddBeside, kCancel };

struct CItemCommandResult {
  bool changed = false;
  int row = kNoRefresh;  // RefreshList(row) afterwards, unless kNoRefresh
};

// Puts a new item first. When an item has its URL already, `answer` decides: replace removes that item,
// add-beside keeps it, cancel discards the new item.
CItemCommandResult InsertNewItem(CRssFile& project, std::unique_ptr<CRssItem> item, ExistingUrlAnswer answer);
// Deletes the items at `rows` (any order); nothing for none.
CItemCommandResult DeleteItems(CRssFile& project, std::vector<int> rows);
// Swaps the current item with the one above (below); nothing for the first (last) row or no row.
CItemCommandResult MoveItemUp(CRssFile& project, int current);
CItemCommandResult MoveItemDown(CRssFile& project, int current);
// Newest first by date, with the heap sort of SortItemsByDate; row 0 becomes current.
CItemCommandResult SortItemsNewestFirst(CRssFile& project);
// Sets the category of the items at `rows`; nothing for none.
CItemCommandResult SetItemsCategory(CRssFile& project, const std::vector<int>& rows, const std::string& category);

// The heap sort of "新しい順に整列": a heap with the oldest item at its top, taken apart from the end,
// so the newest comes first; items of equal date end in the order these steps give (not stable).
void SortItemsByDate(CRssFile& project);

// "アイテムを削除": asks "選択した項目を削除しますか？" (OK/Cancel), then deletes.
CItemCommandResult DeleteItemsCommand(CRssFile& project, const std::vector<int>& selected, CInteraction& ui);
// The category the category dialog starts from: the one selected item's, else "".
std::string CategoryOfSelection(const CRssFile& project, const std::vector<int>& selected);
