#include "app/vamel_rss_doc.h"

#include "model/project_file.h"
#include "platform/file_system.h"
#include "platform/interaction.h"

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
  std::string message;
  if (!SaveProjectFile(m_project, path, message)) {
    ReportError(message, true);
    return false;
  }
  SetPathName(path);
  m_modified = false;
  return true;
}
