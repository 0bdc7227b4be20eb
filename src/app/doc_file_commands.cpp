// Save, Save As and the question before a modified document is replaced.
#include "app/file_questions.h"
#include "app/options_model.h"
#include "app/vamel_rss_doc.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

// Save As: the five kinds, one filter entry each (entry = kind + 1).
constexpr const char* kSaveAsFilter =
    "VamelRSSﾃﾞｰﾀﾌｧｲﾙ(*.fpj) |*.fpj|RSS1.0ﾌｧｲﾙ(*.rdf) |*.rdf|RSS2.0ﾌｧｲﾙ(*.xml) |*.xml|"
    "Atomﾌｧｲﾙ(*.xml) |*.xml|全てのﾌｧｲﾙ(*.*) |*.*||";
constexpr const char* kDefaultExtensions[] = {"fpj", "rdf", "xml", "xml", "xml"};
// Save without a path: the document type's own entry and all files.
constexpr const char* kSaveFilter = "VamelRssﾌｧｲﾙ (*.fpj)|*.fpj|すべてのﾌｧｲﾙ (*.*)|*.*||";

}  // namespace

bool CVamelRssDoc::DoSave() {
  // Untitled, or a file that must not be written: where to save is asked first.
  if (m_pathName.empty() || IsReadOnlyFile(m_pathName)) return DoSaveWithChooser();
  return OnSaveDocument(m_pathName);
}

bool CVamelRssDoc::DoSaveWithChooser() {
  CFileDialogRequest request;
  request.save = true;
  request.title = Lit("名前を付けて保存");
  request.filter = Lit(kSaveFilter);
  request.defaultExt = "fpj";
  request.fileName = m_pathName.empty() ? m_title + ".fpj" : m_pathName;
  request.overwritePrompt = true;
  CFileDialogResult chosen = ChooseSavePath(m_ui, request);
  return chosen.ok && OnSaveDocument(chosen.path);
}

bool CVamelRssDoc::DoSaveAs() {
  CFileDialogRequest request;
  request.save = true;
  request.title = Lit("名前を付けて保存");
  request.filter = Lit(kSaveAsFilter);
  int kind = m_kind >= kKindProject && m_kind <= kKindAtom10 ? m_kind : kKindProject;
  request.defaultExt = kDefaultExtensions[kind];
  request.fileName = m_pathName.empty() ? "rss" : m_pathName;
  request.filterIndex = kind + 1;
  request.overwritePrompt = true;
  CFileDialogResult chosen = ChooseSavePath(m_ui, request);
  if (!chosen.ok) return false;
  // The kind follows the chosen entry, and stays changed even when writing fails.
  return Report(SaveAs(chosen.path, chosen.filterIndex - 1));
}

bool CVamelRssDoc::SaveModified() {
  if (!IsModified()) return true;
  switch (m_ui.Ask(QuestionId::kSaveChanges, SaveChangesQuestion(m_title))) {
    case MbAnswer::Yes: return DoSave();
    case MbAnswer::No: return true;
    default: return false;
  }
}
