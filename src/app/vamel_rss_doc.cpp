#include "app/vamel_rss_doc.h"

#include "feeds/feed_reader.h"
#include "model/project_file.h"
#include "platform/file_system.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"
#include "settings/recent_files.h"

CVamelRssDoc::CVamelRssDoc() : m_title(Lit("無題")) {}

bool IsFeedPath(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == "rdf" || ext == "xml";
}

void CVamelRssDoc::SetPathName(const std::string& path) {
  m_pathName = path;
  m_title = NameOf(path);
  if (m_addToRecent) AddRecentFile(path);
}

void CVamelRssDoc::ClearPathName() {
  m_pathName.clear();
  m_title = Lit("無題");
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
  // The version settings follow the file, so the commands that write "the RSS file" or "the Atom
  // file" of this document (create, publish) keep its format instead of turning an RSS 2.0 file
  // into RSS 1.0 or an Atom 1.0 file into Atom 0.3.
  if (m_kind == kKindRss10 || m_kind == kKindRss20) m_project.rssVersion = m_kind == kKindRss20 ? 1 : 0;
  if (m_kind == kKindAtom03 || m_kind == kKindAtom10) m_project.atomVersion = m_kind == kKindAtom10 ? 1 : 0;
  m_modified = false;
  SetPathName(path);
  return true;
}
