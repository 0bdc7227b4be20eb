#include "app/vamel_rss_doc.h"

#include "model/project_file.h"
#include "platform/file_system.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"

void CVamelRssDoc::SetPathName(const std::string& path) {
  m_pathName = path;
  m_title = NameOf(path);
}

void CVamelRssDoc::DeleteContents() { m_project.Reset(); }

void CVamelRssDoc::ReportError(const std::string& message, bool exclamation) {
  m_lastError = message;
  VamelMessageBox(message, MbButtons::Ok, exclamation ? MbIcon::Exclamation : MbIcon::None);
}

bool CVamelRssDoc::OnOpenDocument(const std::string& path) {
  m_kind = kKindProject;
  std::string message;
  if (!LoadProjectFile(m_project, path, message)) {
    ReportError(message, true);
    return false;
  }
  SetPathName(path);
  m_modified = false;
  return true;
}

bool CVamelRssDoc::OnSaveDocument(const std::string& path) {
  if (m_kind >= kKindRss10 && m_kind <= kKindAtom10) return SaveFeedDocument(path);
  std::string message;
  if (!SaveProjectFile(m_project, path, message)) {
    ReportError(message, true);
    return false;
  }
  SetPathName(path);
  m_modified = false;
  return true;
}

bool CVamelRssDoc::SaveFeedDocument(const std::string& path) {
  // Writing nothing (no path) and a failed save both leave the file unwritten; the save has shown the
  // file's own message first.
  bool saved = false;
  switch (m_kind) {
    case kKindRss10: m_project.WriteRss(path, &saved); break;
    case kKindRss20: m_project.WriteRss20(path, &saved); break;
    case kKindAtom03: m_project.WriteAtom03(path, &saved); break;
    default: m_project.WriteAtom10(path, &saved); break;
  }
  if (!saved) {
    ReportError(Lit("RSS/Atomファイルを保存できませんでした。使用中のソフト等があれば終了してサイド保存してください"), false);
    return false;
  }
  // An empty path wrote the project's own feed path.
  SetPathName(!path.empty() ? path : m_kind <= kKindRss20 ? m_project.GetRssPath() : m_project.GetAtomPath());
  // The file now holds what the user sees, so there is nothing left to save.
  m_modified = false;
  return true;
}
