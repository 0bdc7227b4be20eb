#include "app/item_view_model.h"

#include <ctime>

#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "platform/path_names.h"

const char* ListColumnTitle(int column) {
  static const char* const kTitles[kListColumnCount] = {"タイトル", "日付", "ファイル"};
  return column >= 0 && column < kListColumnCount ? kTitles[column] : "";
}

std::string ListDateText(TimeValue t) {
  std::tm local{};
  if (!ToLocalTime(t, local)) return std::string();
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local));
}

std::string ListCellText(const CRssItem& item, int column) {
  switch (column) {
    case 0: return item.title;
    case 1: return ListDateText(item.date);
    case 2: return item.url;
  }
  return std::string();
}

CPreviewTarget PreviewFor(const CRssFile& project, int index, int mode) {
  CPreviewTarget target;
  if (index < 0 || index >= project.GetSize()) return target;
  switch (mode) {
    case kPreviewLocal: target.text = ItemLocalPath(project, index); break;
    case kPreviewUrl: target.text = project.GetAt(index)->url; break;
    default:
      target.isHtml = true;
      target.text = project.GetAt(index)->GetPreviewHtml();
      break;
  }
  return target;
}

bool IsAppCommandAddress(const std::string& address) {
  if (address.size() < 4) return false;
  const char* app = "app:";
  for (int i = 0; i < 4; ++i) {
    char c = address[static_cast<size_t>(i)];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != app[i]) return false;
  }
  return true;
}

std::string MakePreviewPagePath() { return MakeUniquePath(JoinPath(TempFolder(), "VamelHtmlCtrl.html")); }
