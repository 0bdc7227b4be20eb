// The item list's commands as operations: called with their rows, checked by their results.
#include <random>
#include <utility>
#include <vector>

#include "app/item_commands.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "support/test_env.h"

namespace {

class ItemCommands : public VamelTest {
protected:
  // Items "a", "b", "c", ... with URLs https://example.jp/<name>.html and falling dates.
  void Fill(CRssFile& into, int count) {
    for (int i = 0; i < count; ++i) {
      auto item = std::make_unique<CRssItem>(1000000 - i);
      item->title = std::string(1, static_cast<char>('a' + i));
      item->url = "https://example.jp/" + item->title + ".html";
      into.Add(std::move(item));
    }
  }
  static std::string Titles(const CRssFile& of) {
    std::string titles;
    for (int i = 0; i < of.GetSize(); ++i) titles += of.GetAt(i)->title;
    return titles;
  }
  static std::unique_ptr<CRssItem> NewItem(const std::string& title, const std::string& url) {
    auto item = std::make_unique<CRssItem>(5);
    item->title = title;
    item->url = url;
    return item;
  }

  CRssFile project;
};

// The sort as a second, independent reading of the same steps: 0-based, recursive sift-down over
// (date, original index) pairs.
void SiftDown(std::vector<std::pair<int, int>>& a, size_t root, size_t size) {
  size_t child = 2 * root + 1;
  if (child >= size) return;
  // The older child (an earlier date); the left one on a tie.
  if (child + 1 < size && a[child + 1].first < a[child].first) ++child;
  if (a[child].first >= a[root].first) return;
  std::swap(a[root], a[child]);
  SiftDown(a, child, size);
}

std::vector<int> ReferenceOrder(std::vector<std::pair<int, int>> a) {
  for (size_t k = a.size() / 2; k-- > 0;) SiftDown(a, k, a.size());
  for (size_t n = a.size(); n > 1; --n) {
    std::swap(a[0], a[n - 1]);
    SiftDown(a, 0, n - 1);
  }
  std::vector<int> order;
  for (const auto& entry : a) order.push_back(entry.second);
  return order;
}

}  // namespace

TEST_F(ItemCommands, InsertWithEachAnswerToAnExistingUrl) {
  // An empty project: the new item is row 0.
  CItemCommandResult result = InsertNewItem(project, NewItem("n", "https://example.jp/n.html"), ExistingUrlAnswer::kCancel);
  EXPECT_TRUE(result.changed);
  EXPECT_EQ(result.row, 0);
  EXPECT_EQ(Titles(project), "n");

  Fill(project, 2);  // n a b
  result = InsertNewItem(project, NewItem("x", "https://example.jp/b.html"), ExistingUrlAnswer::kCancel);
  EXPECT_FALSE(result.changed);
  EXPECT_EQ(result.row, kNoRefresh);
  EXPECT_EQ(Titles(project), "nab");
  result = InsertNewItem(project, NewItem("x", "https://example.jp/b.html"), ExistingUrlAnswer::kAddBeside);
  EXPECT_EQ(Titles(project), "xnab");  // two items with that URL now
  result = InsertNewItem(project, NewItem("y", "https://example.jp/a.html"), ExistingUrlAnswer::kReplace);
  EXPECT_TRUE(result.changed);
  EXPECT_EQ(result.row, 0);
  EXPECT_EQ(Titles(project), "yxnb");
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ItemCommands, DeleteMoveAndCategory) {
  Fill(project, 3);
  // Deleting the last of three keeps the current row, which RefreshList limits to the new last row.
  CItemCommandResult result = DeleteItems(project, {2});
  EXPECT_TRUE(result.changed);
  EXPECT_EQ(result.row, kRefreshKeepRow);
  EXPECT_EQ(Titles(project), "ab");
  EXPECT_FALSE(DeleteItems(project, {}).changed);
  EXPECT_FALSE(DeleteItems(project, {7, -1}).changed);
  Fill(project, 4);  // a b a b c d
  EXPECT_TRUE(DeleteItems(project, {5, 0, 3, 3}).changed);  // any order, duplicates once
  EXPECT_EQ(Titles(project), "bac");

  // Moving: nothing on the first row up, the last row down, or without a current row.
  EXPECT_FALSE(MoveItemUp(project, 0).changed);
  EXPECT_FALSE(MoveItemDown(project, 2).changed);
  EXPECT_FALSE(MoveItemUp(project, -1).changed);
  EXPECT_FALSE(MoveItemDown(project, -1).changed);
  EXPECT_EQ(Titles(project), "bac");
  result = MoveItemUp(project, 2);
  EXPECT_EQ(result.row, 1);
  EXPECT_TRUE(result.changed);  // a new order is a change worth saving
  EXPECT_EQ(Titles(project), "bca");
  result = MoveItemDown(project, 0);
  EXPECT_EQ(result.row, 1);
  EXPECT_EQ(Titles(project), "cba");

  // A category on five rows at once, then an empty one that clears it.
  project.DeleteAllItems();
  Fill(project, 6);
  result = SetItemsCategory(project, {0, 1, 2, 4, 5}, J("日記"));
  EXPECT_TRUE(result.changed);
  EXPECT_EQ(result.row, kRefreshKeepRow);
  for (int i : {0, 1, 2, 4, 5}) EXPECT_EQ(project.GetAt(i)->category, J("日記"));
  EXPECT_EQ(project.GetAt(3)->category, "");
  SetItemsCategory(project, {0, 1, 2, 4, 5}, "");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(project.GetAt(i)->category, "");
  EXPECT_FALSE(SetItemsCategory(project, {}, "x").changed);
}

TEST_F(ItemCommands, SortMatchesAnIndependentHeapSortOnRandomDatesWithTies) {
  std::mt19937 random(20061208);
  for (int round = 0; round < 200; ++round) {
    project.DeleteAllItems();
    const int count = static_cast<int>(random() % 40);
    std::vector<std::pair<int, int>> dates;
    for (int i = 0; i < count; ++i) {
      // Few distinct dates, so ties are common; negative dates too.
      const int date = static_cast<int>(random() % 7) * 1000 - 2000;
      auto item = std::make_unique<CRssItem>(date);
      item->title = std::to_string(i);
      project.Add(std::move(item));
      dates.push_back({date, i});
    }
    CItemCommandResult result = SortItemsNewestFirst(project);
    EXPECT_EQ(result.row, 0);
    std::vector<int> expected = ReferenceOrder(dates);
    ASSERT_EQ(project.GetSize(), count);
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(project.GetAt(i)->title, std::to_string(expected[static_cast<size_t>(i)])) << "round " << round << " row " << i;
      if (i > 0) {
        ASSERT_GE(project.GetAt(i - 1)->date, project.GetAt(i)->date);
      }
    }
  }
}

TEST_F(ItemCommands, TheDialogsAnswersAndTheTypedQuestion) {
  Fill(project, 3);
  // Add: the new item's URL exists; "既存URLです" answered replace puts it first in place of the other.
  auto added = std::make_unique<CRssItem>();
  added->url = "https://example.jp/b.html";
  added->title = "new";
  CItemCommandResult result = InsertNewItem(project, std::move(added), ExistingUrlAnswer::kReplace);
  EXPECT_EQ(result.row, 0);
  EXPECT_EQ(Titles(project), "newac");
  project.GetAt(2)->title = "edited";

  // Delete asks its question by identity; Cancel keeps everything.
  ui.ExpectQuestion(QuestionId::kDeleteItems, MbAnswer::Cancel);
  EXPECT_FALSE(DeleteItemsCommand(project, {0, 1}, ui).changed);
  EXPECT_EQ(project.GetSize(), 3);
  ui.ExpectQuestion(QuestionId::kDeleteItems, MbAnswer::Ok);
  EXPECT_TRUE(DeleteItemsCommand(project, {0, 1}, ui).changed);
  EXPECT_EQ(Titles(project), "edited");
  EXPECT_EQ(ui.shown.back().text, "選択した項目を削除しますか？");
  EXPECT_EQ(ui.shown.back().buttons, MbButtons::OkCancel);
  EXPECT_EQ(ui.shown.back().icon, MbIcon::Question);
  EXPECT_FALSE(DeleteItemsCommand(project, {}, ui).changed);  // nothing selected: no question

  // Category: one row starts the dialog with its category, several with an empty text.
  project.GetAt(0)->category = "old";
  EXPECT_EQ(CategoryOfSelection(project, {0}), "old");
  EXPECT_TRUE(SetItemsCategory(project, {0}, "new").changed);
  EXPECT_EQ(project.GetAt(0)->category, "new");
  Fill(project, 2);
  EXPECT_EQ(CategoryOfSelection(project, {0, 1}), "");
  EXPECT_EQ(CategoryOfSelection(project, {}), "");
}
