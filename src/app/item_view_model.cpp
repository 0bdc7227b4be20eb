#include "app/item_view_model.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "platform/path_names.h"
#include "platform/sjis.h"

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

namespace {

// Columns a text takes: a double-byte or carried character two, any other byte one. The date column
// has one width for every row.
size_t DisplayWidth(const CRssItem& item, int column) {
  const std::string& text = column == 0 ? item.title : item.url;
  size_t width = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharLengthAt(text, i);
    width += length > 1 ? 2 : 1;
    i += length;
  }
  return width;
}

}  // namespace

std::vector<int> WidestRows(const CRssFile& project, int column, size_t count) {
  std::vector<std::pair<size_t, int>> widths;
  const int rows = project.GetSize();
  if (column == 1) {
    if (rows > 0) widths.push_back({0, 0});
  } else {
    widths.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) widths.push_back({DisplayWidth(*project.GetAt(row), column), row});
  }
  count = std::min(count, widths.size());
  std::partial_sort(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(count), widths.end(),
                    [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<int> widest;
  for (size_t i = 0; i < count; ++i) widest.push_back(widths[i].second);
  return widest;
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

std::string MakePreviewPagePath() {
  const std::string folder = PrivateTempFolder();
  return folder.empty() ? std::string() : MakeUniquePath(JoinPath(folder, "VamelHtmlCtrl.html"));
}
