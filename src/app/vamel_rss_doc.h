// The document: the one open file and the project read from it.
//
// The document owns one project for the whole run and refills it on New and Open. Its file operations
// (Open, Save, SaveAs, NewFrom) take their inputs as parameters and return what happened with the
// messages to show; the framework-shaped members (OnOpenDocument, DoSave, DoSaveAs, SaveModified) ask
// first through the interaction the document was made with (file choosers, the save-changes question),
// call the operations and show their messages. The commands on the project are each front end's to run
// (app/commands.h); the desktop app, the command line and the tests drive the same operations.
#pragma once

#include <string>
#include <vector>

#include "app/interaction.h"
#include "model/rss_file.h"
#include "platform/result.h"

// What the open file is; Save writes back in the same kind.
enum DocKind : int { kKindProject = 0, kKindRss10 = 1, kKindRss20 = 2, kKindAtom03 = 3, kKindAtom10 = 4, kKindJson = 5 };

// Open reads a path as a feed when the text after its last "." is "rdf" or "xml" (any letter case).
bool IsFeedPath(const std::string& path);

class CVamelRssDoc {
public:
  explicit CVamelRssDoc(CInteraction& ui);
  virtual ~CVamelRssDoc() = default;
  CVamelRssDoc(const CVamelRssDoc&) = delete;
  CVamelRssDoc& operator=(const CVamelRssDoc&) = delete;

  CInteraction& UI() const { return m_ui; }
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

  // File operations.
  virtual void DeleteContents();  // resets the project
  // By extension: "rdf"/"xml" feeds, else a project file. A failure leaves the open document as it was.
  CResult<> Open(const std::string& path);
  // In the document's kind; on success the path becomes the document's and nothing is left to save.
  CResult<> Save(const std::string& path);
  // Save As: the kind becomes `kind` (and stays so even when writing fails), then Save.
  CResult<> SaveAs(const std::string& path, int kind);
  // A new untitled project document that takes over `settings` (the wizard's project, moved out).
  void NewFrom(CRssFile& settings);

  // The framework's file commands over the interaction.
  virtual bool OnOpenDocument(const std::string& path);  // Open, showing its messages
  virtual bool OnSaveDocument(const std::string& path);  // Save, showing its messages
  // Save (57603): to the path; untitled or read-only, first a chooser "名前を付けて保存" with the
  // entries "VamelRssﾌｧｲﾙ (*.fpj)" and "すべてのﾌｧｲﾙ (*.*)" proposing the title plus ".fpj" (or the path).
  bool DoSave();
  bool DoSaveAs();      // Save As (57604): a file chooser with the five kinds
  // Before New, Open or exit: "%1 への変更を保存しますか?" when modified. False means cancel.
  bool SaveModified();

protected:
  CResult<> OpenFeedFile(const std::string& path);
  CResult<> SaveFeedDocument(const std::string& path);
  bool DoSaveWithChooser();
  // Shows the messages of a result; true when it succeeded.
  bool Report(const CResult<>& result);

  CInteraction& m_ui;
  CRssFile m_project;
  int m_kind = kKindProject;
  std::string m_pathName;
  std::string m_title;
  bool m_modified = false;
  bool m_addToRecent = true;
};
