// The one interface through which the core talks to the user.
//
// The desktop app shows dialogs, the command line answers from its flags, tests answer from a script.
// Texts are internal text (code page 932). Every message box carries the caption "VamelRss".
#pragma once

#include <string>

class CRssFile;
class CRssItem;

inline constexpr const char* kMessageBoxCaption = "VamelRss";

enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MbIcon { None, Information, Question, Exclamation, Error };
enum class MbAnswer { Ok, Cancel, Yes, No };

// A status or progress window with a cancel flag (the FTP status window, the download progress).
class CProgressSink {
public:
  virtual ~CProgressSink() = default;
  virtual void SetStatus(const std::string& text) = 0;    // status line; lets the window repaint
  virtual void SetFileText(const std::string& text) = 0;  // the file being transferred
  // Bytes received of total; total 0 means the length is unknown.
  virtual void SetProgress(unsigned long long received, unsigned long long total) = 0;
  virtual bool IsCancelled() = 0;
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

// The four FTP values that the FTP settings page edits, and the passive switch.
struct CFtpPageValues {
  std::string host;
  std::string user;
  std::string password;
  std::string remoteDir;
  int passive = 0;
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

  // Opens a progress window titled `title`; the caller deletes it to close it.
  virtual CProgressSink* CreateProgress(const std::string& title, bool cancellable);

  // Replaces the clipboard with one text.
  virtual void SetClipboardText(const std::string& text);

  // Opens a file or URL with its default program; runs `program` with `parameter` as its whole
  // parameter string. Results are not reported (the callers ignore them).
  virtual void OpenWithShell(const std::string& path);
  virtual void RunProgram(const std::string& program, const std::string& parameter);

  // Lets one pending window message through during long blocking work.
  virtual int PumpOneMessage();

  // File and folder choosers. The defaults cancel.
  virtual CFileDialogResult ChooseFile(const CFileDialogRequest& request);
  virtual bool ChooseFolder(const std::string& title, const std::string& initialFolder, std::string& folder);

  // The dialogs over the project, drawn by the desktop app. Each returns true when the user
  // confirmed (OK, Finish); the pages write into the project only then. The defaults cancel.
  virtual bool RunNewProjectWizard(CRssFile& project);  // "RSSの新規作成": site, local folder, FTP
  virtual bool RunSiteSettings(CRssFile& project);      // "サイトの設定": site, folder, RSS, Atom, FTP
  virtual bool RunFtpPage(const std::string& title, CFtpPageValues& values);  // the FTP page alone
  virtual bool RunFolderScan(CRssFile& project);        // "ファイル一覧からの取り込み"; true on "取り込み"
  virtual bool RunItemEditor(CRssFile& project, CRssItem& item, bool isNew);
  virtual bool RunCategoryDialog(CRssFile& project, std::string& category);
  virtual bool RunInputDialog(const std::string& prompt, std::string& value);
  // Edits `values.startTag` and `values.endTag`; true on OK.
  virtual bool RunMarkerTagDialog(CMarkerTagValues& values);
};

// The interaction in use; a plain console one (messages on standard error, questions answered with
// their negative button) until a front end installs its own.
CInteraction& Interaction();

// Installs `interaction` (not owned); nullptr returns to the console default.
void SetInteraction(CInteraction* interaction);

// Shorthand for Interaction().MessageBox.
MbAnswer VamelMessageBox(const std::string& text, MbButtons buttons = MbButtons::Ok, MbIcon icon = MbIcon::None);
