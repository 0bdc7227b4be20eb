#include "app/vamel_rss_doc.h"

#include "feeds/feed_reader.h"
#include "model/project_file.h"
#include "platform/file_system.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"

namespace {

// Open reads a path as a feed when the text after its last "." is "rdf" or "xml" (any letter case).
bool IsFeedPath(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == "rdf" || ext == "xml";
}

}  // namespace

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
  if (IsFeedPath(path)) return OpenFeedFile(path);
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

bool CVamelRssDoc::OpenFeedFile(const std::string& path) {
  // Read into a fresh project first: a feed that cannot be read leaves the open document, its path and
  // its title as they were, so a later Save cannot write an emptied project over the previous file.
  CRssFile read;
  if (!ReadFeed(read, path)) {
    ReportError(Lit("RSSファイルの取り込みに失敗しました"), false);
    return false;
  }
  DeleteContents();
  m_project.CopyFrom(read);
  m_project.sourceKind = read.sourceKind;
  m_project.feedId = read.feedId;
  m_kind = read.sourceKind;
  SetOutputFileName(m_project, m_kind, path);
  m_modified = false;
  SetPathName(path);
  return true;
}
