#include "cli/cli_document.h"

#include "app/vamel_rss_doc.h"
#include "cli/cli_output.h"

bool IsFeedFileName(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext == "rdf" || ext == "xml";
}

void OpenDocumentOrFail(CVamelRssDoc& doc, const std::string& fileArg) {
  if (!doc.OnOpenDocument(ArgText(fileArg))) throw CCliFailure(std::string());
}

void SaveDocumentOrFail(CVamelRssDoc& doc) {
  if (!doc.OnSaveDocument(doc.GetPathName())) throw CCliFailure(std::string());
}
