// The settings dialogs as a user meets them: the sheet "サイトの設定", the wizard "RSSの新規作成", the
// FTP page alone before an upload, the profile chooser "ftp設定の参照" and the Options dialog "設定",
// each opened for real, filled through its controls and buttons, and checked in the project and the
// settings store afterwards.
#include <wx/bookctrl.h>
#include <wx/stattext.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/treebook.h>
#include <wx/treectrl.h>
#include <wx/uiaction.h>
#include <wx/wizard.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "app/ftp_profile_mode.h"
#include "app/list_layout.h"
#include "model/password_scramble.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "settings/options.h"
#include "settings/program_lookup.h"
#include "support/media_files.h"
#include "app/vamel_rss_doc.h"
#include "ui/command_wx_ids.h"
#include "ui/dialogs/item_editor_dialog.h"
#include "ui/dialogs/new_project_wizard.h"
#include "ui/dialogs/section_settings_page.h"
#include "ui/dialogs/settings_pages.h"
#include "ui/dialogs/settings_sheet_dialog.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/ui_fixture.h"
#include "ui/vamel_app.h"
#include "ui/wx_text.h"

namespace {

// The sheet's pages in the model's order; the tabs are the first five and "拡張", which holds the rest.
enum SheetTab { kSiteTab, kDirTab, kRssTab, kAtomTab, kFtpTab, kExtTab, kJsonTab, kNotifyTab, kSectionsTab, kPodcastTab };
constexpr size_t kExtensionsTab = 5;

template <class T>
T* Control(wxWindow* parent, const char* name) {
  T* control = wxDynamicCast(parent->FindWindow(XRCID(name)), T);
  EXPECT_NE(control, nullptr) << name;
  return control;
}

wxTextCtrl* Text(wxWindow* parent, const char* name) { return Control<wxTextCtrl>(parent, name); }

// Presses a button as a click does: its event, from the button itself, handled where wx handles it.
void Click(wxWindow* button) {
  ASSERT_NE(button, nullptr);
  wxCommandEvent event(wxEVT_BUTTON, button->GetId());
  event.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(event);
}

void Click(wxWindow* dialog, int id) { Click(dialog->FindWindow(id)); }
void Click(wxWindow* dialog, const char* name) { Click(dialog->FindWindow(XRCID(name))); }

// Chooses a list entry as the user does, with the event the choice sends.
void Choose(wxChoice* choice, int index) {
  choice->SetSelection(index);
  wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
  event.SetEventObject(choice);
  event.SetInt(index);
  choice->GetEventHandler()->ProcessEvent(event);
}

// A message box with exactly this text, answered with `code`.
CDialogScript::Handler Message(const char* utf8, int code = wxID_OK) {
  return [utf8, code](wxDialog* dialog) {
    auto* box = wxDynamicCast(dialog, wxMessageDialog);
    EXPECT_NE(box, nullptr);
    if (box) {
      EXPECT_EQ(box->GetMessage(), Wx(utf8));
      EXPECT_EQ(box->GetTitle(), "VamelRss");
    }
    return code;
  };
}

class SettingsDialogs : public UiTest {
protected:
  // Runs `drive` inside the dialog's own modal loop once the dialog is on the screen. A dialog that
  // `drive` leaves open is a failure, and is cancelled so that the test goes on.
  static CDialogScript::Handler Drive(std::function<void(wxDialog*)> drive) {
    return [drive](wxDialog* dialog) {
      dialog->CallAfter([dialog, drive] {
        EXPECT_TRUE(WaitFor([dialog] { return dialog->IsShownOnScreen(); }));
        drive(dialog);
        if (dialog->IsModal()) {
          ADD_FAILURE() << "the dialog was left open: " << dialog->GetTitle().utf8_string();
          dialog->EndModal(wxID_CANCEL);
        }
      });
      return static_cast<int>(wxID_NONE);
    };
  }

  CRssFile& Project() { return frame->Doc().GetProject(); }
  bool Run(int command) { return frame->RunCommand(command); }

  // The sheet's page `tab`, displayed as clicks display it: on its tab, or on "拡張" and its entry of the list.
  static CSettingsPagePanel* ShowTab(wxDialog* dialog, int tab) {
    auto* sheet = static_cast<CSettingsSheetDialog*>(dialog);
    if (tab < kExtTab) {
      sheet->GetBookCtrl()->SetSelection(static_cast<size_t>(tab));
    } else {
      sheet->GetBookCtrl()->SetSelection(kExtensionsTab);
      sheet->ExtensionBook()->SetSelection(static_cast<size_t>(tab - kExtTab));
    }
    return sheet->Page(tab);
  }
  static int CurrentTab(wxDialog* dialog) { return static_cast<CSettingsSheetDialog*>(dialog)->CurrentPage(); }

  // The sibling editor installed, with two FTP profiles; the second one's local folder is `siteFolder`.
  void InstallSiblingProfiles(const std::string& siteFolder) {
    CVamelProfile sibling("Quillstone", "Marrowpad");
    sibling.PutInt("ftp", "SetNo", 0);
    sibling.PutInt("ftp", "Count", 2);
    sibling.PutString("ftp", "Name0", J("本家"));
    sibling.PutString("ftp", "Host0", "ftp.honke.example.jp");
    sibling.PutString("ftp", "User0", "honke");
    sibling.PutString("ftp", "LocalDir0", "/srv/honke");
    sibling.PutString("ftp", "RemoteDir0", "www");
    sibling.PutString("ftp", "Name1", J("山の手"));
    sibling.PutString("ftp", "Host1", "ftps://ftp.yamanote.example.jp:990");
    sibling.PutString("ftp", "User1", "sakano");
    sibling.PutString("ftp", "Pass1", ScramblePassword("Kaidan-42"));
    sibling.PutString("ftp", "LocalDir1", siteFolder);
    sibling.PutString("ftp", "RemoteDir1", "public_html/diary");
    ASSERT_TRUE(IsSiblingEditorInstalled());
  }
};

}  // namespace


TEST_F(SettingsDialogs, CancellingTheSheetAfterEditingTwoPagesChangesNothing) {
  Start(MakeExampleProject());
  Project().ftp.Host = "ftp.example.jp";
  const std::string store = ReadFile(AppProfile().GetStorePath());
  const std::string title = Project().siteTitle;
  const int rssCount = Project().rssCount;
  dialogs.Then(Drive([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("サイトの設定"));
    auto* book = static_cast<CSettingsSheetDialog*>(d)->GetBookCtrl();
    ASSERT_EQ(book->GetPageCount(), 6u);
    const char* tabs[] = {"サイト情報", "ファイル", "RSS", "Atom", "ftp設定", "拡張"};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(book->GetPageText(i), Wx(tabs[i]));
    wxBookCtrlBase* list = static_cast<CSettingsSheetDialog*>(d)->ExtensionBook();
    ASSERT_EQ(list->GetPageCount(), 5u);
    const char* entries[] = {"全般", "JSON Feed", "更新通知", "セクション", "ポッドキャスト"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(list->GetPageText(i), Wx(entries[i]));
    EXPECT_EQ(d->FindWindow(wxID_APPLY), nullptr);  // no Apply button
    Text(d, "site_title")->SetValue("changed");
    wxWindow* rss = ShowTab(d, kRssTab);
    Text(rss, "feed_count")->SetValue("7");
    Choose(Control<wxChoice>(rss, "feed_mode"), 0);
    wxWindow* ftp = ShowTab(d, kFtpTab);
    Text(ftp, "ftp_host")->SetValue("elsewhere");
    Control<wxCheckBox>(ftp, "ftp_passive")->SetValue(true);
    Click(d, wxID_CANCEL);
  }));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(Project().siteTitle, title);
  EXPECT_EQ(Project().rssCount, rssCount);
  EXPECT_EQ(CRssFile::rssMode, 2);
  EXPECT_EQ(Project().ftp.Host, "ftp.example.jp");
  EXPECT_EQ(ReadFile(AppProfile().GetStorePath()), store);  // "ftppasv" not written
  EXPECT_FALSE(frame->Doc().IsModified());
}

TEST_F(SettingsDialogs, OkStoresOnlyThePagesThatWereDisplayed) {
  Start(MakeExampleProject());
  // Values no page would give back unchanged if it stored: an odd version and count, a password.
  Project().rssVersion = 7;
  Project().rssCount = -5;
  Project().atomVersion = 1;
  Project().ftp.Host = "ftp.example.jp";
  Project().ftp.Pass = "secret";
  CRssFile::rssMode = 1;
  CRssFile::atomMode = 0;
  dialogs.Then(Drive([](wxDialog* d) {
    // The site page shows the project as it is; it is the only page displayed.
    EXPECT_EQ(Text(d, "site_url")->GetValue(), "https://yamanote.example.jp/");
    Text(d, "site_title")->SetValue(Wx("山の手日記"));
    Text(d, "site_creator")->SetValue(Wx("坂野 歩"));
    Click(d, wxID_OK);
  }));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(Project().siteTitle, J("山の手日記"));
  EXPECT_EQ(Project().creator, J("坂野 歩"));
  EXPECT_EQ(Project().rssVersion, 7);
  EXPECT_EQ(Project().rssCount, -5);
  EXPECT_EQ(Project().atomVersion, 1);
  EXPECT_EQ(Project().ftp.Host, "ftp.example.jp");
  EXPECT_EQ(Project().ftp.Pass, "secret");
  EXPECT_EQ(CRssFile::rssMode, 1);
  EXPECT_EQ(CRssFile::atomMode, 0);
  EXPECT_EQ(AppProfile().GetInt("System", "ftppasv", -7), -7);
  EXPECT_TRUE(frame->Doc().IsModified());
}

TEST_F(SettingsDialogs, Rss20OnTheRssPageMakesTheRssCommandWriteRss20) {
  Start(MakeExampleProject());
  ASSERT_EQ(Project().rssVersion, 0);
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* rss = ShowTab(d, kRssTab);
    auto* version = Control<wxChoice>(rss, "feed_version");
    ASSERT_EQ(version->GetCount(), 2u);
    EXPECT_EQ(version->GetString(0), "1.0");
    EXPECT_EQ(version->GetString(1), "2.0");
    EXPECT_EQ(version->GetSelection(), 0);
    EXPECT_EQ(Text(rss, "feed_file")->GetValue(), "index.rdf");
    auto* mode = Control<wxChoice>(rss, "feed_mode");
    ASSERT_EQ(mode->GetCount(), 3u);
    EXPECT_EQ(mode->GetString(2), Wx("内容あり"));
    Choose(version, 1);
    Text(rss, "feed_file")->SetValue("rss2.xml");
    // The Atom page has its own entries.
    wxWindow* atom = ShowTab(d, kAtomTab);
    EXPECT_EQ(Control<wxChoice>(atom, "feed_version")->GetString(0), "0.3");
    Click(d, wxID_OK);
  }));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(Project().rssVersion, 1);
  dialogs.Then(Message("RSSファイルを作成しました。このファイルを開きますか？", wxID_NO));
  ASSERT_TRUE(Run(ID_CREATE_RSS));
  const std::string written = ReadFile(Project().localFolder + "/rss2.xml");
  EXPECT_NE(written.find("<rss version=\"2.0\">"), std::string::npos) << written.substr(0, 200);
}

TEST_F(SettingsDialogs, ANonNumericCountKeepsTheSheetOpenOnItsPage) {
  Start(MakeExampleProject());
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* atom = ShowTab(d, kAtomTab);
    Text(atom, "feed_count")->SetValue(Wx("二十"));
    Click(d, wxID_OK);  // the message, answered by the script
    EXPECT_TRUE(d->IsModal());
    EXPECT_EQ(CurrentTab(d), kAtomTab);
    // Leaving the page is refused the same way.
    ShowTab(d, kSiteTab);
    Pump();
    EXPECT_EQ(CurrentTab(d), kAtomTab);
    // Zero and negative counts are integers.
    Text(atom, "feed_count")->SetValue(" -3 ");
    ShowTab(d, kSiteTab);
    EXPECT_EQ(CurrentTab(d), kSiteTab);
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("整数を入力してください。"));
  dialogs.Then(Message("整数を入力してください。"));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(Project().atomCount, -3);
}

// An inner page of "拡張" with a value it cannot take keeps the view, whether the user picks another entry
// of the list or another tab; OK brings it back into view, its tab and its entry, when it is out of it.
// The list is reached by Tab, and Ctrl+Tab leaves it for the next tab.
TEST_F(SettingsDialogs, AnInnerPageWithABadValueHoldsItsTabAndEntry) {
  Start(MakeExampleProject());
  dialogs.Then(Drive([](wxDialog* d) {
    auto* sheet = static_cast<CSettingsSheetDialog*>(d);
    wxBookCtrlBase* tabs = sheet->GetBookCtrl();
    wxBookCtrlBase* list = sheet->ExtensionBook();
    wxWindow* json = ShowTab(d, kJsonTab);
    EXPECT_EQ(tabs->GetSelection(), static_cast<int>(kExtensionsTab));
    Control<wxCheckBox>(json, "json_enabled")->SetValue(true);
    Text(json, "json_file")->SetValue("");
    list->SetSelection(2);  // "更新通知": refused
    Pump();
    EXPECT_EQ(CurrentTab(d), kJsonTab);
    EXPECT_EQ(list->GetSelection(), 1);
    tabs->SetSelection(kSiteTab);  // refused as well
    Pump();
    EXPECT_EQ(CurrentTab(d), kJsonTab);
    EXPECT_EQ(tabs->GetSelection(), static_cast<int>(kExtensionsTab));
    // Out of view without the checks of leaving it: OK shows it again, on its tab and its entry.
    list->ChangeSelection(0);
    tabs->ChangeSelection(kRssTab);
    Click(d, wxID_OK);
    EXPECT_TRUE(d->IsModal());
    EXPECT_EQ(CurrentTab(d), kJsonTab);
    EXPECT_EQ(tabs->GetSelection(), static_cast<int>(kExtensionsTab));
    EXPECT_EQ(list->GetSelection(), 1);
    Text(json, "json_file")->SetValue("feed.json");
    // The keyboard: Shift+Tab from the page's first control reaches the list, Down picks the next entry,
    // Ctrl+Tab goes on to the next tab (round to the first).
    wxWindow* entries = static_cast<wxTreebook*>(list)->GetTreeCtrl();
    Control<wxCheckBox>(json, "json_enabled")->SetFocus();
    wxUIActionSimulator().Char(WXK_TAB, wxMOD_SHIFT);
    EXPECT_TRUE(WaitFor([entries] { return wxWindow::FindFocus() == entries; }));
    wxUIActionSimulator().Char(WXK_DOWN);
    EXPECT_TRUE(WaitFor([d] { return CurrentTab(d) == kNotifyTab; }));
    wxUIActionSimulator().Char(WXK_TAB, wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([d] { return CurrentTab(d) == kSiteTab; }));
    Click(d, wxID_OK);
  }));
  for (int i = 0; i < 3; ++i) dialogs.Then(Message("JSON Feedのファイル名を入力してください"));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(dialogs.Pending(), 0u);
  EXPECT_TRUE(Project().ext.jsonFeed);
}

TEST_F(SettingsDialogs, TheProfileChooserFillsTheFtpPage) {
  Start(MakeExampleProject());
  InstallSiblingProfiles(Project().localFolder);
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* ftp = ShowTab(d, kFtpTab);
    Text(ftp, "ftp_host")->SetValue("typed.example.jp");
    Click(ftp, "ftp_profiles");  // the chooser, answered by the script below
    EXPECT_EQ(Text(ftp, "ftp_host")->GetValue(), "ftps://ftp.yamanote.example.jp:990");
    EXPECT_EQ(Text(ftp, "ftp_user")->GetValue(), "sakano");
    EXPECT_EQ(Text(ftp, "ftp_password")->GetValue(), "Kaidan-42");
    EXPECT_EQ(Text(ftp, "ftp_remote_dir")->GetValue(), "public_html/diary");
    Click(d, wxID_OK);
  }));
  const std::string folder = Project().localFolder;
  dialogs.Then(Drive([folder](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("ftp設定の参照"));
    auto* names = Control<wxChoice>(d, "profile_name");
    EXPECT_EQ(names->GetCount(), 2u);
    EXPECT_EQ(names->GetString(0), Wx("本家"));
    EXPECT_EQ(names->GetString(1), Wx("山の手"));
    EXPECT_EQ(names->GetSelection(), 0);
    EXPECT_EQ(Text(d, "profile_host")->GetValue(), "ftp.honke.example.jp");
    Choose(names, 1);
    EXPECT_EQ(Text(d, "profile_host")->GetValue(), "ftps://ftp.yamanote.example.jp:990");
    EXPECT_EQ(Text(d, "profile_user")->GetValue(), "sakano");
    EXPECT_EQ(Text(d, "profile_local_dir")->GetValue(), ToWx(folder));
    EXPECT_EQ(Text(d, "profile_remote_dir")->GetValue(), "public_html/diary");
    for (wxWindow* child : d->GetChildren()) {  // the password is never shown
      if (auto* text = wxDynamicCast(child, wxTextCtrl)) {
        EXPECT_EQ(text->GetValue().Find("Kaidan"), wxNOT_FOUND);
      }
    }
    EXPECT_EQ(wxDynamicCast(d->FindWindow(wxID_OK), wxButton)->GetLabel(), Wx("この設定"));
    EXPECT_EQ(wxDynamicCast(d->FindWindow(wxID_CANCEL), wxButton)->GetLabel(), Wx("ｷｬﾝｾﾙ"));
    Click(d, wxID_OK);
  }));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(Project().ftp.Host, "ftps://ftp.yamanote.example.jp:990");
  EXPECT_EQ(Project().ftp.User, "sakano");
  EXPECT_EQ(Project().ftp.Pass, "Kaidan-42");
  EXPECT_EQ(Project().ftp.RemoteDir, "public_html/diary");
}

TEST_F(SettingsDialogs, TheFtpPageBeforeAnUploadShowsTheProfileAndStoresItBack) {
  Start(MakeExampleProject());
  InstallSiblingProfiles(Project().localFolder);
  Project().ftp.Host = "project.example.jp";
  dialogs.Then(Drive([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("ftp転送"));
    auto* book = static_cast<CSettingsSheetDialog*>(d)->GetBookCtrl();
    ASSERT_EQ(book->GetPageCount(), 1u);
    EXPECT_EQ(book->GetPageText(0), Wx("ftp設定"));
    // The profile whose local folder holds the project's folder: the second.
    EXPECT_EQ(Text(d, "ftp_host")->GetValue(), "ftps://ftp.yamanote.example.jp:990");
    EXPECT_EQ(Text(d, "ftp_password")->GetValue(), "Kaidan-42");
    Text(d, "ftp_user")->SetValue("ayumu");
    Control<wxCheckBox>(d, "ftp_passive")->SetValue(true);
    Click(d, wxID_OK);
  }));
  ASSERT_TRUE(RunFtpProfileMode(desktop.Parent(), Project(), desktop));
  EXPECT_EQ(Project().ftp.Host, "ftps://ftp.yamanote.example.jp:990");
  EXPECT_EQ(Project().ftp.User, "ayumu");
  EXPECT_EQ(GetFtpPassiveOption(), 1);
  CVamelProfile sibling("Quillstone", "Marrowpad");
  EXPECT_EQ(sibling.GetString("ftp", "User1", ""), "ayumu");
  EXPECT_EQ(sibling.GetString("ftp", "User0", ""), "honke");
}

TEST_F(SettingsDialogs, TheWizardStoresEachPageOnNextAndEndsWithItsFinishPage) {
  CRssFile project;
  const std::string site = TempPath("site");
  std::filesystem::create_directories(site);
  desktop.SetOwner(nullptr);
  dialogs.Then(Drive([&project, site](wxDialog* d) {
    auto* wizard = static_cast<CNewProjectWizard*>(d);
    EXPECT_EQ(d->GetTitle(), Wx("RSSの新規作成"));
    ASSERT_EQ(wizard->PageCount(), 4);
    wxWindow* next = d->FindWindow(wxID_FORWARD);
    wxWindow* back = d->FindWindow(wxID_BACKWARD);
    EXPECT_EQ(next->GetLabel(), Wx("次へ (&N) >"));  // wx's own buttons, in Japanese
    EXPECT_EQ(back->GetLabel(), Wx("< 戻る (&B)"));

    // The site page: its values are in the project as soon as Next is pressed.
    wxWindow* page = wizard->WizardPage(0);
    Text(page, "site_title")->SetValue(Wx("山の手日記"));
    Text(page, "site_url")->SetValue("https://yamanote.example.jp/");
    Text(page, "site_description")->SetValue(Wx("坂道と古い建物\n歩いて記録する"));
    EXPECT_EQ(project.siteTitle, "");
    Click(next);
    EXPECT_EQ(project.siteTitle, J("山の手日記"));
    EXPECT_EQ(project.siteDescription, J("坂道と古い建物\n歩いて記録する"));
    ASSERT_EQ(wizard->GetCurrentPage(), wizard->WizardPage(1));

    // The folder page: the chooser starts at the folder in the field under the heading "フォルダ選択".
    page = wizard->WizardPage(1);
    Text(page, "local_folder")->SetValue(site);
    Click(page, "browse_folder");  // the real chooser, cancelled by the script
    EXPECT_EQ(Text(page, "local_folder")->GetValue(), site);
    auto* mode = Control<wxChoice>(page, "import_mode");
    ASSERT_EQ(mode->GetCount(), 4u);
    EXPECT_EQ(mode->GetString(3), Wx("詳細・内容とも設定（指定部分）"));
    Choose(mode, 3);
    Click(next);
    EXPECT_EQ(project.localFolder, site);
    EXPECT_EQ(project.importMode, 3);

    // The FTP page, then the finish page: only "完了" and Cancel.
    page = wizard->WizardPage(2);
    Text(page, "ftp_host")->SetValue("ftp.example.jp:2121");
    Control<wxCheckBox>(page, "ftp_passive")->SetValue(true);
    Click(next);
    EXPECT_EQ(project.ftp.Host, "ftp.example.jp:2121");
    EXPECT_EQ(GetFtpPassiveOption(), 1);
    ASSERT_EQ(wizard->GetCurrentPage(), wizard->WizardPage(3));
    EXPECT_EQ(next->GetLabel(), Wx("完了"));
    EXPECT_FALSE(back->IsShown());
    EXPECT_TRUE(d->FindWindow(wxID_CANCEL)->IsShown());
    Click(next);
  }));
  dialogs.Then([](wxDialog* d) {
    auto* chooser = wxDynamicCast(d, wxDirDialog);
    EXPECT_NE(chooser, nullptr);
    if (chooser) {
      EXPECT_EQ(chooser->GetMessage(), Wx("フォルダ選択"));
    }
    return static_cast<int>(wxID_CANCEL);
  });
  EXPECT_TRUE(RunNewProjectWizard(desktop.Parent(), project, desktop));
  EXPECT_EQ(project.siteUrl, "https://yamanote.example.jp/");

  // Cancel on the first page leaves a new project as it was.
  CRssFile untouched;
  dialogs.Then(Drive([](wxDialog* d) {
    Text(d, "site_title")->SetValue("no");
    Click(d, wxID_CANCEL);
  }));
  EXPECT_FALSE(RunNewProjectWizard(desktop.Parent(), untouched, desktop));
  EXPECT_EQ(untouched.siteTitle, "");
}

TEST_F(SettingsDialogs, FirstRunOpensTheWizardThenTheWindowInItsFirstPlace) {
  // No settings at all: no file to open, so the wizard; its project is the new untitled document.
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("RSSの新規作成"));
    auto* wizard = static_cast<CNewProjectWizard*>(d);
    Text(wizard->WizardPage(0), "site_title")->SetValue(Wx("はじめてのサイト"));
    wizard->WizardPage(0)->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  });
  Start("");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Project().siteTitle, J("はじめてのサイト"));
  EXPECT_EQ(frame->GetTitle(), Wx("無題 - VamelRss"));
  EXPECT_TRUE(WaitFor([this] { return FrameOnScreen(frame) == wxRect(100, 100, 700, 500); })) << FrameOnScreen(frame);
  EXPECT_TRUE(frame->GetToolBar()->IsShown());
  EXPECT_TRUE(frame->GetStatusBar()->IsShown());
}

TEST_F(SettingsDialogs, OptionsCheckTheListHeightAndStoreWhatWasEntered) {
  Start(MakeExampleProject());
  const int listHeightBefore = frame->View()->List()->GetSize().GetHeight();
  SetHtmlEditorOption("/opt/edit/htmledit");
  const std::string editor = GetHtmlEditorProgram();
  // "..." offers the files for a program; the request starts where the current program is.
  desktop.chooseFile = [](const CFileDialogRequest& request) {
    EXPECT_EQ(U(request.title), "RSSビューアの選択");
    EXPECT_FALSE(request.save);
    EXPECT_TRUE(request.mustExist);
    return CFileDialogResult{true, "/opt/feeds/viewer", 1};
  };
  dialogs.Then(Drive([editor](wxDialog* d) {
    EXPECT_EQ(d->GetTitle(), Wx("設定"));
    Click(d, "rss_viewer_browse");
    EXPECT_EQ(Text(d, "rss_viewer")->GetValue(), "/opt/feeds/viewer");
    // The values in effect: the editor set, this run's list height, the markers; under each program
    // field what it means.
    EXPECT_EQ(Text(d, "html_editor")->GetValue(), ToWx(editor));
    EXPECT_EQ(Control<wxStaticText>(d, "html_editor_note")->GetLabel(), Wx("指定したプログラムを使います。"));
    Text(d, "rss_viewer")->SetValue("");
    EXPECT_EQ(Control<wxStaticText>(d, "rss_viewer_note")->GetLabel(), Wx("空欄のときは、デスクトップが選ぶプログラムで開きます（xdg-open）。"));
    Text(d, "rss_viewer")->SetValue("/opt/feeds/viewer");
    EXPECT_EQ(Text(d, "list_height")->GetValue(), "50");
    EXPECT_EQ(Text(d, "start_tag")->GetValue(), "<!--VAMELRSS START-->");
    EXPECT_TRUE(Control<wxCheckBox>(d, "open_last_file")->GetValue());
    for (const char* outside : {"0", "100"}) {
      Text(d, "list_height")->SetValue(outside);
      Click(d, wxID_OK);
      EXPECT_TRUE(d->IsModal()) << outside;
    }
    Text(d, "list_height")->SetValue("3O");  // a pasted letter O
    Click(d, wxID_OK);
    EXPECT_TRUE(d->IsModal());
    Text(d, "list_height")->SetValue("30");
    Text(d, "html_editor")->SetValue("");
    Text(d, "end_tag")->SetValue("<!--END-->");
    Control<wxCheckBox>(d, "open_last_file")->SetValue(false);
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("1 から 99 までの整数を入力してください。"));
  dialogs.Then(Message("1 から 99 までの整数を入力してください。"));
  dialogs.Then(Message("整数を入力してください。"));
  ASSERT_TRUE(Run(ID_OPTIONS));
  EXPECT_EQ(AppProfile().GetString("System", "HtmlEditor", "unset"), "");
  EXPECT_EQ(GetHtmlEditorProgram(), "");  // stored empty, not the default
  EXPECT_EQ(GetHeightPercentOption(), 30);
  EXPECT_EQ(ListHeightPercent(), 30);
  EXPECT_EQ(CRssFile::GetDefaultEndTag(), "<!--END-->");
  EXPECT_EQ(GetDefaultEndTagOption(), "<!--END-->");
  EXPECT_EQ(GetInitFileOption(), 0);
  EXPECT_EQ(GetRssViewerProgram(), "/opt/feeds/viewer");
  // The list laid itself out again at the new share.
  EXPECT_LT(frame->View()->List()->GetSize().GetHeight(), listHeightBefore);

  // Cancel stores nothing.
  const std::string store = ReadFile(AppProfile().GetStorePath());
  dialogs.Then(Drive([](wxDialog* d) {
    Text(d, "list_height")->SetValue("80");
    Click(d, wxID_CANCEL);
  }));
  ASSERT_TRUE(Run(ID_OPTIONS));
  EXPECT_EQ(ReadFile(AppProfile().GetStorePath()), store);
  EXPECT_EQ(ListHeightPercent(), 30);
}

// The page "拡張": it shows the project's extension values, refuses a language that is no language tag
// and stores what the user set on OK; the item editor's image and "フィードに載せない(H)" reach the item,
// and the list greys the rows that the feeds keep out.
TEST_F(SettingsDialogs, TheExtensionPageTheItemEditorsNewFieldsAndGreyedRows) {
  Start(MakeExampleProject());
  ASSERT_TRUE(Project().ext.IsDefault());
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* ext = ShowTab(d, kExtTab);
    EXPECT_EQ(Text(ext, "ext_language")->GetValue(), "ja");
    EXPECT_FALSE(Control<wxCheckBox>(ext, "ext_self_links")->GetValue());
    Text(ext, "ext_language")->SetValue("en_US");
    Click(d, wxID_OK);  // refused: the message, and the sheet stays
    EXPECT_TRUE(d->IsModal());
    EXPECT_EQ(CurrentTab(d), kExtTab);
    Text(ext, "ext_language")->SetValue("en-US");
    for (const char* box : {"ext_self_links", "ext_full_text", "ext_item_images", "ext_hold_future"}) {
      Control<wxCheckBox>(ext, box)->SetValue(true);
    }
    Text(ext, "ext_site_image")->SetValue(" https://yamanote.example.jp/logo.png ");
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("言語タグを入力してください。（例: ja、en、en-US）"));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(dialogs.Pending(), 0u);
  const CProjectExtensions& ext = Project().ext;
  EXPECT_EQ(ext.language, "en-US");
  EXPECT_TRUE(ext.selfLinks && ext.fullText && ext.itemImages && ext.holdFuture);
  EXPECT_EQ(ext.siteImage, "https://yamanote.example.jp/logo.png");
  EXPECT_EQ(ext.siteIcon, "");

  frame->View()->List()->SelectOnly(0);
  dialogs.Then([](wxDialog* d) {
    EXPECT_NE(dynamic_cast<CItemEditorDialog*>(d), nullptr);
    EXPECT_EQ(Text(d, "image")->GetValue(), "");
    Text(d, "image")->SetValue("https://yamanote.example.jp/img/a.png");
    Control<wxCheckBox>(d, "hidden")->SetValue(true);
    d->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(Project().GetAt(0)->ext.image, "https://yamanote.example.jp/img/a.png");
  EXPECT_TRUE(Project().GetAt(0)->ext.hidden);
  CItemListCtrl* list = frame->View()->List();
  ASSERT_GE(list->GetItemCount(), 2);
  ASSERT_NE(list->OnGetItemAttr(0), nullptr);
  EXPECT_EQ(list->OnGetItemAttr(0)->GetTextColour(), wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
  EXPECT_EQ(list->OnGetItemAttr(1), nullptr);
}


// The real chooser of "参照..." beside "添付ファイル(&F):": where it opens; cancelled (GTK's
// chooser takes a file only once it has read its folder, which a test cannot wait for).
class ExpectMediaChooser : public wxExpectModalBase<wxFileDialog> {
public:
  explicit ExpectMediaChooser(wxString* shown) : m_shown(shown) {}

protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    *m_shown = dialog->GetDirectory();
    return wxID_CANCEL;
  }

private:
  wxString* m_shown;
};

// The item editor's enclosure: "参照..." opens the real chooser in the local folder and fills the
// file's URL, length, type and playing time; the numbers must be numbers; the episode values reach the
// item; a local file outside the folder is refused at OK, and an empty field drops the enclosure.
TEST_F(SettingsDialogs, TheItemEditorsEnclosureAndEpisodeFields) {
  Start(MakeExampleProject());
  const std::string folder = Project().localFolder;
  const std::string media = folder + "/podcast/ep1.mp3";
  std::filesystem::create_directories(folder + "/podcast");
  ASSERT_TRUE(MakeTone(media, 3));
  frame->View()->List()->SelectOnly(0);
  wxString opened;
  dialogs.Then(Drive([&](wxDialog* d) {
    wxTEST_DIALOG(Click(d, "enclosure_browse"), ExpectMediaChooser(&opened));
    EXPECT_EQ(Text(d, "enclosure")->GetValue(), "");
    // The file the user picks.
    desktop.chooseFile = [&](const CFileDialogRequest&) { return CFileDialogResult{true, media, 1}; };
    Click(d, "enclosure_browse");
    EXPECT_EQ(Text(d, "enclosure")->GetValue(), "https://yamanote.example.jp/podcast/ep1.mp3");
    EXPECT_EQ(Text(d, "enclosure_length")->GetValue(), std::to_string(std::filesystem::file_size(media)));
    EXPECT_EQ(Text(d, "enclosure_type")->GetValue(), "audio/mpeg");
    EXPECT_EQ(Text(d, "duration")->GetValue(), "3");
    Control<wxSpinCtrl>(d, "episode")->SetValue(12);
    Control<wxSpinCtrl>(d, "season")->SetValue(2);
    Choose(Control<wxChoice>(d, "episode_type"), 2);
    Text(d, "duration")->SetValue("3 min");
    Click(d, wxID_OK);  // refused: the message, and the editor stays
    EXPECT_TRUE(d->IsModal());
    Text(d, "duration")->SetValue(" 200 ");
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("0以上の整数を入力してください。"));
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(dialogs.Pending(), 0u);
  EXPECT_EQ(opened, wxString::FromUTF8(folder));
  const CItemExtensions& ext = Project().GetAt(0)->ext;
  EXPECT_EQ(ext.enclosure.url, "https://yamanote.example.jp/podcast/ep1.mp3");
  EXPECT_EQ(ext.enclosure.length, static_cast<std::int64_t>(std::filesystem::file_size(media)));
  EXPECT_EQ(ext.enclosure.type, "audio/mpeg");
  EXPECT_EQ(ext.enclosure.duration, 200);
  EXPECT_EQ(ext.episode, 12);
  EXPECT_EQ(ext.season, 2);
  EXPECT_EQ(ext.episodeType, "trailer");

  ASSERT_TRUE(MakeTone(TempPath("outside.mp3"), 1));
  dialogs.Then(Drive([&](wxDialog* d) {
    Text(d, "enclosure")->SetValue(wxString::FromUTF8(TempPath("outside.mp3")));
    Click(d, wxID_OK);
    EXPECT_TRUE(d->IsModal());
    Text(d, "enclosure")->SetValue("");
    Click(d, wxID_OK);
  }));
  dialogs.Then([](wxDialog* box) {
    EXPECT_NE(wxDynamicCast(box, wxMessageDialog)->GetMessage().Find(Wx("の下にありません")), wxNOT_FOUND);
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_ITEM_EDIT));
  EXPECT_EQ(dialogs.Pending(), 0u);
  EXPECT_TRUE(Project().GetAt(0)->ext.enclosure.IsDefault());
  EXPECT_EQ(Project().GetAt(0)->ext.episode, 12);
}

// The page "JSON Feed": its values from the project, a feed switched on needs a file name, OK stores;
// the 作成 menu's "JSON Feedファイル作成(&J)" writes the file and asks to open it; "RSS&&Atom作成" writes
// it beside the other two while it is on.
TEST_F(SettingsDialogs, TheJsonFeedPageAndItsMenuEntries) {
  Start(MakeExampleProject());
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* json = ShowTab(d, kJsonTab);
    EXPECT_FALSE(Control<wxCheckBox>(json, "json_enabled")->GetValue());
    EXPECT_EQ(Text(json, "json_file")->GetValue(), "feed.json");
    EXPECT_EQ(Text(json, "json_count")->GetValue(), "20");
    Control<wxCheckBox>(json, "json_enabled")->SetValue(true);
    Text(json, "json_file")->SetValue("");
    Click(d, wxID_OK);  // refused: the message, and the sheet stays
    EXPECT_TRUE(d->IsModal());
    EXPECT_EQ(CurrentTab(d), kJsonTab);
    Text(json, "json_file")->SetValue(Wx("記事.json"));
    Text(json, "json_count")->SetValue("3");
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("JSON Feedのファイル名を入力してください"));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(dialogs.Pending(), 0u);
  EXPECT_TRUE(Project().ext.jsonFeed);
  EXPECT_EQ(Project().ext.jsonFileName, J("記事.json"));
  EXPECT_EQ(Project().ext.jsonCount, 3);

  wxMenuItem* entry = frame->GetMenuBar()->FindItem(WxIdOfCommand(ID_CREATE_JSON));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->GetItemLabel(), Wx("JSON Feedファイル作成(&J)"));
  dialogs.Then(Message("JSON Feedファイルを作成しました。このファイルを開きますか？", wxID_NO));
  ASSERT_TRUE(Run(ID_CREATE_JSON));
  const std::string path = NativePath(Project().GetJsonPath());
  EXPECT_EQ(nlohmann::json::parse(ReadFile(path))["items"].size(), 3u);
  std::filesystem::remove(path);
  dialogs.Then(Message("RSSファイル Atomファイル JSON Feedファイル の作成を完了しました"));
  ASSERT_TRUE(Run(ID_CREATE_RSS_AND_ATOM));
  EXPECT_FALSE(ReadFile(path).empty());
  EXPECT_EQ(dialogs.Pending(), 0u);
}

// The page "ポッドキャスト": its values from the project, a bad owner e-mail address is refused on OK and
// the sheet stays, the choices and fields reach the project.
TEST_F(SettingsDialogs, ThePodcastPageStoresItsChoices) {
  Start(MakeExampleProject());
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* page = ShowTab(d, kPodcastTab);
    EXPECT_EQ(static_cast<CSettingsPagePanel*>(page)->Label(), Wx("ポッドキャスト"));
    EXPECT_FALSE(Control<wxCheckBox>(page, "podcast_enabled")->GetValue());
    auto* category = Control<wxChoice>(page, "podcast_category");
    EXPECT_EQ(category->GetSelection(), 0);
    EXPECT_EQ(category->GetString(0), Wx("（なし）"));
    Control<wxCheckBox>(page, "podcast_enabled")->SetValue(true);
    Text(page, "podcast_author")->SetValue(Wx("坂野 歩"));
    Text(page, "podcast_owner_email")->SetValue("owner");
    Click(d, wxID_OK);  // refused: the message, and the sheet stays
    EXPECT_TRUE(d->IsModal());
    EXPECT_EQ(CurrentTab(d), kPodcastTab);
    Text(page, "podcast_owner_email")->SetValue("owner@example.jp");
    Text(page, "podcast_image")->SetValue("https://yamanote.example.jp/art.png");
    Choose(category, category->FindString("Society & Culture/Places & Travel"));
    Choose(Control<wxChoice>(page, "podcast_explicit"), 2);
    Choose(Control<wxChoice>(page, "podcast_type"), 1);
    Control<wxCheckBox>(page, "podcast_locked")->SetValue(true);
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("ポッドキャストの所有者のメールアドレスには owner@example.jp のようなアドレスを入力してください"));
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(dialogs.Pending(), 0u);
  const CProjectExtensions& ext = Project().ext;
  EXPECT_TRUE(ext.podcast);
  EXPECT_EQ(ext.podcastAuthor, J("坂野 歩"));
  EXPECT_EQ(ext.podcastOwnerEmail, "owner@example.jp");
  EXPECT_EQ(ext.podcastImage, "https://yamanote.example.jp/art.png");
  EXPECT_EQ(ext.podcastCategory, "Society & Culture/Places & Travel");
  EXPECT_EQ(ext.podcastExplicit, "no");
  EXPECT_EQ(ext.podcastType, "episodic");
  EXPECT_TRUE(ext.podcastLocked);
}

// The pages "更新通知" and "セクション": a hub that is no web address is refused on OK; a section is added
// through its editor with the defaults filled in, another is removed, and OK stores both pages.
TEST_F(SettingsDialogs, TheNoticeAndSectionPagesStoreHubsAndSections) {
  Start(MakeExampleProject());
  Project().ext.sections = {CFeedSection{"old", CFeedSection::Rule::kCategory, "old", "old.rdf", "old.xml", " - old"}};
  dialogs.Then(Drive([](wxDialog* d) {
    wxWindow* notify = ShowTab(d, kNotifyTab);
    EXPECT_EQ(Text(notify, "notify_hubs")->GetValue(), "");
    Text(notify, "notify_hubs")->SetValue("https://hub.example.jp/\nftp://hub.example.jp/");
    Control<wxCheckBox>(notify, "notify_verify_url")->SetValue(true);
    Click(d, wxID_OK);  // refused: the message, and the sheet stays
    EXPECT_TRUE(d->IsModal());
    Text(notify, "notify_hubs")->SetValue("https://hub.example.jp/\n\nhttp://hub2.example.jp/");
    wxWindow* sections = ShowTab(d, kSectionsTab);
    auto* list = Control<wxListCtrl>(sections, "section_list");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 1), Wx("カテゴリ old"));
    Click(sections, "section_delete");
    EXPECT_EQ(list->GetItemCount(), 0);
    Click(sections, "section_add");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 2), "index-diary.rdf");
    EXPECT_EQ(list->GetItemText(0, 4), "d.json");
    Click(d, wxID_OK);
  }));
  dialogs.Then(Message("WebSubのハブには http:// か https:// で始まるURLを1行に1つ入力してください"));
  dialogs.Then([](wxDialog* d) {
    EXPECT_NE(dynamic_cast<CSectionEditDialog*>(d), nullptr);
    Text(d, "section_name")->SetValue(Wx("日記"));
    Choose(Control<wxChoice>(d, "section_rule"), 1);
    Text(d, "section_value")->SetValue("diary");
    Text(d, "section_json")->SetValue("d.json");
    d->TransferDataFromWindow();
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(Run(ID_SITE_SETTINGS));
  EXPECT_EQ(dialogs.Pending(), 0u);
  const CProjectExtensions& ext = Project().ext;
  EXPECT_EQ(ext.websubHubs, (std::vector<std::string>{"https://hub.example.jp/", "http://hub2.example.jp/"}));
  EXPECT_TRUE(ext.verifyUrl);
  ASSERT_EQ(ext.sections.size(), 1u);
  EXPECT_EQ(U(ext.sections[0].name), "日記");
  EXPECT_EQ(ext.sections[0].rule, CFeedSection::Rule::kFolder);
  EXPECT_EQ(ext.sections[0].value, "diary/");
  EXPECT_EQ(ext.sections[0].atomFileName, "atom-diary.xml");
  EXPECT_EQ(ext.sections[0].jsonFileName, "d.json");
  EXPECT_TRUE(frame->Doc().IsModified());
}
