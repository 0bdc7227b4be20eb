// The document's commands: each asks what it needs, calls its operation and shows the result.
#include "app/command_ids.h"
#include "app/feed_commands.h"
#include "app/import_commands.h"
#include "app/launch_commands.h"
#include "app/publish.h"
#include "app/vamel_rss_doc.h"
#include "platform/text_codec.h"

namespace {

constexpr const char* kImportFilter = "RSSﾌｧｲﾙ(*.xml;*.rdf) |*.xml;*.rdf| 全てのﾌｧｲﾙ(*.*) |*.*||";

}  // namespace

bool CVamelRssDoc::OnCommand(int id) {
  FeedCommand feed;
  if (FeedCommandOfId(id, feed)) {
    RunCreateFeed(m_project, feed, m_ui);
    return true;
  }
  switch (id) {
    case ID_SITE_SETTINGS:
      if (m_ui.RunSiteSettings(Lit("サイトの設定"), m_project)) SetModifiedFlag();
      return true;
    case ID_COPY_RSS_TAG:
    case ID_COPY_RSS_TAG2: m_ui.SetClipboardText(GetRssLinkTag(m_project)); return true;
    case ID_COPY_ATOM_TAG: m_ui.SetClipboardText(GetAtomLinkTag(m_project)); return true;
    case ID_FILE_SAVE_AS: DoSaveAs(); return true;
    case ID_CREATE_RSS_AND_ATOM:
    case IDC_CREATE_BUTTON: RunCreateRssAndAtom(m_project, m_ui); return true;
    case ID_IMPORT_RSS: {
      CFileDialogRequest request;
      request.title = Lit("RSSﾌｧｲﾙ名の入力");
      request.filter = Lit(kImportFilter);
      request.defaultExt = "xml";
      request.fileName = "*.xml;*.rdf";
      request.mustExist = true;
      CFileDialogResult chosen = m_ui.ChooseFile(request);
      if (!chosen.ok) return true;
      const CResult<> result = ImportFeedFile(m_project, chosen.path);
      m_ui.ShowAll(result.messages);
      if (result) {
        UpdateAllViews();
        SetModifiedFlag();
      }
      return true;
    }
    case ID_IMPORT_FILE_LIST: {
      // Exclusions made in the dialog stay in the project even when it is closed without importing;
      // they mark the project modified too, or leaving the program would lose them without a question.
      const std::vector<std::string> files = m_project.excludedFiles;
      const std::vector<std::string> folders = m_project.excludedFolders;
      if (m_ui.RunFolderScan(m_project)) {
        UpdateAllViews();
        SetModifiedFlag();
      } else if (files != m_project.excludedFiles || folders != m_project.excludedFolders) {
        SetModifiedFlag();
      }
      return true;
    }
    case ID_FTP_UPLOAD: PublishFeeds(m_project, m_kind, m_ui); return true;
    case ID_SHOW_RSS:
    case ID_SHOW_RSS2: ShowFeedFile(m_project, true, m_ui); return true;
    case ID_SHOW_ATOM: ShowFeedFile(m_project, false, m_ui); return true;
  }
  return false;
}

void CVamelRssDoc::OnOpenItemFile(int index) { OpenItemFile(m_project, index, m_ui); }

void CVamelRssDoc::OnEditItemFile(int index) { EditItemFile(m_project, index, m_ui); }

void CVamelRssDoc::OnOpenItemUrl(int index) { OpenItemUrl(m_project, index, m_ui); }
