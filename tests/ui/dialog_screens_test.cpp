// The settings dialogs on the screen, over the example site's project: every label must show whole
// and every control must lie inside its window, on each page. With VAMELRSS_SCREENSHOT_DIR set, each
// page is also saved there as a PNG (the dialog with its window frame, cut from the screen) for the
// user guide; VAMELRSS_SCREENSHOT_PROJECT names the project to show (else the example site is made
// into one with the README's values).
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/wizard.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "app/ftp_profile_mode.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "settings/vamel_profile.h"
#include "ui/command_wx_ids.h"
#include "app/vamel_rss_doc.h"
#include "ui/dialogs/new_project_wizard.h"
#include "ui/dialogs/settings_sheet_dialog.h"
#include "ui/item_list_ctrl.h"
#include "ui/main_frame.h"
#include "ui/vamel_rss_view.h"
#include "ui/ui_fixture.h"
#include "ui/wx_text.h"

namespace {

class DialogScreens : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    const char* dir = std::getenv("VAMELRSS_SCREENSHOT_DIR");
    m_shots = dir ? dir : "";
  }

  // The project shown: the one named, else the example site with the README's values.
  std::string ExampleProject() {
    if (const char* named = std::getenv("VAMELRSS_SCREENSHOT_PROJECT")) return named;
    const std::string site = TempPath("yamanote");
    std::filesystem::copy(VAMELRSS_EXAMPLE_SITE, site, std::filesystem::copy_options::recursive);
    const std::string file = TempPath("yamanote.fpj");
    const std::string cli = VAMELRSS_CLI;
    EXPECT_EQ(RunCommand("'" + cli + "' new '" + file + "' --title '山の手日記' --url https://yamanote.example.jp/ " +
                         "--description '東京の坂道と古い建物を歩いて記録するサイト' --creator '坂野 歩' --folder '" + site +
                         "' --import-mode 3 --rss-version 2.0 --atom-version 1.0 >/dev/null && '" + cli + "' scan '" + file +
                         "' --import all >/dev/null"),
              0);
    return file;
  }

  // Runs `look` in the dialog's modal loop once it is on the screen, then closes it with `endCode`.
  static CDialogScript::Handler Look(std::function<void(wxDialog*)> look, int endCode = wxID_CANCEL) {
    return [look, endCode](wxDialog* dialog) {
      dialog->CallAfter([dialog, look, endCode] {
        EXPECT_TRUE(WaitFor([dialog] { return dialog->IsShownOnScreen(); }));
        look(dialog);
        if (dialog->IsModal()) dialog->EndModal(endCode);
      });
      return static_cast<int>(wxID_NONE);
    };
  }

  // Every shown control inside its parent's client area, every label at least as large as its text
  // needs; then the screenshot when asked for.
  void Check(wxWindow* top, const std::string& name) {
    Pump();
    CheckChildren(top, name);
    if (m_shots.empty()) return;
    // Only for the picture: give the display a moment to draw what was just shown.
    top->Refresh();
    top->Update();
    for (int i = 0; i < 20; ++i) {
      Pump();
      wxMilliSleep(20);
    }
    wxRect r = top->GetScreenRect();
    // The frame that the window manager draws around the dialog: its title bar and border.
    r.Inflate(6);
    r.y -= 24;
    r.height += 24;
    const std::string file = m_shots + "/" + name + ".png";
    EXPECT_EQ(RunCommand(wxString::Format("import -window root -crop %dx%d+%d+%d +repage '%s'", r.width, r.height,
                                          std::max(r.x, 0), std::max(r.y, 0), file)
                             .utf8_string()),
              0);
  }

private:
  static void CheckChildren(wxWindow* parent, const std::string& name) {
    const wxSize client = parent->GetClientSize();
    // GTK places a notebook's pages over its border: their rectangles are the notebook's business.
    const bool book = wxDynamicCast(parent, wxBookCtrlBase) != nullptr;
    for (wxWindow* child : parent->GetChildren()) {
      if (!child->IsShown() || child->IsTopLevel()) continue;
      if (book) {
        CheckChildren(child, name);
        continue;
      }
      const wxRect r = child->GetRect();
      const std::string what = name + ": " + wxString(child->GetClassInfo()->GetClassName()).utf8_string() + " \"" +
                               child->GetLabel().utf8_string() + "\"";
      EXPECT_GE(r.x, 0) << what;
      EXPECT_GE(r.y, 0) << what;
      EXPECT_LE(r.GetRight(), client.x) << what;
      EXPECT_LE(r.GetBottom(), client.y) << what;
      if (wxDynamicCast(child, wxStaticText) || wxDynamicCast(child, wxButton) || wxDynamicCast(child, wxCheckBox)) {
        EXPECT_GE(r.width, child->GetBestSize().x) << what << " is cut";
        EXPECT_GE(r.height, child->GetBestSize().y) << what << " is cut";
      }
      CheckChildren(child, name);
    }
  }

  std::string m_shots;
};

}  // namespace

TEST_F(DialogScreens, NewProjectWizard) {
  CRssFile project;
  dialogs.Then(Look([this](wxDialog* d) {
    auto* wizard = static_cast<CNewProjectWizard*>(d);
    const char* names[] = {"wizard_1_site", "wizard_2_folder", "wizard_3_ftp", "wizard_4_finish"};
    for (int i = 0; i < wizard->PageCount(); ++i) {
      ASSERT_EQ(wizard->GetCurrentPage(), wizard->WizardPage(i));
      Check(d, names[i]);
      if (i + 1 < wizard->PageCount()) {
        wxCommandEvent next(wxEVT_BUTTON, wxID_FORWARD);
        next.SetEventObject(d->FindWindow(wxID_FORWARD));
        d->FindWindow(wxID_FORWARD)->GetEventHandler()->ProcessEvent(next);
      }
    }
  }));
  RunNewProjectWizard(desktop.Parent(), project, desktop);
}

TEST_F(DialogScreens, SiteSettingsSheet) {
  Start(ExampleProject());
  CProjectExtensions& ext = frame->Doc().GetProject().ext;
  ext.websubHubs = {"https://pubsubhubbub.appspot.com/", "https://websub.example.jp/hub"};
  ext.verifyUrl = true;
  CFeedSection diary{Lit("坂道"), CFeedSection::Rule::kFolder, "slopes/", "index-slopes.xml", "atom-slopes.xml", Lit(" - 坂道"),
                     "feed-slopes.json"};
  CFeedSection news{Lit("お知らせ"), CFeedSection::Rule::kCategory, Lit("お知らせ"), Lit("index-お知らせ.xml"), "news.xml",
                    Lit(" - お知らせ"), "news.json"};
  ext.sections = {diary, news};
  dialogs.Then(Look([this](wxDialog* d) {
    wxBookCtrlBase* book = static_cast<CSettingsSheetDialog*>(d)->GetBookCtrl();
    wxBookCtrlBase* list = static_cast<CSettingsSheetDialog*>(d)->ExtensionBook();
    const char* names[] = {"settings_1_site", "settings_2_folder", "settings_3_rss", "settings_4_atom", "settings_5_ftp",
                           "settings_6_ext", "settings_7_json", "settings_8_notify", "settings_9_sections",
                           "settings_10_podcast"};
    size_t shown = 0;
    for (size_t i = 0; i < book->GetPageCount(); ++i) {
      book->SetSelection(i);
      if (book->GetPage(i) != list) {
        Check(d, names[shown++]);
        continue;
      }
      for (size_t entry = 0; entry < list->GetPageCount(); ++entry) {  // the tab "拡張": each entry of its list
        list->SetSelection(entry);
        Check(d, names[shown++]);
      }
    }
    EXPECT_EQ(shown, std::size(names));
  }));
  frame->RunCommand(ID_SITE_SETTINGS);
}

// The editor of one section, opened from the page "セクション" over the first section.
TEST_F(DialogScreens, SectionEditor) {
  Start(ExampleProject());
  frame->Doc().GetProject().ext.sections = {
      CFeedSection{Lit("坂道"), CFeedSection::Rule::kFolder, "slopes/", "index-slopes.xml", "atom-slopes.xml", Lit(" - 坂道"),
                   "feed-slopes.json"}};
  dialogs.Then(Look([](wxDialog* d) {
    auto* sheet = static_cast<CSettingsSheetDialog*>(d);
    sheet->GetBookCtrl()->SetSelection(sheet->GetBookCtrl()->GetPageCount() - 1);  // "拡張", then its "セクション"
    sheet->ExtensionBook()->SetSelection(3);
    wxWindow* edit = d->FindWindow(XRCID("section_edit"));
    wxCommandEvent click(wxEVT_BUTTON, edit->GetId());
    click.SetEventObject(edit);
    edit->GetEventHandler()->ProcessEvent(click);
  }));
  dialogs.Then(Look([this](wxDialog* d) { Check(d, "section_editor"); }));
  frame->RunCommand(ID_SITE_SETTINGS);
  EXPECT_EQ(dialogs.Pending(), 0u);
}

// The item editor with its image and "フィードに載せない(H)", over an item that has both.
TEST_F(DialogScreens, ItemEditor) {
  Start(ExampleProject());
  CRssItem* item = frame->Doc().GetProject().GetAt(0);
  item->ext.image = "https://yamanote.example.jp/img/photo.png";
  item->ext.hidden = true;
  dialogs.Then(Look([this](wxDialog* d) { Check(d, "item_editor"); }));
  frame->View()->List()->SelectOnly(0);
  frame->RunCommand(ID_ITEM_EDIT);
  EXPECT_EQ(dialogs.Pending(), 0u);
}

TEST_F(DialogScreens, ProfileChooserAndFtpTransfer) {
  Start(ExampleProject());
  CVamelProfile sibling("Quillstone", "Marrowpad");
  sibling.PutInt("ftp", "Count", 2);
  sibling.PutString("ftp", "Name0", Lit("山の手日記"));
  sibling.PutString("ftp", "Host0", "ftp.yamanote.example.jp");
  sibling.PutString("ftp", "User0", "sakano");
  sibling.PutString("ftp", "LocalDir0", frame->Doc().GetProject().localFolder);
  sibling.PutString("ftp", "RemoteDir0", "public_html");
  sibling.PutString("ftp", "Name1", Lit("仕事用"));
  sibling.PutString("ftp", "Host1", "sftp://work.example.jp");
  dialogs.Then(Look([this](wxDialog* d) {
    Check(d, "ftp_transfer");
    wxCommandEvent click(wxEVT_BUTTON, XRCID("ftp_profiles"));
    wxWindow* button = d->FindWindow(XRCID("ftp_profiles"));
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
  }));
  dialogs.Then(Look([this](wxDialog* d) { Check(d, "ftp_profile_chooser"); }));
  RunFtpProfileMode(desktop.Parent(), frame->Doc().GetProject(), desktop);
}

TEST_F(DialogScreens, Options) {
  Start(ExampleProject());
  dialogs.Then(Look([this](wxDialog* d) { Check(d, "options"); }));
  frame->RunCommand(ID_OPTIONS);
}

TEST_F(DialogScreens, EveryCancelReadsTheSameAndStandsWhereThePlatformPutsIt) {
  Start(ExampleProject());
  // GTK puts Cancel before the button that confirms; every dialog of the program does the same, with
  // the program's "ｷｬﾝｾﾙ".
  auto check = [](wxWindow* d, wxWindow* confirm, const char* name) {
    wxWindow* cancel = d->FindWindow(wxID_CANCEL);
    ASSERT_TRUE(cancel && confirm) << name;
    EXPECT_EQ(cancel->GetLabel(), Wx("ｷｬﾝｾﾙ")) << name;
    const wxRect c = cancel->GetScreenRect(), ok = confirm->GetScreenRect();
    EXPECT_LT(c.GetRight(), ok.x) << name;
    EXPECT_LT(std::abs(c.GetBottom() - ok.GetBottom()), 8) << name;  // in the same row
  };
  for (const char* name : {"ExclusionListDialog", "ExistingUrlDialog", "ExtensionDialog", "FtpProfileDialog", "ItemEditorDialog",
                           "MarkerTagDialog", "OptionsDialog", "CategoryDialog", "InputDialog"}) {
    wxDialog d;
    ASSERT_TRUE(wxXmlResource::Get()->LoadDialog(&d, frame, name)) << name;
    d.Fit();
    d.Layout();
    wxWindow* confirm = d.FindWindow(wxID_OK);
    check(&d, confirm ? confirm : d.FindWindow(XRCID("replace")), name);
  }
  // The item editor at its smallest: its marker tag button keeps its distance from OK and Cancel.
  {
    wxDialog d;
    ASSERT_TRUE(wxXmlResource::Get()->LoadDialog(&d, frame, "ItemEditorDialog"));
    d.SetSize(d.GetBestSize());
    d.Layout();
    const wxRect tags = d.FindWindow(XRCID("tags"))->GetRect();
    const int buttons = std::min(d.FindWindow(wxID_OK)->GetRect().x, d.FindWindow(wxID_CANCEL)->GetRect().x);
    EXPECT_GE(buttons - tags.GetRight(), 12);
  }
  // The sheet "サイトの設定" and the wizard "RSSの新規作成", whose buttons wx makes.
  dialogs.Then([&check](wxDialog* d) {
    check(d, d->FindWindow(wxID_OK), "sheet");
    return static_cast<int>(wxID_CANCEL);
  });
  frame->RunCommand(ID_SITE_SETTINGS);
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(d->FindWindow(wxID_CANCEL)->GetLabel(), Wx("ｷｬﾝｾﾙ"));
    return static_cast<int>(wxID_CANCEL);
  });
  frame->RunCommand(ID_FILE_NEW);
}
