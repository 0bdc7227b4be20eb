// The program's command numbers (those of its menus, toolbar and accelerators) and the window ids
// they have in wx, which refuses ids of 32767 and above. The numbers stay the commands' identities;
// this table is the only place that knows both.
#pragma once

// Framework commands, by their numbers.
enum FrameCommand : int {
  ID_FILE_NEW = 57600,
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE = 57603,
  ID_FILE_MRU_FIRST = 57616,   // "最近使ったﾌｧｲﾙ": the recent files, 57616 to 57623
  ID_APP_EXIT = 57665,
  ID_HELP_FINDER = 57667,      // "ヘルプ目次"
  ID_APP_ABOUT = 57664,        // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
  ID_VIEW_TOOLBAR = 59392,
  ID_VIEW_STATUS_BAR = 59393,
  ID_OPTIONS = 32775,          // "設定(&O)..."
  ID_HELP_INDEX = 32820,       // "キーワードで検索(&S)"
  ID_HOME_PAGE = 32823,        // "VamelRssのホームページへ(&H)"
  // Item commands of the list view.
  ID_ITEM_ADD = 32779,
  ID_ITEM_EDIT = 32780,
  ID_ITEM_DELETE = 32781,
  ID_ITEM_UP = 32782,
  ID_ITEM_DOWN = 32783,
  ID_ITEM_SORT = 32793,
  ID_ITEM_CATEGORY = 32796,
  ID_TEST = 32772,             // never shown; does nothing
  ID_FEED_CHECK = 32830,       // "フィードの検査(&K)...": the findings of the last check of written feeds
  // The view's controls.
  IDC_LIST = 1000,
  IDC_ADD_BUTTON = 1002,
  IDC_EDIT_BUTTON = 1003,
  IDC_DELETE_BUTTON = 1004,
  IDC_UP_BUTTON = 1005,
  IDC_DOWN_BUTTON = 1006,
  IDC_PREVIEW_MODE = 1041,
};

// The wx id of a command number (a stock id for the framework's own commands); wxID_NONE for a number
// the program does not know.
int WxIdOfCommand(int command);
// The command number of a wx id; 0 for an id that is no command of the program.
int CommandOfWxId(int id);
