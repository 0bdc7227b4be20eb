#include "app/commands.h"

#include <algorithm>

namespace {

constexpr CommandRule kAlways = CommandRule::kAlways;

// id, menu text, context menu text, prompt, toolbar text, command line name, rule.
const std::vector<CCommand> kCommands = {
    // Feed creation, in the order of the command line's `write --format`.
    {ID_CREATE_RSS, "RSSファイル作成(&R)", nullptr, "RSSファイルを作成します", "RSSファイル作成", "rss", kAlways},
    {ID_CREATE_ATOM, "Atomファイル作成(&M)", nullptr, "Atomファイルを作成します", "Atomファイル作成", "atom", kAlways},
    {ID_CREATE_RSS_AND_ATOM, "RSS&&Atom作成(&M)", nullptr, "RSSファイルとAtomファイルを作成します", nullptr, "both", kAlways},
    {ID_CREATE_RSS10, "RSS1.0ファイル作成(&R)", nullptr, "RSS 1.0形式でRSSファイルを作成します", nullptr, "rss10", kAlways},
    {ID_CREATE_RSS20, "RSS2.0ファイル作成(&P)", nullptr, "RSS 2.0形式でRSSファイルを作成します", nullptr, "rss20", kAlways},
    {ID_CREATE_ATOM03, "Atom0.3ファイル作成(&M)", nullptr, "Atom 0.3形式でAtomファイルを作成します", nullptr, "atom03", kAlways},
    {ID_CREATE_ATOM10, "Atom1.0ファイル作成(&A)", nullptr, "Atom 1.0形式でAtomファイルを作成します", nullptr, "atom10", kAlways},
    {ID_CREATE_JSON, "JSON Feedファイル作成(&J)", nullptr, "JSON Feedファイルを作成します", nullptr, "json", kAlways},
    {IDC_CREATE_BUTTON, "作成(&X)", nullptr, "RSSファイルとAtomファイルを作成します", nullptr, nullptr, kAlways},
    // File
    {ID_FILE_NEW, "新規作成(&N)\tCtrl+N", nullptr, "新しいRSSプロジェクトを作成します", "新規作成", nullptr, kAlways},
    {ID_FILE_OPEN, "開く(&O)...\tCtrl+O", nullptr, "プロジェクトファイルやRSS/Atomファイルを開きます", "開く", nullptr, kAlways},
    {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", nullptr, "開いているファイルを上書き保存します", "上書き保存", nullptr, kAlways},
    {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", nullptr, "ファイルに名前を付けて保存します", nullptr, nullptr, kAlways},
    {ID_IMPORT_FILE_LIST, "ファイル一覧からの取り込み(&F)...", nullptr, "ローカルフォルダのHTMLファイルを一覧から取り込みます",
     "ファイル一覧からの取り込み", nullptr, kAlways},
    {ID_IMPORT_RSS, "RSSの取り込み(&R)...", nullptr, "RSSファイルやAtomファイルのアイテムを取り込みます", nullptr, nullptr, kAlways},
    {ID_FTP_UPLOAD, "ftp転送(&T)...", nullptr, "RSSファイルとAtomファイルを作成してftpでサーバに転送します", "ftp転送", nullptr,
     kAlways},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", nullptr, "プログラムを終了します", nullptr, nullptr, kAlways},
    // Edit
    {ID_ITEM_ADD, "アイテムを追加(&A)...", "項目を追加(&A)...", "新しいアイテムを追加します", nullptr, nullptr, kAlways},
    {ID_ITEM_EDIT, "アイテムを編集(&E)...", "項目を編集(&E)...", "選択したアイテムを編集します", nullptr, nullptr, kAlways},
    {ID_ITEM_DELETE, "アイテムを削除(&D)...", "項目を削除(&D)...", "選択したアイテムを削除します", nullptr, nullptr, kAlways},
    {ID_ITEM_UP, "アイテムを一つ上へ(&U)", "項目を一つ上へ(&U)", "選択したアイテムを一つ上へ移動します", nullptr, nullptr, kAlways},
    {ID_ITEM_DOWN, "アイテムを一つ下へ(&W)", "項目を一つ下へ(&W)", "選択したアイテムを一つ下へ移動します", nullptr, nullptr,
     kAlways},
    {ID_ITEM_SORT, "新しい順に整列(&S)...", "新しい順に整列(&S)...", "アイテムを日付の新しい順に並べ替えます", nullptr, nullptr,
     kAlways},
    {ID_ITEM_CATEGORY, "カテゴリの変更(&C)...", "カテゴリの変更(&C)...", "選択したアイテムのカテゴリを変更します", nullptr, nullptr,
     kAlways},
    {ID_COPY_RSS_TAG, "RSSタグをコピー(&1)", nullptr, "ページに貼り付けるRSSのLINKタグをクリップボードにコピーします", nullptr,
     "rss", kAlways},
    {ID_COPY_RSS_TAG2, nullptr, nullptr, "ページに貼り付けるRSSのLINKタグをクリップボードにコピーします", nullptr, nullptr,
     kAlways},
    {ID_COPY_ATOM_TAG, "Atom用タグをコピー(&T)", nullptr, "ページに貼り付けるAtomのLINKタグをクリップボードにコピーします",
     nullptr, "atom", kAlways},
    {ID_COPY_JSON_TAG, "JSON Feed用タグをコピー(&J)", nullptr,
     "ページに貼り付けるJSON FeedのLINKタグをクリップボードにコピーします", nullptr, "json", kAlways},
    {ID_UPDATE_PAGE_TAGS, "ページのLINKタグを更新(&K)...", nullptr, "サイトのすべてのページにフィードのLINKタグを入れます", nullptr,
     nullptr, kAlways},
    // View
    {ID_SHOW_RSS, "RSSファイルを表示(&R)", nullptr, "RSSファイルをビューアで表示します", nullptr, nullptr, kAlways},
    {ID_SHOW_RSS2, nullptr, nullptr, "RSSファイルをビューアで表示します", nullptr, nullptr, kAlways},
    {ID_SHOW_ATOM, "Atomファイルを表示(&A)", nullptr, "Atomファイルをビューアで表示します", nullptr, nullptr, kAlways},
    {ID_OPEN_ITEM_FILE, "このHTMLﾌｧｲﾙを開く(&L)", "このHTMLﾌｧｲﾙを開く(&L)", "選択したアイテムのローカルファイルを開きます",
     nullptr, nullptr, kAlways},
    {ID_EDIT_ITEM_FILE, "このHTMLﾌｧｲﾙをエディタで開く(&E)", "このHTMLﾌｧｲﾙをエディタで開く(&O)",
     "選択したアイテムのローカルファイルをHTMLエディタで開きます", nullptr, nullptr, kAlways},
    {ID_OPEN_ITEM_URL, "このURLを開く(&U)", "このURLを開く(&R)", "選択したアイテムのURLをブラウザで開きます", nullptr, nullptr,
     kAlways},
    {ID_SITE_SETTINGS, "サイト設定(&C)...", nullptr, "サイトとフィードの設定を変更します", "サイト設定", nullptr, kAlways},
    {ID_OPTIONS, "設定(&O)...", nullptr, "プログラムの設定を変更します", nullptr, nullptr, kAlways},
    {ID_FEED_CHECK, "フィードの検査(&K)...", nullptr, "作成したフィードの検査結果を表示します", nullptr, nullptr,
     CommandRule::kWhenFindings},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", nullptr, "ツールバーの表示と非表示を切り替えます", nullptr, nullptr,
     CommandRule::kCheckToolBar},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", nullptr, "ステータスバーの表示と非表示を切り替えます", nullptr, nullptr,
     CommandRule::kCheckStatusBar},
    {ID_TEST, nullptr, nullptr, "", nullptr, nullptr, kAlways},
    // Help
    {ID_HELP_FINDER, "ヘルプ目次(&C)", nullptr, "ヘルプの目次を表示します", "ヘルプ目次", nullptr, kAlways},
    {ID_HELP_INDEX, "キーワードで検索(&S)", nullptr, "ヘルプをキーワードで検索します", nullptr, nullptr, kAlways},
    {ID_HOME_PAGE, "VamelRssのホームページへ(&H)", nullptr, "VamelRssのホームページをブラウザで開きます", nullptr, nullptr,
     kAlways},
    {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", nullptr, "プログラムのバージョンを表示します", nullptr, nullptr, kAlways},
};

bool Among(int id, const std::vector<int>& ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

const std::vector<CCommand>& AllCommands() { return kCommands; }

const CCommand* FindCommand(int id) {
  for (const CCommand& command : kCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

int CommandOfCliName(const std::string& cliName, const std::vector<int>& ids) {
  for (const CCommand& command : kCommands) {
    if (command.cliName && cliName == command.cliName && Among(command.id, ids)) return command.id;
  }
  return 0;
}

std::vector<std::string> CliNamesOf(const std::vector<int>& ids) {
  std::vector<std::string> names;
  for (const CCommand& command : kCommands) {
    if (command.cliName && Among(command.id, ids)) names.push_back(command.cliName);
  }
  return names;
}
