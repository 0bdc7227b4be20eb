#include "app/item_editor.h"

#include <limits>

#include "app/launch_commands.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "platform/clock.h"
#include "platform/text_codec.h"

std::vector<std::string> EditorCategories(const CRssFile& project) {
  std::vector<std::string> categories;
  project.CollectCategories(categories);
  return categories;
}

bool EditorHasLocalFolder(const CRssFile& project) { return !project.localFolder.empty(); }

CFileDialogRequest LocalFileBrowseRequest() {
  CFileDialogRequest request;
  request.title = Lit("ローカルファイルの参照");
  request.filter = Lit("htmlﾌｧｲﾙ(*.htm*) |*.htm*| 全てのﾌｧｲﾙ(*.*) |*.*||");
  request.fileName = "*.htm*";
  request.defaultExt = "htm*";
  request.mustExist = true;
  return request;
}

void TakeLocalFile(const CRssFile& project, CItemEditorValues& values, const std::string& path, CInteraction& ui) {
  values.url = LocalPathToUrl(project, path);
  RefreshFromLocalFile(project, values, path, ui);
}

void SetEditorTimeToNow(CItemEditorValues& values) { values.date = CurrentTime(); }

void OpenEditorPage(const CRssFile& project, const std::string& url, CInteraction& ui) {
  OpenInHtmlEditor(ui, UrlToLocalPath(project, url));
}

void OpenMarkerTagPage(const CMarkerTagValues& values, CInteraction& ui) {
  if (!values.localFile.empty()) OpenInHtmlEditor(ui, values.localFile);
}

bool EditorDateTime(int year, int month, int day, int hour, int minute, int second, TimeValue& out) {
  long long t = 0;
  if (!LocalFieldsToTime(year, month, day, hour, minute, second, t)) return false;
  if (t < std::numeric_limits<TimeValue>::min() || t > std::numeric_limits<TimeValue>::max()) return false;
  out = static_cast<TimeValue>(t);
  return true;
}
