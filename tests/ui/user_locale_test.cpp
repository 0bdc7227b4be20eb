// The desktop app under a Japanese locale (the suite runs as a Japanese user): the toolkit's own file
// chooser and the item editor's date picker speak Japanese, while numbers keep the C locale's form.
#include <gtk/gtk.h>
#include <wx/combo.h>
#include <wx/datectrl.h>
#include <wx/filedlg.h>

#include <clocale>
#include <cstdio>
#include <set>
#include <string>

#include "ui/command_wx_ids.h"
#include "model/rss_file.h"
#include "app/vamel_rss_doc.h"
#include "model/rss_item.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/ui_fixture.h"
#include "ui/wx_text.h"

namespace {

class UserLocale : public UiTest {};

// Every text a GTK widget tree shows: labels, buttons and the titles of list columns.
void CollectTexts(GtkWidget* widget, std::set<std::string>& texts) {
  if (GTK_IS_LABEL(widget)) texts.insert(gtk_label_get_text(GTK_LABEL(widget)));
  if (GTK_IS_TREE_VIEW(widget)) {
    GList* columns = gtk_tree_view_get_columns(GTK_TREE_VIEW(widget));
    for (GList* c = columns; c; c = c->next) {
      if (const char* title = gtk_tree_view_column_get_title(GTK_TREE_VIEW_COLUMN(c->data))) texts.insert(title);
    }
    g_list_free(columns);
  }
  if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(
        GTK_CONTAINER(widget), [](GtkWidget* child, gpointer data) { CollectTexts(child, *static_cast<std::set<std::string>*>(data)); },
        &texts);
  }
}

// The text a date picker shows.
wxString ShownDate(wxWindow* picker) {
  for (wxWindow* child : picker->GetChildren()) {
    if (auto* combo = wxDynamicCast(child, wxComboCtrl)) return combo->GetValue();
  }
  return wxString();
}

}  // namespace

TEST_F(UserLocale, TheToolkitsDialogsAndDatesSpeakJapaneseWhileNumbersDoNot) {
  EXPECT_STREQ(std::setlocale(LC_TIME, nullptr), "ja_JP.UTF-8");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  char number[16];
  std::snprintf(number, sizeof number, "%.1f", 1.5);
  EXPECT_STREQ(number, "1.5");

  Start(MakeExampleProject());
  // The chooser of "開く" as GTK has built it: its places and its columns in Japanese.
  std::set<std::string> texts;
  dialogs.Then([&texts](wxDialog* d) {
    CollectTexts(d->GetHandle(), texts);
    return static_cast<int>(wxID_CANCEL);
  });
  ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
  for (const char* japanese : {"他の場所", "名前", "更新日時"}) EXPECT_EQ(texts.count(japanese), 1u) << japanese;
  EXPECT_EQ(texts.count("Other Locations"), 0u);

  // The item editor's date picker writes the date in the Japanese order.
  frame->Doc().GetProject().GetAt(0)->date = 1146458730;  // 2006-05-01 13:45:30 +09:00
  frame->View()->List()->SelectOnly(0);
  wxString shown;
  dialogs.Then([&shown](wxDialog* d) {
    d->TransferDataToWindow();
    shown = ShownDate(d->FindWindow(XRCID("date")));
    return static_cast<int>(wxID_CANCEL);
  });
  ASSERT_TRUE(frame->RunCommand(ID_ITEM_EDIT));
  EXPECT_EQ(shown, Wx("2006年05月01日"));
}
