#include "cli/cli_document.h"

#include "app/vamel_rss_doc.h"
#include "cli/cli_output.h"

void OpenDocumentOrFail(CVamelRssDoc& doc, const std::string& fileArg) {
  // The command line leaves the desktop's recent-file list alone.
  doc.SetRecentFileListEnabled(false);
  if (!doc.OnOpenDocument(ArgText(fileArg))) throw CCliFailure(std::string());
}

void SaveDocumentOrFail(CVamelRssDoc& doc) {
  if (!doc.OnSaveDocument(doc.GetPathName())) throw CCliFailure(std::string());
}
