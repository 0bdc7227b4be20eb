// The harvesting and transfer windows as a user meets them: the folder scan with its exclusion and
// extension dialogs, the category and marker tag dialogs, the FTP status window during a real upload
// and the download window cancelled against a server that stalls. The dialogs are the real ones, run
// modally and driven by button events and simulated input.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/file_system.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "settings/options.h"
#include "support/test_server.h"
#include "support/missing.h"
#include "ui/command_wx_ids.h"
#include "app/vamel_rss_doc.h"
#include "ui/dialogs/folder_scan_dialog.h"
#include "ui/dialogs/transfer_windows.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/scan_list_ctrl.h"
#include "ui/ui_fixture.h"
#include "ui/vamel_app.h"
#include "ui/wx_text.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// The desktop interaction with the two things a test takes over: the folder chooser (a native window)
// and a look at each transfer window as the core talks to it.
class CHarvestDesktop : public CTestDesktop {
public:
  std::function<bool(const std::string& title, const std::string& initial, std::string& folder)> chooseFolder;
  std::function<CProgressSink*(CProgressSink* window)> watchProgress;

  bool ChooseFolder(const std::string& title, const std::string& initial, std::string& folder) override {
    return chooseFolder ? chooseFolder(title, initial, folder) : CTestDesktop::ChooseFolder(title, initial, folder);
  }
  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override {
    CProgressSink* window = CTestDesktop::CreateProgress(title, cancellable);
    return watchProgress ? watchProgress(window) : window;
  }
};

// Passes everything on to the window and lets a test look at the window after each call.
class CWatchedProgress : public CProgressSink {
public:
  CWatchedProgress(CProgressSink* window, std::function<void(const char* call)> after)
      : m_window(window), m_after(std::move(after)) {}
  void SetStatus(const std::string& text) override {
    m_window->SetStatus(text);
    m_after("status");
  }
  void SetFileText(const std::string& text) override { m_window->SetFileText(text); }
  void SetProgress(unsigned long long received, unsigned long long total) override { m_window->SetProgress(received, total); }
  void SetCountText(const std::string& text) override {
    m_window->SetCountText(text);
    m_after("count");
  }
  bool IsCancelled() override { return m_window->IsCancelled(); }
  void Pump() override { m_window->Pump(); }

private:
  std::unique_ptr<CProgressSink> m_window;
  std::function<void(const char*)> m_after;
};

// The relative paths of the scan's rows, as the application holds them: what the dialog's list must show.
Names ScanPaths(wxDialog* dialog) {
  Names paths;
  for (const CScanRow& row : dynamic_cast<CFolderScanDialog*>(dialog)->Scan().GetRows()) paths.push_back(row.relativePath);
  return paths;
}

wxString Label(wxWindow* window, const char* name) {
  return wxDynamicCast(window->FindWindow(XRCID(name)), wxStaticText)->GetLabel();
}

// Presses a button of a dialog as a click does: its command event, handled where the dialog handles it.
void Press(wxWindow* dialog, int id) {
  auto* button = wxDynamicCast(dialog->FindWindow(id), wxButton);
  ASSERT_NE(button, nullptr) << id;
  ASSERT_TRUE(button->IsEnabled()) << button->GetLabel().utf8_string();
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(click);
}
void Press(wxWindow* dialog, const char* name) { Press(dialog, XRCID(name)); }

// Answers a message box after checking its text.
CDialogScript::Handler Answer(const char* utf8, int code) {
  return [utf8, code](wxDialog* dialog) {
    auto* box = wxDynamicCast(dialog, wxMessageDialog);
    EXPECT_NE(box, nullptr);
    if (box) {
      EXPECT_EQ(box->GetMessage(), Wx(utf8));
    }
    return code;
  };
}

Names RowPaths(CScanListCtrl* list) {
  Names paths;
  for (long row = 0; row < list->GetItemCount(); ++row) paths.push_back(FromWx(list->GetItemText(row, 0)));
  return paths;
}

class HarvestWindows : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    site = TempPath("site");
    fs::create_directories(site);
  }
  void TearDown() override {
    server.Stop();
    UiTest::TearDown();
  }

  // A page of the site, `age` seconds older than the newest.
  void Page(const std::string& relative, int age) {
    const std::string path = site + "/" + relative;
    fs::create_directories(fs::path(path).parent_path());
    WriteFile(path, "<html><head><title>" + relative + "</title></head><body>" + relative + "</body></html>");
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1) - std::chrono::seconds(age));
  }
  // A project over the site without items, opened in the main window.
  void Open() {
    const std::string file = TempPath("site.fpj");
    ASSERT_EQ(RunCommand("'" VAMELRSS_CLI "' new '" + file + "' --title Site --url https://yamanote.example.jp/ --folder '" +
                         site + "' --import-mode 3 >/dev/null"),
              0);
    frame = StartMainWindow(harvest, file);
    ASSERT_NE(frame, nullptr);
    WaitFor([this] { return frame->IsShownOnScreen(); });
    Pump();
  }
  CRssFile& Project() { return frame->Doc().GetProject(); }
  bool Run(int command) { return frame->RunCommand(command); }
  void AddItem(const std::string& relative, TimeValue date) {
    auto item = std::make_unique<CRssItem>(date);
    item->url = "https://yamanote.example.jp/" + relative;
    Project().Add(std::move(item));
  }

  CHarvestDesktop harvest;
  CTestServer server;
  std::string site;
};

TEST_F(HarvestWindows, TheScanShowsTheScansRowsAndSelection) {
  for (int i = 0; i < 30; ++i) Page("p" + std::to_string(100 + i) + ".html", 30 - i);  // p129 newest
  Open();
  dialogs.Then([this](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("ファイル一覧からの取り込み"));
    CScanListCtrl* list = dynamic_cast<CFolderScanDialog*>(d)->List();
    // The list shows the scan's rows in its order, with its preselection (the rules are the scan's).
    const CFolderScan& scan = dynamic_cast<CFolderScanDialog*>(d)->Scan();
    EXPECT_EQ(RowPaths(list), ScanPaths(d));
    EXPECT_EQ(list->GetItemCount(), 30);
    for (int row = 0; row < scan.GetCount(); ++row) EXPECT_EQ(list->IsSelected(row), scan.GetRows()[row].selected) << row;
    EXPECT_EQ(list->GetItemText(0, 0), "p129.html");
    EXPECT_EQ(list->GetItemText(0, 3), "p129.html");
    EXPECT_EQ(FromWx(list->GetItemText(0, 2)), site);
    // The columns, each at least as wide as its header and its texts.
    const char* const titles[] = {"対応URL", "日付", "フォルダ", "ファイル名"};
    for (int column = 0; column < 4; ++column) {
      wxListItem header;
      header.SetMask(wxLIST_MASK_TEXT);
      list->GetColumn(column, header);
      EXPECT_EQ(header.GetText(), Wx(titles[column]));
      EXPECT_GE(list->GetColumnWidth(column), list->GetTextExtent(Wx(titles[column])).GetWidth());
      EXPECT_GE(list->GetColumnWidth(column), list->GetTextExtent(list->GetItemText(0, column)).GetWidth());
    }
    // Every button of the dialog with its label.
    const std::pair<int, const char*> buttons[] = {
        {wxID_OK, "取り込み"},
        {wxID_CANCEL, "閉じる"},
        {XRCID("extensions"), "対象拡張子(E)..."},
        {XRCID("select_new"), "新しいファイルのみ選択(&S)"},
        {XRCID("exclude_files"), "選択ﾌｧｲﾙを(&S)..."},
        {XRCID("exclude_folder"), "選択ﾌｫﾙﾀﾞを(&R)..."},
        {XRCID("excluded_files"), "除外ﾌｧｲﾙ一覧(&F)..."},
        {XRCID("excluded_folders"), "除外ﾌｫﾙﾀﾞ一覧(&D)..."},
    };
    for (const auto& [id, label] : buttons) EXPECT_EQ(d->FindWindow(id)->GetLabel(), Wx(label));
    return static_cast<int>(wxID_CANCEL);
  });
  ASSERT_TRUE(Run(ID_IMPORT_FILE_LIST));
  EXPECT_EQ(Project().GetSize(), 0);
  EXPECT_FALSE(frame->Doc().IsModified());
}

TEST_F(HarvestWindows, NoToTheExistingItemQuestionKeepsTheRowsImportedBeforeIt) {
  for (int i = 1; i <= 5; ++i) Page("p" + std::to_string(i) + ".html", 10 - i);  // p5 newest
  Open();
  AddItem("p3.html", 1000000000);  // older than every page: all five are new
  // The walk goes p1, p2, then asks at p3; No stops it there.
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    EXPECT_EQ(dynamic_cast<CFolderScanDialog*>(d)->List()->GetSelectedItemCount(), 5);
    Press(d, wxID_OK);
  }));
  dialogs.Then(Answer("追加対象に既存のアイテムがあります。既存のアイテムを更新してもよろしいですか？", wxID_NO));
  ASSERT_TRUE(Run(ID_IMPORT_FILE_LIST));
  // "取り込み" reached the import, whose walk (the scan's rule) stopped at the No: the two rows before
  // it are in the project, the list shows them and the project is modified.
  ASSERT_EQ(Project().GetSize(), 3);
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_EQ(frame->View()->List()->GetItemCount(), 3);
  EXPECT_EQ(frame->View()->List()->GetCurrent(), 0);
}

TEST_F(HarvestWindows, ExcludingTheFocusedFolderReachesTheScanAndMarksTheProjectModified) {
  Page("news/a.html", 0);
  Page("news/2005/b.html", 1);
  Page("newsletter/c.html", 2);
  Page("top.html", 3);
  Open();
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    CScanListCtrl* list = dynamic_cast<CFolderScanDialog*>(d)->List();
    ASSERT_EQ(RowPaths(list).front(), "news/a.html");
    list->Focus(0);
    Press(d, "exclude_folder");
    // The focused row's folder went to the scan, and the list shows the scan's rows again.
    EXPECT_EQ(RowPaths(list), ScanPaths(d));
    EXPECT_EQ(RowPaths(list).size(), 2u);
    Press(d, wxID_CANCEL);
  }));
  dialogs.Then(Answer("フォルダ news に所属するファイルを全て対象から外しますか？", wxID_YES));
  ASSERT_TRUE(Run(ID_IMPORT_FILE_LIST));
  EXPECT_EQ(Project().excludedFolders, Names{"news"});
  EXPECT_EQ(Project().GetSize(), 0);
  // Closed with "閉じる", yet the exclusion is a change to keep: the project asks to be saved.
  EXPECT_TRUE(frame->Doc().IsModified());
}

TEST_F(HarvestWindows, ExclusionListDialogsChangeTheProjectOnlyOnOk) {
  Page("news/a.html", 0);
  Page("newsletter/c.html", 1);
  Page("top.html", 2);
  Open();
  Project().excludedFiles = {"top.html"};
  harvest.chooseFolder = [this](const std::string& title, const std::string& initial, std::string& folder) {
    EXPECT_EQ(title, "");  // the chooser's own heading, "フォルダ選択"
    EXPECT_EQ(initial, site);
    folder = site + "/news";
    return true;
  };
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    CScanListCtrl* list = dynamic_cast<CFolderScanDialog*>(d)->List();
    ASSERT_EQ(RowPaths(list), (Names{"news/a.html", "newsletter/c.html"}));
    Press(d, "excluded_files");  // removes its entry, then is cancelled
    EXPECT_EQ(RowPaths(list), (Names{"news/a.html", "newsletter/c.html"}));
    Press(d, "excluded_folders");  // adds "news" and confirms
    EXPECT_EQ(RowPaths(list), (Names{"newsletter/c.html"}));
    Press(d, wxID_CANCEL);
  }));
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("除外ファイル"));
    auto* box = wxDynamicCast(d->FindWindow(XRCID("entries")), wxListBox);
    ASSERT_EQ(box->GetCount(), 1u);
    EXPECT_EQ(box->GetString(0), "top.html");
    EXPECT_FALSE(d->FindWindow(XRCID("remove"))->IsEnabled());  // nothing selected yet
    box->SetSelection(0);
    wxCommandEvent selected(wxEVT_LISTBOX, box->GetId());
    selected.SetEventObject(box);
    selected.SetInt(0);
    box->GetEventHandler()->ProcessEvent(selected);
    Press(d, "remove");
    EXPECT_EQ(box->GetCount(), 0u);
    Press(d, wxID_CANCEL);
  }));
  dialogs.Then(Answer("top.html を削除しますか？", wxID_YES));
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    auto* box = wxDynamicCast(d->FindWindow(XRCID("entries")), wxListBox);
    EXPECT_EQ(box->GetCount(), 0u);
    Press(d, "add");
    ASSERT_EQ(box->GetCount(), 1u);
    EXPECT_EQ(box->GetString(0), "news");
    EXPECT_EQ(box->GetSelection(), 0);
    Press(d, wxID_OK);
  }));
  ASSERT_TRUE(Run(ID_IMPORT_FILE_LIST));
  EXPECT_EQ(Project().excludedFiles, Names{"top.html"});
  EXPECT_EQ(Project().excludedFolders, Names{"news"});
}

TEST_F(HarvestWindows, ExtensionDialogStripsLeadingDotsAndStoresTheList) {
  Page("a.html", 0);
  Page("b.php", 1);
  Open();
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    CScanListCtrl* list = dynamic_cast<CFolderScanDialog*>(d)->List();
    EXPECT_EQ(RowPaths(list), Names{"a.html"});
    Press(d, "extensions");
    EXPECT_EQ(RowPaths(list), (Names{"a.html", "b.php"}));  // scanned again with the new list
    Press(d, wxID_CANCEL);
  }));
  dialogs.Then(CDialogScript::Drive([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("拡張子"));
    auto* box = wxDynamicCast(d->FindWindow(XRCID("entries")), wxListBox);
    EXPECT_EQ(box->GetCount(), 5u);
    Press(d, "add");
    ASSERT_EQ(box->GetCount(), 6u);
    EXPECT_EQ(box->GetString(5), "php");
    Press(d, wxID_OK);
  }));
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), "VamelRSS");
    EXPECT_EQ(Label(d, "prompt"), Wx("追加する拡張子を入力してください"));
    wxDynamicCast(d->FindWindow(XRCID("value")), wxTextCtrl)->SetValue("..php");
    d->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_IMPORT_FILE_LIST));
  EXPECT_EQ(GetExtCountOption(), 6);
  EXPECT_EQ(GetExtNameOption(0), "html");
  EXPECT_EQ(GetExtNameOption(5), "php");
}

TEST_F(HarvestWindows, CategoryOfFiveSelectedRows) {
  for (int i = 0; i < 7; ++i) Page("p" + std::to_string(i) + ".html", i);
  Open();
  for (int i = 0; i < 7; ++i) AddItem("p" + std::to_string(i) + ".html", 1000000000 + i);
  Project().GetAt(0)->category = J("散歩");
  Project().GetAt(2)->category = J("建物");
  Project().GetAt(6)->category = J("散歩");
  frame->View()->RefreshList(0);
  CItemListCtrl* list = frame->View()->List();
  for (int row = 1; row <= 5; ++row) list->Select(row);
  list->Select(0, false);
  ASSERT_EQ(list->GetSelectedIndexes(), (std::vector<int>{1, 2, 3, 4, 5}));
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("カテゴリの変更"));
    d->TransferDataToWindow();  // as showing it does
    auto* combo = wxDynamicCast(d->FindWindow(XRCID("category")), wxComboBox);
    // The project's categories in order of first appearance; several rows start from an empty text.
    EXPECT_EQ(combo->GetCount(), 2u);
    if (combo->GetCount() == 2) {
      EXPECT_EQ(combo->GetString(0), Wx("散歩"));
      EXPECT_EQ(combo->GetString(1), Wx("建物"));
    }
    EXPECT_EQ(combo->GetValue(), "");
    combo->SetValue(Wx("坂道"));
    d->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_CATEGORY));
  for (int row = 1; row <= 5; ++row) EXPECT_EQ(U(Project().GetAt(row)->category), "坂道") << row;
  EXPECT_EQ(U(Project().GetAt(0)->category), "散歩");
  EXPECT_EQ(U(Project().GetAt(6)->category), "散歩");
  EXPECT_TRUE(frame->Doc().IsModified());
}

TEST_F(HarvestWindows, MarkerTagsGoIntoTheItemEvenWhenTheEditorIsCancelled) {
  Page("p.html", 0);
  Open();
  AddItem("p.html", 1000000000);
  frame->View()->RefreshList(0);
  dialogs.Then(CDialogScript::Drive([](wxDialog* editor) {
    Press(editor, "tags");
    editor->EndModal(wxID_CANCEL);
  }));
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("更新内容指定タグ"));
    d->TransferDataToWindow();  // as showing it does
    EXPECT_EQ(Label(d, "text"), Wx("ローカルHTMLファイルから内容を取り込むときにこのタグの範囲内にある内容を取り込みます。"));
    auto* start = wxDynamicCast(d->FindWindow(XRCID("start_tag")), wxTextCtrl);
    auto* end = wxDynamicCast(d->FindWindow(XRCID("end_tag")), wxTextCtrl);
    EXPECT_EQ(start->GetValue(), "<!--VAMELRSS START-->");  // the defaults stand for empty tags
    EXPECT_EQ(end->GetValue(), "<!--VAMELRSS END-->");
    EXPECT_TRUE(d->FindWindow(XRCID("open_local"))->IsEnabled());  // the page is in the local folder
    start->SetValue("<!--FROM-->");
    d->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(Project().GetAt(0)->startTag, "<!--FROM-->");
  EXPECT_EQ(Project().GetAt(0)->endTag, "");  // still the default
}

TEST_F(HarvestWindows, PublishingShowsEachStatusInTheStatusWindow) {
  if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
  Page("p.html", 0);
  Open();
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  const std::string root = TempPath("ftproot");
  fs::create_directories(root + "/public_html");
  std::string error;
  ASSERT_TRUE(server.Start("ftp_server.py", {"--root", root, "--log", TempPath("ftp.log")}, TempFolder(), &error)) << error;
  CRssFile& p = Project();
  p.ftp.Host = "127.0.0.1:" + std::to_string(server.Port());
  p.ftp.User = "alice";
  p.ftp.Pass = "secret";
  p.ftp.RemoteDir = "public_html";
  SetFtpPassiveOption(1);

  // After each status the core sets, what the window shows: its title, its two lines, and whether
  // the main window is disabled meanwhile.
  Names seen;
  harvest.watchProgress = [&](CProgressSink* window) {
    return new CWatchedProgress(window, [&](const char*) {
      wxWindow* shown = harvest.Parent();
      if (!dynamic_cast<CTransferWindow*>(shown)) {
        seen.push_back("no window");
        return;
      }
      seen.push_back(FromWx(shown->GetLabel() + "|" + Label(shown, "status") + "|" + Label(shown, "file")) +
                     (frame->IsEnabled() ? "|main enabled" : ""));
    });
  };
  dialogs.Then(Answer("ftpでサーバにアップしますか？", wxID_YES));
  dialogs.Then([this](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxMessageDialog)->GetMessage(), Wx("転送を完了しました"));
    EXPECT_FALSE(dynamic_cast<CTransferWindow*>(harvest.Parent()));  // the window closed first
    EXPECT_TRUE(frame->IsEnabled());
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_FTP_UPLOAD));
  const Names expected = {J("ftp|接続中|"), J("ftp|接続完了|"), J("ftp|RSSファイル転送中|index.rdf"),
                          J("ftp|Atomファイル転送中|atom.xml"), J("ftp|切断中|atom.xml")};
  EXPECT_EQ(seen, expected);
  EXPECT_NE(ReadFile(root + "/public_html/index.rdf").find("<rdf:RDF"), std::string::npos);
  EXPECT_NE(ReadFile(root + "/public_html/atom.xml").find("<feed"), std::string::npos);
}

TEST_F(HarvestWindows, DownloadFromAStallingServerIsCancelledAndLeavesNoFile) {
  Page("p.html", 0);
  Open();
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  const std::string downloads = TempPath("downloads");
  fs::create_directories(downloads);
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string keptTmp = oldTmp ? oldTmp : "";
  setenv("TMPDIR", downloads.c_str(), 1);
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  // An item whose page is not in the local folder: its refresh downloads it.
  auto item = std::make_unique<CRssItem>(1000000000);
  item->url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/stall";
  item->title = "before";
  Project().Add(std::move(item));
  frame->View()->RefreshList(0);

  // Once the window shows the first block of the stalled body, the user presses "キャンセル".
  Names counts;
  bool pressed = false;
  harvest.watchProgress = [&](CProgressSink* window) {
    return new CWatchedProgress(window, [&](const char* call) {
      wxWindow* shown = harvest.Parent();
      if (std::string(call) != "count" || pressed || !dynamic_cast<CTransferWindow*>(shown)) return;
      counts.push_back(FromWx(shown->GetLabel() + "|" + Label(shown, "status") + "|" + Label(shown, "name") + "|" +
                              Label(shown, "count")));
      pressed = true;
      auto* cancel = wxDynamicCast(shown->FindWindow(XRCID("cancel")), wxButton);
      EXPECT_EQ(cancel->GetLabel(), Wx("キャンセル"));
      shown->CallAfter([cancel] {
        wxUIActionSimulator user;
        user.MouseMove(cancel->GetScreenRect().GetPosition() + cancel->GetSize() / 2);
        user.MouseClick();
      });
    });
  };
  dialogs.Then(CDialogScript::Drive([](wxDialog* editor) {
    Press(editor, "import");
    editor->EndModal(wxID_CANCEL);
  }));
  dialogs.Then(Answer("HTMLファイルから最新の情報を得ます。よろしいですか？", wxID_YES));
  dialogs.Then(Answer("ローカルファイルが見つかりません。ネット上のhtmlから最新の情報を得ます。よろしいですか？", wxID_YES));
  dialogs.Then([&](wxDialog* d) {
    auto* box = wxDynamicCast(d, wxMessageDialog);
    EXPECT_EQ(box->GetMessage(), Wx("中止しますか？"));
    EXPECT_EQ(box->GetTitle(), "VamelRss");
    EXPECT_TRUE(box->GetMessageDialogStyle() & wxICON_QUESTION);
    EXPECT_TRUE(box->GetMessageDialogStyle() & wxCANCEL);
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  if (oldTmp) setenv("TMPDIR", keptTmp.c_str(), 1);
  else unsetenv("TMPDIR");
  EXPECT_EQ(counts, Names{J("ダウンロード|ダウンロード中です|stall|500/100000バイト")});
  // Neither the page nor a partial file, in the shared folder or in the program's private one.
  EXPECT_EQ(CountFolderEntries(downloads), 0);
  for (const auto& entry : fs::directory_iterator(PrivateTempFolder())) {
    EXPECT_EQ(entry.path().filename().string().rfind("VamelHtmlCtrl", 0), 0u) << entry.path();
  }
  EXPECT_EQ(Project().GetAt(0)->title, "before");
  EXPECT_FALSE(dynamic_cast<CTransferWindow*>(harvest.Parent()));
}

}  // namespace
