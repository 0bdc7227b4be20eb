// The main window as a user meets it: start-up, placement, the menus, the item list and its commands,
// the item editor and the preview, driven through real windows and events.
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <filesystem>

#include "model/rss_file.h"
#include "model/rss_item.h"
#include "app/list_layout.h"
#include "app/window_placement.h"
#include "settings/options.h"
#include "settings/recent_files.h"
#include "ui/command_wx_ids.h"
#include "app/vamel_rss_doc.h"
#include "ui/dialogs/existing_url_dialog.h"
#include "ui/dialogs/new_project_wizard.h"
#include "ui/html_ctrl.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/static_link.h"
#include "ui/ui_fixture.h"
#include "ui/vamel_app.h"
#include "ui/wx_text.h"

namespace {

class MainWindow : public UiTest {
protected:
  CVamelRssView& View() { return *frame->View(); }
  CItemListCtrl& List() { return *frame->View()->List(); }
  CRssFile& Project() { return frame->Doc().GetProject(); }
  bool Run(int command) { return frame->RunCommand(command); }
};

// Fills the item editor's URL and title and confirms it, as OK does.
CDialogScript::Handler EditorAnswer(const char* url, const char* title) {
  return [url, title](wxDialog* dialog) {
    EXPECT_EQ(dialog->GetTitle(), Wx("アイテム編集"));
    wxDynamicCast(dialog->FindWindow(XRCID("url")), wxTextCtrl)->SetValue(Wx(url));
    wxDynamicCast(dialog->FindWindow(XRCID("title")), wxTextCtrl)->SetValue(Wx(title));
    dialog->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  };
}

int Answer(int code) { return code; }

}  // namespace

TEST_F(MainWindow, FirstRunPlacementAndBarsSurviveARestart) {
  const std::string file = MakeExampleProject();
  Start(file);
  // No settings yet: 700 by 500 at 100, 100 with both bars, where the window manager shows it.
  EXPECT_TRUE(WaitFor([this] { return FrameOnScreen(frame) == wxRect(100, 100, 700, 500); }, 10)) << FrameOnScreen(frame);
  EXPECT_EQ(frame->GetPosition(), wxPoint(100, 100));
  EXPECT_EQ(frame->GetSize(), wxSize(700, 500));
  EXPECT_TRUE(frame->GetToolBar()->IsShown());
  EXPECT_TRUE(frame->GetStatusBar()->IsShown());
  EXPECT_EQ(frame->GetTitle(), Wx("site.fpj - VamelRss"));
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), Wx("ﾚﾃﾞｨ"));
  EXPECT_EQ(List().GetItemCount(), Project().GetSize());
  EXPECT_GT(List().GetItemCount(), 5);

  // Hide the toolbar and move the window: both come back at the next start.
  ASSERT_TRUE(Run(ID_VIEW_TOOLBAR));
  EXPECT_FALSE(frame->GetToolBar()->IsShown());
  frame->SetSize(150, 120, 640, 480);
  ASSERT_TRUE(WaitFor([this] { return FrameOnScreen(frame) == wxRect(150, 120, 640, 480); }, 10)) << FrameOnScreen(frame);
  Close(frame);
  EXPECT_EQ(GetToolBarOption(), 0);
  EXPECT_EQ(GetWindowRectOption().rfind("150,120,790,600,", 0), 0u) << GetWindowRectOption();
  Start(file);
  EXPECT_FALSE(frame->GetToolBar()->IsShown());
  EXPECT_TRUE(frame->GetStatusBar()->IsShown());
  EXPECT_TRUE(WaitFor([this] { return FrameOnScreen(frame) == wxRect(150, 120, 640, 480); }, 10)) << FrameOnScreen(frame);
  EXPECT_EQ(frame->GetPosition(), wxPoint(150, 120));

}

TEST_F(MainWindow, MaximisedStateSurvivesARestart) {
  const std::string file = MakeExampleProject();
  Start(file);
  frame->Maximize(true);
  ASSERT_TRUE(WaitFor([this] { return frame->IsMaximized(); }));
  Close(frame);
  EXPECT_EQ(GetShowCmdOption(), 3);
  Start(file);
  EXPECT_TRUE(WaitFor([this] { return frame->IsMaximized(); }));
  // The normal rectangle was kept while maximised: not the screen's size.
  CWindowPlacement stored;
  ParsePlacementRect(GetWindowRectOption(), 0, 0, stored);
  EXPECT_EQ(stored.right - stored.left, 700) << GetWindowRectOption();
}

TEST_F(MainWindow, StartupChoosesTheFileTheRecentFileOrTheWizard) {
  // The wizard fills the new project's title and is finished, or cancelled; its runs are counted.
  int wizards = 0;
  bool finish = true;
  auto wizard = [&wizards, &finish](wxDialog* d) {
    ++wizards;
    EXPECT_EQ(d->GetTitle(), Wx("RSSの新規作成"));
    if (!finish) return static_cast<int>(wxID_CANCEL);
    auto* pages = static_cast<CNewProjectWizard*>(d);
    Find<wxTextCtrl>(pages->WizardPage(0), "site_title")->SetValue("from the wizard");
    pages->WizardPage(0)->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  };
  // No file and no recent file: the wizard; its project becomes the untitled document.
  dialogs.Then(wizard);
  CMainFrame* started = StartMainWindow(desktop, "");
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(wizards, 1);
  EXPECT_EQ(started->Doc().GetProject().siteTitle, "from the wizard");
  EXPECT_EQ(started->GetTitle(), Wx("無題 - VamelRss"));
  Close(started);

  // A recent file that was deleted: the wizard again; cancelling it ends the start.
  AddRecentFile(TempPath("gone.fpj"));
  finish = false;
  dialogs.Then(wizard);
  EXPECT_EQ(StartMainWindow(desktop, ""), nullptr);
  EXPECT_EQ(wizards, 2);

  // A file given wins over "InitFile" and the recent list.
  const std::string file = MakeExampleProject();
  started = StartMainWindow(desktop, file);
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(wizards, 2);
  Close(started);
  // The most recent file (now the example project) opens by itself.
  started = StartMainWindow(desktop, "");
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(started->Doc().GetPathName(), file);
  Close(started);
  // A file that cannot be read: its message, and no window.
  WriteFile(TempPath("junk.fpj"), "junk");
  dialogs.Then([](wxDialog* d) {
    EXPECT_NE(wxDynamicCast(d, wxMessageDialog)->GetMessage().utf8_string().find("予期しないﾌｧｲﾙ形式です。"), std::string::npos);
    return Answer(wxID_OK);
  });
  EXPECT_EQ(StartMainWindow(desktop, TempPath("junk.fpj")), nullptr);
}

TEST_F(MainWindow, OpenRemembersItsFilterEntry) {
  const std::string file = MakeExampleProject();
  Start(file);
  // The real chooser gets the title, the five entries and entry 1 preselected.
  dialogs.Then([](wxDialog* d) {
    auto* chooser = wxDynamicCast(d, wxFileDialog);
    EXPECT_EQ(chooser->GetMessage(), Wx("開く"));
    EXPECT_EQ(chooser->GetWildcard(), Wx("VamelRSSﾃﾞｰﾀﾌｧｲﾙ(*.fpj)|*.fpj|RSS/Atomﾌｧｲﾙ(*.rdf;*.xml)|*.rdf;*.xml|"
                                         "RDFﾌｧｲﾙ(*.rdf)|*.rdf|XMLﾌｧｲﾙ(*.xml)|*.xml|全てのﾌｧｲﾙ(*.*)|*.*"));
    EXPECT_EQ(chooser->GetFilterIndex(), 0);
    return Answer(wxID_CANCEL);
  });
  ASSERT_TRUE(Run(ID_FILE_OPEN));
  // A file chosen with the entry "XMLﾌｧｲﾙ(*.xml)": opened, and the entry is preselected next time.
  std::filesystem::copy_file(file, TempPath("copy.fpj"));
  desktop.chooseFile = [this](const CFileDialogRequest& request) {
    EXPECT_EQ(request.filterIndex, 1);
    return CFileDialogResult{true, TempPath("copy.fpj"), 4};
  };
  ASSERT_TRUE(Run(ID_FILE_OPEN));
  EXPECT_EQ(frame->Doc().GetPathName(), TempPath("copy.fpj"));
  EXPECT_EQ(frame->GetTitle(), Wx("copy.fpj - VamelRss"));
  EXPECT_EQ(GetOpenTypeOption(), 4);
  desktop.chooseFile = nullptr;
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxFileDialog)->GetFilterIndex(), 3);
    return Answer(wxID_CANCEL);
  });
  ASSERT_TRUE(Run(ID_FILE_OPEN));
}

TEST_F(MainWindow, SaveAsAsksBeforeReplacingTheFileANameWithoutExtensionGives) {
  const std::string file = MakeExampleProject();
  Start(file);
  WriteFile(TempPath("feed.xml"), "old");
  // "feed" typed into the real chooser, with the entry "RSS2.0ﾌｧｲﾙ(*.xml)", and confirmed.
  dialogs.Then([](wxDialog*) { return Answer(wxID_NONE); });  // wxFileDialog::ShowModal
  dialogs.Then([this](wxDialog* d) {                           // the dialog it runs
    wxDynamicCast(d, wxFileDialog)->SetFilterIndex(2);
    d->CallAfter([this, d] {
      auto* chooser = GTK_FILE_CHOOSER(d->GetHandle());
      gtk_file_chooser_set_current_folder(chooser, TempFolder().c_str());
      gtk_file_chooser_set_current_name(chooser, "feed");
      gtk_dialog_response(GTK_DIALOG(d->GetHandle()), GTK_RESPONSE_ACCEPT);
    });
    return Answer(wxID_NONE);
  });
  dialogs.Then([this](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxMessageDialog)->GetMessage(), ToWx(TempPath("feed.xml")) + Wx(" は既に存在します。\r\n上書きしますか?"));
    return Answer(wxID_NO);
  });
  // The chooser again, with the name that was asked about; cancelled.
  std::string proposed;
  dialogs.Then([](wxDialog*) { return Answer(wxID_NONE); });
  dialogs.Then([&proposed](wxDialog* d) {
    d->CallAfter([&proposed, d] {
      gchar* name = gtk_file_chooser_get_current_name(GTK_FILE_CHOOSER(d->GetHandle()));
      proposed = name ? name : "";
      g_free(name);
      gtk_dialog_response(GTK_DIALOG(d->GetHandle()), GTK_RESPONSE_CANCEL);
    });
    return Answer(wxID_NONE);
  });
  ASSERT_TRUE(Run(ID_FILE_SAVE_AS));
  EXPECT_EQ(proposed, "feed.xml");
  EXPECT_EQ(ReadFile(TempPath("feed.xml")), "old");
  EXPECT_EQ(frame->GetTitle(), Wx("site.fpj - VamelRss"));
}

TEST_F(MainWindow, ItemCommandsOnTheList) {
  const std::string file = MakeExampleProject();
  Start(file);
  // Start from an empty project: add gives row 0, selected.
  Project().DeleteAllItems();
  View().RefreshList(-1);
  dialogs.Then(EditorAnswer("https://yamanote.example.jp/new.html", "new"));
  ASSERT_TRUE(Run(ID_ITEM_ADD));
  ASSERT_EQ(List().GetItemCount(), 1);
  EXPECT_EQ(List().GetCurrent(), 0);
  EXPECT_EQ(List().GetSelectedIndexes(), std::vector<int>{0});
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_EQ(Project().GetAt(0)->title, "new");

  // The same URL again: "既存URLです" and its three answers.
  for (int answer : {CExistingUrlDialog::kAddBesideCode, CExistingUrlDialog::kReplaceCode, int(wxID_CANCEL)}) {
    dialogs.Then(EditorAnswer("https://yamanote.example.jp/new.html", "again"));
    dialogs.Then([answer](wxDialog* d) {
      EXPECT_EQ(d->GetTitle(), Wx("既存URLです"));
      return answer;
    });
    ASSERT_TRUE(Run(ID_ITEM_ADD));
  }
  // Beside: two items with the URL; replace: the first of them goes; cancel: nothing changes.
  ASSERT_EQ(Project().GetSize(), 2);
  EXPECT_EQ(Project().GetAt(0)->title, "again");
  EXPECT_EQ(Project().GetAt(1)->title, "new");

  // Three rows, the focus on the last: delete leaves the focus on the new last row. The new title holds
  // characters that code page 932 lacks: the item and the list keep them.
  dialogs.Then(EditorAnswer("https://yamanote.example.jp/third.html", "third 🍣 café 〜"));
  ASSERT_TRUE(Run(ID_ITEM_ADD));
  ASSERT_EQ(List().GetItemCount(), 3);
  EXPECT_EQ(U(Project().GetAt(0)->title), "third 🍣 café 〜");
  EXPECT_EQ(List().GetItemText(0, 0), Wx("third 🍣 café 〜"));
  List().SelectOnly(2);
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxMessageDialog)->GetMessage(), Wx("選択した項目を削除しますか？"));
    return Answer(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_DELETE));
  EXPECT_EQ(List().GetItemCount(), 2);
  EXPECT_EQ(List().GetCurrent(), 1);

  // The columns follow their widest text both ways: a long title widens the first, and it narrows
  // again when that item is edited shorter or deleted.
  const int narrow = List().GetColumnWidth(0);
  dialogs.Then(EditorAnswer("https://yamanote.example.jp/long.html", "a title much longer than any other title in this list"));
  ASSERT_TRUE(Run(ID_ITEM_ADD));
  EXPECT_GT(List().GetColumnWidth(0), narrow + 100);
  List().SelectOnly(0);
  dialogs.Then(EditorAnswer("https://yamanote.example.jp/long.html", "short"));
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(List().GetColumnWidth(0), narrow);
  dialogs.Then(EditorAnswer("https://yamanote.example.jp/long.html", "a title much longer than any other title in this list"));
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  dialogs.Then([](wxDialog*) { return Answer(wxID_OK); });
  ASSERT_TRUE(Run(ID_ITEM_DELETE));
  EXPECT_EQ(List().GetColumnWidth(0), narrow);
  ASSERT_EQ(List().GetItemCount(), 2);

  // Move up on row 0 and down on the last row do nothing; a move marks the project modified.
  frame->Doc().SetModifiedFlag(false);
  List().SelectOnly(0);
  Run(ID_ITEM_UP);
  EXPECT_FALSE(frame->Doc().IsModified());
  List().SelectOnly(1);
  Run(ID_ITEM_DOWN);
  EXPECT_FALSE(frame->Doc().IsModified());
  Run(ID_ITEM_UP);
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_EQ(List().GetCurrent(), 0);
}

TEST_F(MainWindow, TheListsContextMenuComesOnRowsOnEmptySpaceAndFromTheKeyboard) {
  Start(MakeExampleProject());
  // Each menu that opens is counted and closed with Escape.
  int opened = 0;
  View().Bind(wxEVT_MENU_OPEN, [&opened](wxMenuEvent& event) {
    if (event.GetMenu() && event.GetMenu()->GetMenuItemCount() == 14) {
      ++opened;
      wxTheApp->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    }
    event.Skip();
  });
  auto rightClick = [this, &opened](wxPoint at) {
    const int before = opened;
    wxUIActionSimulator user;
    user.MouseMove(List().ClientToScreen(at));
    user.MouseDown(wxMOUSE_BTN_RIGHT);
    Pump();
    user.MouseUp(wxMOUSE_BTN_RIGHT);
    WaitFor([&opened, before] { return opened > before; }, 10);
    Pump();
    return opened - before;
  };
  wxRect row;
  ASSERT_TRUE(List().GetItemRect(1, row));
  EXPECT_EQ(rightClick(wxPoint(row.x + 20, row.y + row.height / 2)), 1);
  EXPECT_EQ(List().GetCurrent(), 1);
  // The keyboard's way, Shift+F10 in the list.
  List().SetFocus();
  ASSERT_TRUE(WaitFor([this] { return wxWindow::FindFocus() == &List() || List().IsDescendant(wxWindow::FindFocus()); }));
  const int before = opened;
  wxUIActionSimulator().Char(WXK_F10, wxMOD_SHIFT);
  EXPECT_TRUE(WaitFor([&opened, before] { return opened > before; }, 10));
  // A project without items, as it opens: the list is all empty space.
  const std::string empty = TempPath("empty.fpj");
  ASSERT_EQ(RunCommand("'" VAMELRSS_CLI "' new '" + empty + "' --title Empty >/dev/null"), 0);
  ASSERT_TRUE(frame->OpenDocument(empty));
  ASSERT_EQ(List().GetItemCount(), 0);
  EXPECT_EQ(rightClick(wxPoint(40, List().GetClientSize().y / 2)), 1);
}

TEST_F(MainWindow, ItemEditorStoresTheDateAndTimeAndKnowsTheLocalFolder) {
  ScopedTimeZone tz("Asia/Tokyo");
  const std::string file = MakeExampleProject();
  Start(file);
  List().SelectOnly(0);
  dialogs.Then([](wxDialog* d) {
    EXPECT_TRUE(wxDynamicCast(d->FindWindow(XRCID("import")), wxButton)->IsEnabled());
    wxDynamicCast(d->FindWindow(XRCID("date")), wxDatePickerCtrl)->SetValue(wxDateTime(1, wxDateTime::May, 2006));
    wxDynamicCast(d->FindWindow(XRCID("time")), wxTimePickerCtrl)->SetTime(13, 45, 30);
    d->TransferDataFromWindow();
    return Answer(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(Project().GetAt(0)->date, 1146458730);  // 2006-05-01 13:45:30 +09:00

  // Without a local folder the two buttons that need it are disabled; Cancel changes nothing.
  Project().localFolder.clear();
  const std::string title = Project().GetAt(0)->title;
  dialogs.Then([](wxDialog* d) {
    EXPECT_FALSE(wxDynamicCast(d->FindWindow(XRCID("import")), wxButton)->IsEnabled());
    EXPECT_FALSE(wxDynamicCast(d->FindWindow(XRCID("open_local")), wxButton)->IsEnabled());
    EXPECT_TRUE(wxDynamicCast(d->FindWindow(XRCID("tags")), wxButton)->IsEnabled());
    wxDynamicCast(d->FindWindow(XRCID("title")), wxTextCtrl)->SetValue("changed");
    d->TransferDataFromWindow();
    return Answer(wxID_CANCEL);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(Project().GetAt(0)->title, title);
}

TEST_F(MainWindow, ItemEditorShowsADescriptionsLinesAndKeepsItUntilChanged) {
  const std::string file = MakeExampleProject();
  Start(file);
  // A harvested description with CR LF between its lines.
  Project().GetAt(0)->description = J("一行目\r\n二行目");
  List().SelectOnly(0);
  dialogs.Then([](wxDialog* d) {
    d->TransferDataToWindow();
    auto* box = wxDynamicCast(d->FindWindow(XRCID("description")), wxTextCtrl);
    EXPECT_TRUE(box->IsMultiLine());
    EXPECT_EQ(box->GetNumberOfLines(), 2);
    EXPECT_EQ(box->GetLineText(1), Wx("二行目"));
    EXPECT_GE(box->GetSize().y, 2 * box->GetCharHeight());
    d->TransferDataFromWindow();
    return Answer(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(Project().GetAt(0)->description, J("一行目\r\n二行目"));  // untouched, every byte kept
  // Edited, it takes what the user wrote.
  dialogs.Then([](wxDialog* d) {
    d->TransferDataToWindow();
    wxDynamicCast(d->FindWindow(XRCID("description")), wxTextCtrl)->SetValue(Wx("新しい説明"));
    d->TransferDataFromWindow();
    return Answer(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(Project().GetAt(0)->description, J("新しい説明"));
}

TEST_F(MainWindow, PreviewShowsTheItemAndSwallowsAppAddresses) {
  const std::string file = MakeExampleProject();
  Start(file);
  List().SelectOnly(0);
  View().RefreshList(0);
  CHtmlCtrl* preview = View().Preview();
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(preview->PagePath()); }));
  EXPECT_EQ(preview->LastAddress(), preview->PagePath());
  // An "APP:" address is refused before the browser goes there.
  preview->Navigate("APP:close");
  EXPECT_TRUE(WaitFor([&] { return preview->RefusedAppAddresses() > 0; }));
  const std::string page = preview->PagePath();
  Close(frame);
  EXPECT_FALSE(std::filesystem::exists(page));  // the page file goes with the pane
}

TEST_F(MainWindow, EveryMenuCommandHasItsHandler) {
  const std::string file = MakeExampleProject();
  Start(file);
  // Every dialog the commands open is cancelled (or confirmed when it only informs).
  struct CancelAll : wxModalDialogHook {
    CancelAll() { Register(); }
    ~CancelAll() override { Unregister(); }
    int Enter(wxDialog*) override { return wxID_CANCEL; }
    void Exit(wxDialog*) override {}
  } cancelAll;
  std::vector<int> commands;
  std::function<void(wxMenu*)> walk = [&](wxMenu* menu) {
    for (wxMenuItem* item : menu->GetMenuItems()) {
      if (item->IsSubMenu()) walk(item->GetSubMenu());
      else if (!item->IsSeparator() && item->IsEnabled()) commands.push_back(CommandOfWxId(item->GetId()));
    }
  };
  wxMenuBar* bar = frame->GetMenuBar();
  for (size_t i = 0; i < bar->GetMenuCount(); ++i) walk(bar->GetMenu(i));
  EXPECT_GE(commands.size(), 35u);
  for (int command : commands) {
    ASSERT_NE(command, 0) << "a menu entry without a command number";
    if (command == ID_APP_EXIT || command == ID_HOME_PAGE) continue;  // ends the run / starts a browser
    EXPECT_TRUE(Run(command)) << command;
  }
  // The list's context menu and the hidden commands too.
  for (int command : std::initializer_list<int>{ID_COPY_RSS_TAG2, ID_SHOW_RSS2, ID_TEST}) EXPECT_TRUE(Run(command)) << command;
  frame->Doc().SetModifiedFlag(false);
  EXPECT_TRUE(Run(ID_APP_EXIT));
  frame = nullptr;
  Pump();
}

TEST_F(MainWindow, ExitAndSaveAsHaveNoKeysOfTheirOwn) {
  Start(MakeExampleProject());
  frame->Raise();
  ASSERT_TRUE(WaitFor([this] { return wxGetTopLevelParent(wxWindow::FindFocus()) == frame; }));
  // GTK gives its stock items their keys (Ctrl+Q to quit, Shift+Ctrl+S to save as); the menus here have
  // only the keys listed with their texts. Neither key does anything.
  wxUIActionSimulator user;
  user.Char('q', wxMOD_CONTROL);
  user.Char('s', wxMOD_CONTROL | wxMOD_SHIFT);
  for (int i = 0; i < 20; ++i) Pump();
  if (!wxTopLevelWindows.Find(frame) || frame->IsBeingDeleted()) {
    frame = nullptr;
    FAIL() << "the window was closed";
  }
  wxMenuItem* exit = frame->GetMenuBar()->FindItem(WxIdOfCommand(ID_APP_EXIT));
  EXPECT_EQ(exit->GetItemLabel(), Wx("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));
  // Ctrl+N is one of them: it still starts a new project.
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("RSSの新規作成"));
    return Answer(wxID_CANCEL);
  });
  user.Char('n', wxMOD_CONTROL);
  EXPECT_TRUE(WaitFor([this] { return dialogs.Pending() == 0; }, 10));
}

TEST_F(MainWindow, AViewerThatCannotOpenTheNewFeedIsSaidSo) {
  // No viewer set, and the desktop's opener (a stand-in) finds nothing to open the feed with.
  std::filesystem::create_directory(TempPath("bin"));
  WriteFile(TempPath("bin/xdg-open"), "#!/bin/sh\nexit 3\n");
  std::filesystem::permissions(TempPath("bin/xdg-open"), std::filesystem::perms::owner_all);
  const std::string path = std::getenv("PATH");
  setenv("PATH", (TempPath("bin") + ":" + path).c_str(), 1);
  SetRssViewerOption("");
  Start(MakeExampleProject());
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxMessageDialog)->GetMessage(), Wx("RSSファイルを作成しました。このファイルを開きますか？"));
    return Answer(wxID_YES);
  });
  std::string told;
  dialogs.Then([&told](wxDialog* d) {
    told = wxDynamicCast(d, wxMessageDialog)->GetMessage().utf8_string();
    return Answer(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_CREATE_RSS));
  EXPECT_TRUE(WaitFor([this] { return dialogs.Pending() == 0; }, 20));
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(told.rfind("RSSビューア「xdg-open」で「" + Project().localFolder + "/index.rdf」を開けませんでした（開くプログラムが見つかりません）。", 0), 0u) << told;
}

TEST_F(MainWindow, DroppedFilesOpenInTurnAndTheVersionDialogHasItsLinks) {
  const std::string file = MakeExampleProject();
  Start(file);
  // Two project files dropped at once: each is opened in turn, the last stays open.
  std::filesystem::copy_file(file, TempPath("first&.fpj"));
  std::filesystem::copy_file(file, TempPath("second.fpj"));
  auto* dropped = new wxString[2]{ToWx(TempPath("first&.fpj")), ToWx(TempPath("second.fpj"))};
  wxDropFilesEvent drop(wxEVT_DROP_FILES, 2, dropped);  // the event owns the names
  frame->GetEventHandler()->ProcessEvent(drop);
  EXPECT_EQ(frame->Doc().GetPathName(), TempPath("second.fpj"));
  EXPECT_EQ(GetRecentFiles().at(1), TempPath("first&.fpj"));
  // The recent files in the file menu: the number as mnemonic, then the path as it is.
  wxMenuItem* recent1 = frame->GetMenuBar()->FindItem(WxIdOfCommand(ID_FILE_MRU_FIRST));
  wxMenuItem* recent2 = frame->GetMenuBar()->FindItem(WxIdOfCommand(ID_FILE_MRU_FIRST + 1));
  ASSERT_TRUE(recent1 && recent2);
  EXPECT_EQ(recent1->GetItemLabel(), "&1 " + ToWx(TempPath("second.fpj")));
  EXPECT_EQ(recent2->GetItemLabelText(), "2 " + ToWx(TempPath("first&.fpj")));

  // The version dialog: the version line and two links, blue until followed, with the hand pointer.
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("VamelRssのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(wxDynamicCast(d->FindWindow(XRCID("version")), wxStaticText)->GetLabel(), "VamelRss Version 1.01");
    std::vector<CStaticLink*> links;
    std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
      for (wxWindow* child : w->GetChildren()) {
        if (auto* link = dynamic_cast<CStaticLink*>(child)) links.push_back(link);
        walk(child);
      }
    };
    walk(d);
    EXPECT_EQ(links.size(), 2u);
    for (CStaticLink* link : links) {
      EXPECT_EQ(link->GetNormalColour(), wxColour(0, 0, 255));
      EXPECT_EQ(link->GetVisitedColour(), wxColour(128, 0, 128));
      EXPECT_FALSE(link->IsFollowed());
      EXPECT_TRUE(link->GetCursor().IsOk());  // the hand, set when the link is made
    }
    if (links.size() == 2) {
      EXPECT_EQ(links[0]->GetURL(), "mailto:support@vamelrss.org");
      EXPECT_EQ(links[1]->GetURL(), "https://vamelrss.org/");
    }
    return static_cast<int>(wxID_OK);
  });
  EXPECT_TRUE(Run(ID_APP_ABOUT));
}

TEST_F(MainWindow, AtItsSmallestNothingOverlapsOrGoesMissing) {
  Start(MakeExampleProject());
  // GTK's complaints about sizes it cannot give are counted while the window is made small.
  static int complaints = 0;
  const guint handler = g_log_set_handler(
      "Gtk", GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING),
      [](const gchar*, GLogLevelFlags, const gchar* message, gpointer) {
        ++complaints;
        ADD_FAILURE() << message;
      },
      nullptr);
  const wxSize smallest = frame->GetMinSize();
  frame->SetSize(smallest);
  ASSERT_TRUE(WaitFor([&] { return FrameOnScreen(frame).GetSize() == smallest && frame->GetSize() == smallest; }, 10))
      << FrameOnScreen(frame);
  for (int percent : {1, 50, 99}) {
    SetListHeightPercent(percent);
    View().LayoutControls();
    Pump();
    // The column: five buttons, the preview mode and "作成(&X)", apart from each other and from the
    // panes, all inside the view.
    std::vector<wxRect> column;
    for (const char* name : {"追加(&A)...", "編集(&R)...", "削除(&D)...", "一つ上へ(&U)...", "一つ下へ(&W)...", "作成(&X)"}) {
      wxWindow* button = wxWindow::FindWindowByLabel(Wx(name), &View());
      ASSERT_NE(button, nullptr) << name;
      column.push_back(button->GetRect());
    }
    column.push_back(wxWindow::FindWindowById(IDC_PREVIEW_MODE, &View())->GetRect());
    const wxRect client(View().GetClientSize());
    for (size_t a = 0; a < column.size(); ++a) {
      EXPECT_TRUE(client.Contains(column[a])) << percent << " " << a << " " << column[a];
      for (size_t b = a + 1; b < column.size(); ++b) EXPECT_FALSE(column[a].Intersects(column[b])) << percent << " " << a << " " << b;
      EXPECT_FALSE(column[a].Intersects(List().GetRect()));
    }
    // Both panes show something: the list at least its header and a row.
    EXPECT_GE(List().GetSize().y, 2 * (List().GetCharHeight() + 8)) << percent;
    EXPECT_GE(View().Preview()->GetSize().y, 2 * (List().GetCharHeight() + 8)) << percent;
  }
  // The toolbar has room for every button.
  EXPECT_GE(frame->GetToolBar()->GetSize().x, frame->GetToolBar()->GetBestSize().x);
  g_log_remove_handler("Gtk", handler);
  EXPECT_EQ(complaints, 0);
}
