// The one interface through which the program's operations talk to the user: what every front end
// answers, and nothing more: messages, questions by their identity, file and folder choosers, progress,
// and the platform's clipboard and launches.
//
// The desktop app shows message boxes, the command line answers from its flags, tests answer from a
// script. A front end makes one and passes it to the document and to the operations that ask or report
// progress; nothing below this layer sees it. The windows of the program's own (the wizard, the
// settings sheet, the item editor, the folder scan, ...) are each front end's to open over the
// operations' value objects; no operation opens one. Texts are internal text (code page 932). Every
// message box carries the caption "VamelRss".
#pragma once

#include <string>
#include <vector>

#include "app/launches.h"
#include "platform/progress_sink.h"
#include "platform/user_message.h"

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
  kUpdateLinkTags,       // "次のページのLINKタグを更新しますか？ ..."
};

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

protected:
  // A launch is being watched: a front end with an event loop calls CheckLaunches until it returns
  // false.
  virtual void WatchLaunches() {}

private:
  void Watch(CLaunch launch, const std::string& role, const std::string& target);
  CLaunchWatch m_launches;
};
