// The document's commands: site settings, link tags, feed creation, import, publish and viewers.
#include "app/command_ids.h"
#include "app/ftp_profile_mode.h"
#include "app/vamel_rss_doc.h"
#include "feeds/feed_reader.h"
#include "net/feed_upload.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"
#include "settings/program_lookup.h"

namespace {

constexpr const char* kCreateFailed = "作成できませんでした。サイト設定のファイル名等を確認してください";
constexpr const char* kImportFilter = "RSSﾌｧｲﾙ(*.xml;*.rdf) |*.xml;*.rdf| 全てのﾌｧｲﾙ(*.*) |*.*||";

// One feed-creation command: its writer, the file it offers for viewing, its question.
struct FeedCommand {
  int id;
  bool (CRssFile::*write)(const std::string&, bool*);
  bool rssPath;
  const char* question;
};

const FeedCommand kFeedCommands[] = {
    {ID_CREATE_RSS, &CRssFile::WriteRss, true, "RSSファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM, &CRssFile::WriteAtom, false, "Atomファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_RSS10, &CRssFile::WriteRss10, true, "RSS1.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_RSS20, &CRssFile::WriteRss20, true, "RSS2.0ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM03, &CRssFile::WriteAtom03, false, "Atom0.3ファイルを作成しました。このファイルを開きますか？"},
    {ID_CREATE_ATOM10, &CRssFile::WriteAtom10, false, "Atom1.0ファイルを作成しました。このファイルを開きますか？"},
};

}  // namespace

std::string FeedsCreatedMessage(bool rss, bool atom) {
  std::string message;
  if (rss) message += Lit("RSSファイル ");
  if (atom) message += Lit("Atomファイル ");
  return message + Lit("の作成を完了しました");
}

std::string FeedsNotCreatedMessage() { return Lit(kCreateFailed); }

namespace {

std::string LinkTag(const char* title, const char* type, const std::string& fileName) {
  return std::string("<LINK rel=\"alternate\" TITLE=\"") + title + "\" TYPE=\"" + type + "\" HREF=\"" + fileName + "\">";
}

}  // namespace

bool CVamelRssDoc::OnCommand(int id) {
  switch (id) {
    case ID_SITE_SETTINGS: OnSiteSettings(); return true;
    case ID_COPY_RSS_TAG:
    case ID_COPY_RSS_TAG2: OnCopyRssTag(); return true;
    case ID_COPY_ATOM_TAG: OnCopyAtomTag(); return true;
    case ID_FILE_SAVE_AS: DoSaveAs(); return true;
    case ID_CREATE_RSS:
    case ID_CREATE_ATOM:
    case ID_CREATE_RSS10:
    case ID_CREATE_RSS20:
    case ID_CREATE_ATOM03:
    case ID_CREATE_ATOM10: OnCreateFeed(id); return true;
    case ID_CREATE_RSS_AND_ATOM:
    case IDC_CREATE_BUTTON: OnCreateRssAndAtom(); return true;
    case ID_IMPORT_RSS: OnImportRss(); return true;
    case ID_IMPORT_FILE_LIST: OnImportFileList(); return true;
    case ID_FTP_UPLOAD: OnFtpUpload(); return true;
    case ID_SHOW_RSS:
    case ID_SHOW_RSS2: OnShowRss(); return true;
    case ID_SHOW_ATOM: OnShowAtom(); return true;
  }
  return false;
}

void CVamelRssDoc::OnSiteSettings() {
  if (Interaction().RunSiteSettings(m_project)) SetModifiedFlag();
}

std::string CVamelRssDoc::GetRssLinkTag() const {
  return LinkTag("RSS", "application/rss+xml", m_project.rssFileName);
}

std::string CVamelRssDoc::GetAtomLinkTag() const {
  return LinkTag("Atom", "application/atom+xml", m_project.atomFileName);
}

void CVamelRssDoc::OnCopyRssTag() { Interaction().SetClipboardText(GetRssLinkTag()); }

void CVamelRssDoc::OnCopyAtomTag() { Interaction().SetClipboardText(GetAtomLinkTag()); }

void CVamelRssDoc::OnCreateFeed(int id) {
  for (const FeedCommand& command : kFeedCommands) {
    if (command.id != id) continue;
    bool saved = false;
    (m_project.*command.write)(std::string(), &saved);
    // A file that could not be saved has shown its error already; it is no success either.
    if (!saved) {
      VamelMessageBox(FeedsNotCreatedMessage());
      return;
    }
    if (VamelMessageBox(Lit(command.question), MbButtons::YesNo, MbIcon::Information) == MbAnswer::Yes)
      OpenInViewer(command.rssPath ? m_project.GetRssPath() : m_project.GetAtomPath());
    return;
  }
}

void CVamelRssDoc::OnCreateRssAndAtom() {
  bool rss = false, atom = false;
  m_project.WriteRss(std::string(), &rss);
  m_project.WriteAtom(std::string(), &atom);
  VamelMessageBox(!rss && !atom ? FeedsNotCreatedMessage() : FeedsCreatedMessage(rss, atom));
}

void CVamelRssDoc::OnImportRss() {
  CFileDialogRequest request;
  request.title = Lit("RSSﾌｧｲﾙ名の入力");
  request.filter = Lit(kImportFilter);
  request.defaultExt = "xml";
  request.fileName = "*.xml;*.rdf";
  request.mustExist = true;
  CFileDialogResult chosen = Interaction().ChooseFile(request);
  if (!chosen.ok) return;
  if (!ReadFeed(m_project, chosen.path)) {
    VamelMessageBox(Lit("RSSファイルの取り込みに失敗しました"));
    return;
  }
  VamelMessageBox(Lit("RSSファイルを取り込みました"));
  UpdateAllViews();
  SetModifiedFlag();
}

void CVamelRssDoc::OnImportFileList() {
  if (!Interaction().RunFolderScan(m_project)) return;
  UpdateAllViews();
  SetModifiedFlag();
}

bool CVamelRssDoc::OnFtpUpload() {
  bool rss = false, atom = false;
  m_project.WriteRss(std::string(), &rss);
  m_project.WriteAtom(std::string(), &atom);
  // The upload goes on even then: files written earlier may still be there to send.
  if (!rss && !atom) VamelMessageBox(FeedsNotCreatedMessage());
  if (m_kind == kKindProject) {
    if (VamelMessageBox(Lit("ftpでサーバにアップしますか？"), MbButtons::YesNo, MbIcon::Question) != MbAnswer::Yes)
      return true;
  } else if (!RunFtpProfileMode(m_project, Lit("ftp転送"))) {
    return true;
  }
  return UploadFeedFiles(m_project);
}

void CVamelRssDoc::OnShowRss() {
  std::string path = m_project.GetRssPath();
  if (path.empty()) VamelMessageBox(Lit("RSSファイル名が設定されていません"));
  else OpenInViewer(path);
}

void CVamelRssDoc::OnShowAtom() {
  std::string path = m_project.GetAtomPath();
  if (path.empty()) VamelMessageBox(Lit("Atomファイル名が設定されていません"));
  else OpenInViewer(path);
}

void CVamelRssDoc::OnOpenItemFile(int index) {
  if (index < 0 || index >= m_project.GetSize()) return;
  Interaction().OpenWithShell(m_project.ItemLocalPath(index));
}

void CVamelRssDoc::OnEditItemFile(int index) {
  if (index < 0 || index >= m_project.GetSize()) return;
  Interaction().RunProgram(GetHtmlEditorProgram(), m_project.ItemLocalPath(index));
}

void CVamelRssDoc::OnOpenItemUrl(int index) {
  if (index < 0 || index >= m_project.GetSize()) return;
  Interaction().OpenWithShell(m_project.GetAt(index)->url);
}

void CVamelRssDoc::OpenInViewer(const std::string& path) { Interaction().RunProgram(GetRssViewerProgram(), path); }
