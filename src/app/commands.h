// The program's commands: one table of their numbers (those of the menus, toolbar and accelerators),
// texts, prompts, the command line's names for them and their enable or check rule. The desktop app
// builds its menus, toolbar and status-line prompts from it and runs each command with its handler;
// the command line takes its names from it. The numbers stay the commands' identities: the desktop
// maps them to its own window ids in one place (ui/command_wx_ids.h).
#pragma once

#include <string>
#include <vector>

enum CommandId : int {
  // Framework commands
  ID_FILE_NEW = 57600,
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE = 57603,
  ID_FILE_SAVE_AS = 57604,       // "名前を付けて保存(&A)..."
  ID_FILE_MRU_FIRST = 57616,     // "最近使ったﾌｧｲﾙ": the recent files, 57616 to 57623
  ID_APP_ABOUT = 57664,          // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
  ID_APP_EXIT = 57665,
  ID_HELP_FINDER = 57667,        // "ヘルプ目次"
  ID_VIEW_TOOLBAR = 59392,
  ID_VIEW_STATUS_BAR = 59393,
  // Document commands
  ID_SITE_SETTINGS = 32771,      // "サイト設定(&C)..."
  ID_TEST = 32772,               // never shown; does nothing
  ID_COPY_RSS_TAG = 32773,       // "RSSタグをコピー(&1)"
  ID_FTP_UPLOAD = 32774,         // "ftp転送(&T)..."
  ID_OPTIONS = 32775,            // "設定(&O)..."
  ID_COPY_ATOM_TAG = 32778,      // "Atom用タグをコピー(&T)"
  ID_SHOW_RSS = 32784,           // "RSSファイルを表示(&R)"
  ID_SHOW_ATOM = 32785,          // "Atomファイルを表示(&A)"
  ID_SHOW_RSS2 = 32787,          // the same as 32784, without a main menu entry
  ID_IMPORT_FILE_LIST = 32788,   // "ファイル一覧からの取り込み(&F)..."
  ID_IMPORT_RSS = 32792,         // "RSSの取り込み(&R)..."
  ID_COPY_RSS_TAG2 = 32794,      // the same as 32773, without a main menu entry
  ID_UPDATE_PAGE_TAGS = 32840,   // "ページのLINKタグを更新(&K)...": the feed tags in every page of the site
  // Feed creation
  ID_CREATE_RSS = 32776,         // "RSSファイル作成(&R)"
  ID_CREATE_ATOM = 32777,        // "Atomファイル作成(&M)"
  ID_CREATE_RSS20 = 32786,       // "RSS2.0ファイル作成(&P)"
  ID_CREATE_ATOM10 = 32797,      // "Atom1.0ファイル作成(&A)"
  ID_CREATE_RSS_AND_ATOM = 32798,  // "RSS&&Atom作成(&M)"
  ID_CREATE_RSS10 = 32799,       // "RSS1.0ファイル作成(&R)"
  ID_CREATE_ATOM03 = 32800,      // "Atom0.3ファイル作成(&M)"
  ID_CREATE_JSON = 32801,        // "JSON Feedファイル作成(&J)"
  ID_COPY_JSON_TAG = 32802,      // "JSON Feed用タグをコピー(&J)"
  // Item commands of the list view
  ID_ITEM_ADD = 32779,
  ID_ITEM_EDIT = 32780,
  ID_ITEM_DELETE = 32781,
  ID_ITEM_UP = 32782,
  ID_ITEM_DOWN = 32783,
  ID_OPEN_ITEM_FILE = 32790,     // "このHTMLﾌｧｲﾙを開く(&L)"
  ID_OPEN_ITEM_URL = 32791,      // "このURLを開く(&U)"
  ID_ITEM_SORT = 32793,
  ID_EDIT_ITEM_FILE = 32795,     // "このHTMLﾌｧｲﾙをエディタで開く(&E)"
  ID_ITEM_CATEGORY = 32796,
  // Help
  ID_HELP_INDEX = 32820,         // "キーワードで検索(&S)"
  ID_HOME_PAGE = 32823,          // "VamelRssのホームページへ(&H)"
  ID_FEED_CHECK = 32830,         // "フィードの検査(&K)...": the findings of the last check of written feeds
  // The view's controls
  IDC_LIST = 1000,
  IDC_ADD_BUTTON = 1002,
  IDC_EDIT_BUTTON = 1003,
  IDC_DELETE_BUTTON = 1004,
  IDC_UP_BUTTON = 1005,
  IDC_DOWN_BUTTON = 1006,
  IDC_CREATE_BUTTON = 1007,      // "作成(&X)": the same as 32798
  IDC_PREVIEW_MODE = 1041,
};

// When a command is enabled or checked. Every command of the program is always enabled, except the
// findings window, which has something to show only after a check found something.
enum class CommandRule {
  kAlways,
  kWhenFindings,     // enabled while the last check of written feeds found something
  kCheckToolBar,     // checked while the toolbar is shown
  kCheckStatusBar,   // checked while the status bar is shown
};

struct CCommand {
  int id;
  const char* text;       // the main menu's text (UTF-8, mnemonic, accelerator after a tab); null: none
  const char* popupText;  // the item list's context menu text; null when not in it
  const char* prompt;     // what the status line shows while the pointer rests on it
  const char* toolTip;    // the toolbar button's text; null when it has none
  const char* cliName;    // the command line's name for it (write --format, link-tag); null for none
  CommandRule rule;
};

// Every command, in the order the command line lists their names.
const std::vector<CCommand>& AllCommands();
// The command with this number; null for a number the table does not have.
const CCommand* FindCommand(int id);
// The number of the command of `cliName` among `ids`; 0 when none has that name.
int CommandOfCliName(const std::string& cliName, const std::vector<int>& ids);
// The command line's names of the commands among `ids`, in the table's order.
std::vector<std::string> CliNamesOf(const std::vector<int>& ids);
