#include "ui/command_wx_ids.h"

#include <wx/defs.h>

namespace {

struct CommandRow {
  int command;
  int wxId;
};

// The program's own commands: the numbers from 32768 up map to ids from this base.
constexpr int kOwnBase = 20000;

// Ids for the framework's commands: stock ids where the toolkit adds nothing the menus do not have.
// GTK would give Save As and Exit keys of their own (Shift+Ctrl+S, Ctrl+Q), so they take plain ids.
constexpr CommandRow kFramework[] = {
    {ID_FILE_NEW, wxID_NEW},           {ID_FILE_OPEN, wxID_OPEN},       {ID_FILE_SAVE, wxID_SAVE},
    {ID_FILE_SAVE_AS, kOwnBase - 4},   {ID_APP_EXIT, kOwnBase - 3},     {ID_APP_ABOUT, wxID_ABOUT},
    {ID_HELP_FINDER, wxID_HELP_CONTENTS}, {ID_HELP_INDEX, wxID_HELP_INDEX},
};
constexpr int kOwnFirst = 32768;
constexpr int kOwnLast = 32899;

}  // namespace

int WxIdOfCommand(int command) {
  for (const CommandRow& row : kFramework) {
    if (row.command == command) return row.wxId;
  }
  if (command >= ID_FILE_MRU_FIRST && command < ID_FILE_MRU_FIRST + 8) return wxID_FILE1 + (command - ID_FILE_MRU_FIRST);
  if (command == ID_VIEW_TOOLBAR) return kOwnBase - 2;
  if (command == ID_VIEW_STATUS_BAR) return kOwnBase - 1;
  if (command >= kOwnFirst && command <= kOwnLast) return kOwnBase + (command - kOwnFirst);
  // Control ids of the view (1000 to 1100) are valid wx ids as they are.
  if (command > 0 && command < 1100) return command;
  return wxID_NONE;
}

int CommandOfWxId(int id) {
  for (const CommandRow& row : kFramework) {
    if (row.wxId == id) return row.command;
  }
  if (id >= wxID_FILE1 && id < wxID_FILE1 + 8) return ID_FILE_MRU_FIRST + (id - wxID_FILE1);
  if (id == kOwnBase - 2) return ID_VIEW_TOOLBAR;
  if (id == kOwnBase - 1) return ID_VIEW_STATUS_BAR;
  if (id >= kOwnBase && id <= kOwnBase + (kOwnLast - kOwnFirst)) return kOwnFirst + (id - kOwnBase);
  if (id > 0 && id < 1100) return id;
  return 0;
}
