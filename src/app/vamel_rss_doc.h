// The document: the one open file and the project read from it.
#pragma once

#include <string>

#include "model/rss_file.h"

// What the open file is; Save writes back in the same kind.
enum DocKind : int { kKindProject = 0, kKindRss10 = 1, kKindRss20 = 2, kKindAtom03 = 3, kKindAtom10 = 4 };

class CVamelRssDoc {
public:
  CVamelRssDoc() = default;
  virtual ~CVamelRssDoc() = default;

  CRssFile& GetProject() { return m_project; }
  const CRssFile& GetProject() const { return m_project; }
  int GetKind() const { return m_kind; }
  void SetKind(int kind) { m_kind = kind; }
  const std::string& GetPathName() const { return m_pathName; }
  void SetPathName(const std::string& path);
  const std::string& GetTitle() const { return m_title; }
  bool IsModified() const { return m_modified; }
  void SetModifiedFlag(bool modified = true) { m_modified = modified; }

  // Resets the project to its defaults.
  virtual void DeleteContents();
  // Opens by extension: "rdf" and "xml" as feeds, anything else as a project file.
  virtual bool OnOpenDocument(const std::string& path);
  // Writes the document in its kind to `path`.
  virtual bool OnSaveDocument(const std::string& path);

  // The message of the last failed open or save, as shown to the user.
  const std::string& GetLastError() const { return m_lastError; }

protected:
  // Reads a feed file as the document; the kind becomes the feed's format.
  bool OpenFeedFile(const std::string& path);
  // Save of kinds 1 to 4: the feed writer of the kind (kind 1 by the project's RSS version).
  bool SaveFeedDocument(const std::string& path);
  // Shows a failure message (the framework's file and format errors carry the exclamation icon).
  void ReportError(const std::string& message, bool exclamation);

  CRssFile m_project;
  int m_kind = kKindProject;
  std::string m_pathName;
  std::string m_title;
  bool m_modified = false;
  std::string m_lastError;
};
