#include "app/vamel_rss_doc.h"

#include "app/options_model.h"
#include "feeds/feed_reader.h"
#include "feeds/feed_writers.h"
#include "model/project_file.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "settings/recent_files.h"

namespace {

std::string FeedReadFailedText() { return Lit("RSSファイルの取り込みに失敗しました"); }

}  // namespace

CVamelRssDoc::CVamelRssDoc(CInteraction& ui) : m_ui(ui), m_title(Lit("無題")) { LoadMarkerDefaults(); }

bool IsFeedPath(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == "rdf" || ext == "xml" || ext == "json";
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

void CVamelRssDoc::DeleteContents() {
  m_project.Reset();
  LoadMarkerDefaults();
}

bool CVamelRssDoc::Report(const CResult<>& result) {
  m_ui.ShowAll(result.messages);
  return result.Ok();
}

CResult<> CVamelRssDoc::Open(const std::string& path) {
  LoadMarkerDefaults();  // as for any project built anew
  if (IsFeedPath(path)) return OpenFeedFile(path);
  m_kind = kKindProject;
  CResult<> result = LoadProjectFile(m_project, path);
  if (!result) return result;
  SetPathName(path);
  m_modified = false;
  return result;
}

CResult<> CVamelRssDoc::Save(const std::string& path) {
  if (m_kind >= kKindRss10 && m_kind <= kKindJson) return SaveFeedDocument(path);
  CResult<> result = SaveProjectFile(m_project, path);
  if (!result) return result;
  SetPathName(path);
  m_modified = false;
  return result;
}

CResult<> CVamelRssDoc::SaveAs(const std::string& path, int kind) {
  if (kind >= kKindProject && kind <= kKindAtom10) m_kind = kind;
  return Save(path);
}

CResult<> CVamelRssDoc::SaveFeedDocument(const std::string& path) {
  CFeedWriteResult written;
  switch (m_kind) {
    case kKindRss10: written = WriteRss(m_project, path); break;
    case kKindRss20: written = WriteRss20(m_project, path); break;
    case kKindAtom03: written = WriteAtom03(m_project, path); break;
    case kKindJson: written = WriteJsonFeed(m_project, path); break;
    default: written = WriteAtom10(m_project, path); break;
  }
  // Writing nothing (no path) and a failed save both leave the file unwritten; the file's own message
  // comes first.
  CResult<> result = CResult<>().Follow(written);
  if (!result) return result.Say(Lit("RSS/Atomファイルを保存できませんでした。使用中のソフト等があれば終了してサイド保存してください"));
  SetPathName(written.value);
  // The file now holds what the user sees, so there is nothing left to save.
  m_modified = false;
  return result;
}

CResult<> CVamelRssDoc::OpenFeedFile(const std::string& path) {
  // Read into a fresh project first: a feed that cannot be read leaves the open document, its path and
  // its title as they were, so a later Save cannot write an emptied project over the previous file.
  CRssFile read;
  CResult<> result = ReadFeed(read, path);
  if (!result) return result.Say(FeedReadFailedText());
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
  // A JSON Feed document writes its own file with the creation and publishing commands.
  if (m_kind == kKindJson) m_project.ext.jsonFeed = true;
  m_modified = false;
  SetPathName(path);
  return result;
}

void CVamelRssDoc::NewFrom(CRssFile& settings) {
  DeleteContents();
  ClearPathName();
  m_modified = false;
  m_project.CopyFrom(settings);
  m_kind = kKindProject;
}

bool CVamelRssDoc::OnOpenDocument(const std::string& path) { return Report(Open(path)); }

bool CVamelRssDoc::OnSaveDocument(const std::string& path) { return Report(Save(path)); }
