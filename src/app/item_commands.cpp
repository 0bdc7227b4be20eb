#include "app/item_commands.h"

#include <algorithm>

#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/text_codec.h"

namespace {

bool IsRow(const CRssFile& project, int row) { return row >= 0 && row < project.GetSize(); }

// Swaps the items at rows a and b.
void SwapItems(CRssFile& project, int a, int b) {
  std::unique_ptr<CRssItem> first = project.SetAt(a, nullptr);
  first = project.SetAt(b, std::move(first));
  project.SetAt(a, std::move(first));
}

}  // namespace

CItemCommandResult InsertNewItem(CRssFile& project, std::unique_ptr<CRssItem> item, ExistingUrlAnswer answer) {
  const int existing = project.FindItemByUrl(item->url);
  if (existing >= 0) {
    if (answer == ExistingUrlAnswer::kCancel) return CItemCommandResult();
    if (answer == ExistingUrlAnswer::kReplace) project.DeleteAt(existing);
  }
  project.InsertAt(0, std::move(item));
  return CItemCommandResult{true, 0};
}

CItemCommandResult DeleteItems(CRssFile& project, std::vector<int> rows) {
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int row) { return !IsRow(project, row); }), rows.end());
  if (rows.empty()) return CItemCommandResult();
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  // From the last to the first, so the lower rows keep their places.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) project.DeleteAt(*it);
  return CItemCommandResult{true, kRefreshKeepRow};
}

CItemCommandResult MoveItemUp(CRssFile& project, int current) {
  if (!IsRow(project, current) || current < 1) return CItemCommandResult();
  SwapItems(project, current - 1, current);
  return CItemCommandResult{true, current - 1};
}

CItemCommandResult MoveItemDown(CRssFile& project, int current) {
  if (!IsRow(project, current) || current >= project.GetSize() - 1) return CItemCommandResult();
  SwapItems(project, current, current + 1);
  return CItemCommandResult{true, current + 1};
}

void SortItemsByDate(CRssFile& project) {
  // Positions 1 to n as in the classic formulation; a[k] is the item at index k - 1.
  const int n = project.GetSize();
  std::vector<std::unique_ptr<CRssItem>> a(static_cast<size_t>(n) + 1);
  for (int k = 1; k <= n; ++k) a[static_cast<size_t>(k)] = project.SetAt(k - 1, nullptr);
  // older(x, y): y's date is earlier than x's, that is y is the older of the two.
  auto older = [](const CRssItem& x, const CRssItem& y) { return y.date < x.date; };
  auto at = [&a](long long k) -> std::unique_ptr<CRssItem>& { return a[static_cast<size_t>(k)]; };
  auto siftDown = [&](std::unique_ptr<CRssItem> v, long long i, long long m) {
    long long j = 2 * i;
    while (j <= m) {
      if (j < m && older(*at(j), *at(j + 1))) ++j;
      // Stop when a[j] is not older than v: its date is equal to v's or later.
      if (!(v->date > at(j)->date)) break;
      at(i) = std::move(at(j));
      i = j;
      j = 2 * j;
    }
    at(i) = std::move(v);
  };
  for (long long k = n / 2; k >= 1; --k) siftDown(std::move(at(k)), k, n);
  for (long long m = n; m > 1;) {
    std::unique_ptr<CRssItem> v = std::move(at(m));
    at(m) = std::move(at(1));
    --m;
    siftDown(std::move(v), 1, m);
  }
  for (int k = 1; k <= n; ++k) project.SetAt(k - 1, std::move(a[static_cast<size_t>(k)]));
}

CItemCommandResult SortItemsNewestFirst(CRssFile& project) {
  SortItemsByDate(project);
  return CItemCommandResult{true, 0};
}

CItemCommandResult SetItemsCategory(CRssFile& project, const std::vector<int>& rows, const std::string& category) {
  bool any = false;
  for (int row : rows) {
    if (!IsRow(project, row)) continue;
    project.GetAt(row)->category = category;
    any = true;
  }
  if (!any) return CItemCommandResult();
  return CItemCommandResult{true, kRefreshKeepRow};
}

CItemCommandResult DeleteItemsCommand(CRssFile& project, const std::vector<int>& selected, CInteraction& ui) {
  if (selected.empty()) return CItemCommandResult();
  CUserMessage question{Lit("選択した項目を削除しますか？"), MbButtons::OkCancel, MbIcon::Question};
  if (ui.Ask(QuestionId::kDeleteItems, question) != MbAnswer::Ok) return CItemCommandResult();
  return DeleteItems(project, selected);
}

std::string CategoryOfSelection(const CRssFile& project, const std::vector<int>& selected) {
  if (selected.size() == 1 && IsRow(project, selected[0])) return project.GetAt(selected[0])->category;
  return std::string();
}
