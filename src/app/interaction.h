// The one interface through which the program's commands talk to the user.
//
// The desktop app shows dialogs, the command line answers from its flags, tests answer from a script.
// A front end makes one and passes it to the document and to the operations that ask or report
// progress; nothing below this layer sees it. Texts are internal text (code page 932). Every message
// box carries the caption "VamelRss".
#pragma once

#include <string>
#include <vector>

#include "app/launches.h"
#include "app/settings_page_values.h"
#include "platform/progress_sink.h"
#include "platform/user_message.h"

class CExclusionListEdit;
class CExtensionListEdit;
class CRssFile;
class CRssItem;
struct CFeedCheckReport;
struct CFtpProfileChoice;
struct COptionValues;

// The questions that commands ask in the middle of their work. A front end that answers without
// asking (the command line's flags, a test script) tells them apart by these, never by their texts.
enum class QuestionId {
  kSaveChanges,          // "%1 への変更を保存しますか?" before the document is replaced (Yes/No/Cancel)
  kOverwriteFile,        // "... は既に存在します。..." before Save As replaces a file
  kOpenCreatedFeed,      // "RSSファイルを作成しました。このファイルを開きますか？" and its kin
  kConfirmUpload,        // "ftpでサーバにアップしますか？"
  kRefreshFromPage,      // "HTMLファイルから最新の情報を得ます。よろしいですか？"
  kDownloadPage,         // "ローカルファイルが見つかりません。ネット上のhtmlから..."
  kCancelDownload,       // "中止しますか？" after the download window's "キャンセル" (OK/Cancel)
  kUpdateExistingItems,  // the folder scan's import meets pages that have items already
  kExcludeFiles,         // "選択したファイルを対象から外しますか？"
  kExcludeFolder,        // "フォルダ ... に所属するファイルを全て対象から外しますか？"
  kRemoveListEntry,      // "... を削除しますか？" in the exclusion and extension lists
  kDeleteItems,          // "選択した項目を削除しますか？"
};

// The answers of the dialog "既存URLです" after a new item's URL was found in the project.
enum class ExistingUrlAnswer { kReplace, kAddBeside, kCancel };

// A file chooser. The filter is the "|"-separated list of description and pattern pairs ending in
// "||", as "RSSﾌｧｲﾙ(*.xml;*.rdf) |*.xml;*.rdf| 全てのﾌｧｲﾙ(*.*) |*.*||".
struct CFileDialogRequest {
  bool save = false;             // a save dialog, else an open dialog
  std::string title;
  std::string filter;
  std::string defaultExt;        // added to a name typed without an extension
  std::string fileName;          // proposed name (may be a pattern such as "*.xml;*.rdf")
  int filterIndex = 1;           // preselected entry, from 1
  bool mustExist = false;        // open: the file must exist
  bool overwritePrompt = false;  // save: ask before replacing an existing file
};

struct CFileDialogResult {
  bool ok = false;
  std::string path;
  int filterIndex = 1;  // the entry chosen, from 1
};

// The marker tag dialog ("更新内容指定タグ"): the two tags an item's page is harvested between, and the
// local page that its "ローカルファイルを開く(&R)" button opens ("" disables the button).
struct CMarkerTagValues {
  std::string startTag;
  std::string endTag;
  std::string localFile;
};

class CInteraction {
public:
  virtual ~CInteraction() = default;

  // A message box; OK-only boxes return MbAnswer::Ok.
  virtual MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) = 0;
  // Shows a message that an operation returned.
  MbAnswer Show(const CUserMessage& message) { return MessageBox(message.text, message.buttons, message.icon); }
  void ShowAll(const std::vector<CUserMessage>& messages);
  // A question in the middle of a command; by default a message box.
  virtual MbAnswer Ask(QuestionId id, const CUserMessage& question);

  // Opens a progress window titled `title`; the caller deletes it to close it.
  virtual CProgressSink* CreateProgress(const std::string& title, bool cancellable);

  // Replaces the clipboard with one text.
  virtual void SetClipboardText(const std::string& text);

  // Opens a local file or an http(s) URL with its default program; runs `program` with `parameter` as
  // its whole parameter string. A launch that fails is reported: which program and why (`role` names
  // the program for the user, "RSSビューア" or "HTMLエディタ"). Some fail only after they started (a
  // launcher that finds nothing to open): they are reported by CheckLaunches.
  virtual void OpenWithShell(const std::string& path);
  virtual void RunProgram(const std::string& program, const std::string& parameter, const std::string& role);
  // Shows the failures of launches that ended since they started; true while some are still watched.
  bool CheckLaunches() { return m_launches.Check(*this); }

  // File and folder choosers. The defaults cancel.
  virtual CFileDialogResult ChooseFile(const CFileDialogRequest& request);
  virtual bool ChooseFolder(const std::string& title, const std::string& initialFolder, std::string& folder);

  // The dialogs over the project, drawn by the desktop app. Each returns true when the user
  // confirmed (OK, Finish); the pages write into the project only then. The defaults cancel.
  // The wizard "RSSの新規作成" (site, local folder, FTP, finish; Next stores the page left) and the sheet
  // "サイトの設定" (site, folder, RSS, Atom, FTP; OK stores the pages displayed), titled `title`.
  virtual bool RunNewProjectWizard(const std::string& title, CRssFile& project);
  virtual bool RunSiteSettings(const std::string& title, CRssFile& project);
  virtual bool RunFtpPage(const std::string& title, CFtpPageValues& values);  // the FTP page alone
  // "ftp設定の参照": `choice.selected` is the profile chosen; true on "この設定".
  virtual bool RunFtpProfileChooser(CFtpProfileChoice& choice);
  // The Options dialog "設定" over `values` (filled by the caller, stored by it on OK).
  virtual bool RunOptionsDialog(COptionValues& values);
  virtual bool RunFolderScan(CRssFile& project);        // "ファイル一覧からの取り込み"; true on "取り込み"
  // The folder scan's list dialogs, over a copy of their list; true on OK (the caller applies it).
  virtual bool RunExclusionListDialog(CExclusionListEdit& list);  // "除外ファイル", files or folders
  virtual bool RunExtensionDialog(CExtensionListEdit& list);      // "拡張子"
  virtual bool RunItemEditor(CRssFile& project, CRssItem& item, bool isNew);
  virtual bool RunCategoryDialog(CRssFile& project, std::string& category);
  virtual bool RunInputDialog(const std::string& prompt, std::string& value);
  // Edits `values.startTag` and `values.endTag`; true on OK.
  virtual bool RunMarkerTagDialog(CMarkerTagValues& values);
  // "既存URLです": a new item's URL is in the project already. The default cancels.
  virtual ExistingUrlAnswer AskExistingUrl();

  // What the check of the feeds a creation command wrote found, after the command's own messages
  // ("フィードの検査"). The default says nothing.
  virtual void ReportFeedCheck(const CFeedCheckReport& report);

protected:
  // A launch is being watched: a front end with an event loop calls CheckLaunches until it returns
  // false.
  virtual void WatchLaunches() {}

private:
  void Watch(CLaunch launch, const std::string& role, const std::string& target);
  CLaunchWatch m_launches;
};
