// The program's commands, by the numbers of its menus, toolbar and accelerators. The desktop app maps
// them to its own window ids in one table; the core dispatches on them.
#pragma once

enum CommandId : int {
  // Document commands
  ID_SITE_SETTINGS = 32771,      // "サイト設定(&C)..."
  ID_COPY_RSS_TAG = 32773,       // "RSSタグをコピー(&1)"
  ID_COPY_RSS_TAG2 = 32794,      // the same, without a main menu entry
  ID_COPY_ATOM_TAG = 32778,      // "Atom用タグをコピー(&T)"
  ID_FTP_UPLOAD = 32774,         // "ftp転送(&T)..."
  ID_SHOW_RSS = 32784,           // "RSSファイルを表示(&R)"
  ID_SHOW_RSS2 = 32787,          // the same, without a main menu entry
  ID_SHOW_ATOM = 32785,          // "Atomファイルを表示(&A)"
  ID_IMPORT_FILE_LIST = 32788,   // "ファイル一覧からの取り込み(&F)..."
  ID_IMPORT_RSS = 32792,         // "RSSの取り込み(&R)..."
  ID_FILE_SAVE_AS = 57604,       // "名前を付けて保存(&A)..."
  // Feed creation (received by the list view, carried out on the document's project)
  ID_CREATE_RSS = 32776,         // "RSSファイル作成(&R)"
  ID_CREATE_ATOM = 32777,        // "Atomファイル作成(&M)"
  ID_CREATE_RSS10 = 32799,       // "RSS1.0ファイル作成(&R)"
  ID_CREATE_RSS20 = 32786,       // "RSS2.0ファイル作成(&P)"
  ID_CREATE_ATOM03 = 32800,      // "Atom0.3ファイル作成(&M)"
  ID_CREATE_ATOM10 = 32797,      // "Atom1.0ファイル作成(&A)"
  ID_CREATE_RSS_AND_ATOM = 32798,  // "RSS&&Atom作成(&M)"
  IDC_CREATE_BUTTON = 1007,        // the list view's "作成(&X)" button
  // Item commands (list view)
  ID_OPEN_ITEM_FILE = 32790,     // "このHTMLﾌｧｲﾙを開く(&L)"
  ID_EDIT_ITEM_FILE = 32795,     // "このHTMLﾌｧｲﾙをエディタで開く(&E)"
  ID_OPEN_ITEM_URL = 32791,      // "このURLを開く(&U)"
};
