// The document: the one open file, the project read from it, and the commands on it.
//
// The document owns one project for the whole run and refills it on New and Open. It talks to the
// user only through the interaction interface, so the desktop app, the command line and the tests
// drive the same code.
#pragma once

#include <string>

#include "model/rss_file.h"

// What the open file is; Save writes back in the same kind.
enum DocKind : int { kKindProject = 0, kKindRss10 = 1, kKindRss20 = 2, kKindAtom03 = 3, kKindAtom10 = 4 };

// Open reads a path as a feed when the text after its last "." is "rdf" or "xml" (any letter case).
bool IsFeedPath(const std::string& path);

// The message after both feeds were written ("RSSファイル Atomファイル の作成を完了しました"), and the
// message when neither could be.
std::string FeedsCreatedMessage(bool rss, bool atom);
std::string FeedsNotCreatedMessage();

class CVamelRssDoc {
public:
  CVamelRssDoc();
  virtual ~CVamelRssDoc() = default;
  CVamelRssDoc(const CVamelRssDoc&) = delete;
  CVamelRssDoc& operator=(const CVamelRssDoc&) = delete;

  CRssFile& GetProject() { return m_project; }
  const CRssFile& GetProject() const { return m_project; }
  int GetKind() const { return m_kind; }
  void SetKind(int kind) { m_kind = kind; }
  const std::string& GetPathName() const { return m_pathName; }
  // Sets the path and the title (the file's name); adds the path to the recent-file list.
  void SetPathName(const std::string& path);
  // Forgets the path: an untitled document.
  void ClearPathName();
  const std::string& GetTitle() const { return m_title; }
  virtual bool IsModified() const { return m_modified; }
  virtual void SetModifiedFlag(bool modified = true) { m_modified = modified; }
  // The command line does not touch the desktop's recent-file list.
  void SetRecentFileListEnabled(bool enabled) { m_addToRecent = enabled; }

  // The framework's file operations.
  virtual void DeleteContents();                       // resets the project
  virtual bool OnNewDocument();                        // the new-project wizard; false when cancelled
  virtual bool OnOpenDocument(const std::string& path);  // by extension: "rdf"/"xml" feeds, else a project
  virtual bool OnSaveDocument(const std::string& path);  // in the document's kind
  bool DoSave();        // Save: to the path, or Save As when there is none
  bool DoSaveAs();      // Save As (57604): a file chooser with the five kinds
  // Before New, Open or exit: "%1 への変更を保存しますか?" when modified. False means cancel.
  bool SaveModified();

  // The commands, by their numbers (command_ids.h). False for a number that is not the document's.
  bool OnCommand(int id);

  // Document commands.
  void OnSiteSettings();                 // 32771
  std::string GetRssLinkTag() const;     // <LINK rel="alternate" ... HREF="index.rdf">
  std::string GetAtomLinkTag() const;
  void OnCopyRssTag();                   // 32773, 32794
  void OnCopyAtomTag();                  // 32778
  void OnCreateFeed(int id);             // 32776, 32777, 32799, 32786, 32800, 32797
  void OnCreateRssAndAtom();             // 32798 and the view's button 1007
  void OnImportRss();                    // 32792
  void OnImportFileList();               // 32788
  bool OnFtpUpload();                    // 32774; false when the upload failed (after its message)
  void OnShowRss();                      // 32784, 32787
  void OnShowAtom();                     // 32785
  // Item commands of the list view, on the item at `index` (-1: no current item, nothing happens).
  void OnOpenItemFile(int index);        // 32790
  void OnEditItemFile(int index);        // 32795
  void OnOpenItemUrl(int index);         // 32791

  // Runs the feed viewer with the file's path as its parameter.
  void OpenInViewer(const std::string& path);

  // Tells the views that the item list changed (after an import: the first row becomes current).
  virtual void UpdateAllViews() {}

  // The message of the last failed open or save, as shown to the user.
  const std::string& GetLastError() const { return m_lastError; }

protected:
  // Reads a feed file as the document; the kind becomes the feed's format.
  bool OpenFeedFile(const std::string& path);
  // Save of kinds 1 to 4: the feed writer of the kind (kind 1 by the project's RSS version).
  bool SaveFeedDocument(const std::string& path);
  // Shows a failure message (the file and format errors of project files carry the exclamation icon).
  void ReportError(const std::string& message, bool exclamation);

  CRssFile m_project;
  int m_kind = kKindProject;
  std::string m_pathName;
  std::string m_title;
  bool m_modified = false;
  bool m_addToRecent = true;
  std::string m_lastError;
};
