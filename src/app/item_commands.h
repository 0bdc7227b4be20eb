// The item list's commands: add, edit, delete, move up and down, sort newest first, change category.
//
// Each operation takes the rows it works on and returns what the list view does afterwards: whether the
// project changed (the document is then modified) and which row RefreshList makes current. The
// "...Command" forms ask first through the interaction (the item editor, "既存URLです", the delete
// question, the category dialog) and then call the operation.
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

// The commands with their dialogs.
CItemCommandResult AddItemCommand(CRssFile& project, CInteraction& ui);
CItemCommandResult EditItemCommand(CRssFile& project, int current, CInteraction& ui);
CItemCommandResult DeleteItemsCommand(CRssFile& project, const std::vector<int>& selected, CInteraction& ui);
CItemCommandResult ChangeCategoryCommand(CRssFile& project, const std::vector<int>& selected, CInteraction& ui);
