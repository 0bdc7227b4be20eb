#include "ui/dialogs/folder_scan_dialog.h"

#include <wx/button.h>
#include <wx/utils.h>

#include <algorithm>

#include "app/extension_list_edit.h"
#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/list_edit_dialogs.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/scan_list_ctrl.h"

namespace {

constexpr int kMinListWidth = 560;
constexpr int kListHeight = 360;

}  // namespace

CFolderScanDialog::CFolderScanDialog(wxWindow* parent, CRssFile& project, CInteraction& ui)
    : m_scan(project), m_ui(ui) {
  LoadXrcDialog(this, parent, "FolderScanDialog");
  m_list = new CScanListCtrl(this, wxID_ANY, m_scan);
  wxXmlResource::Get()->AttachUnknownControl("list", m_list, this);

  Bind(wxEVT_BUTTON, &CFolderScanDialog::OnImport, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CFolderScanDialog::OnExtensions, this, XRCID("extensions"));
  Bind(wxEVT_BUTTON, &CFolderScanDialog::OnSelectNew, this, XRCID("select_new"));
  Bind(wxEVT_BUTTON, &CFolderScanDialog::OnExcludeFiles, this, XRCID("exclude_files"));
  Bind(wxEVT_BUTTON, &CFolderScanDialog::OnExcludeFolder, this, XRCID("exclude_folder"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExcludedList(ExclusionKind::kFiles); }, XRCID("excluded_files"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExcludedList(ExclusionKind::kFolders); }, XRCID("excluded_folders"));
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CFolderScanDialog::OnActivated, this);

  // Every scan, the first one and those after an exclusion, shows the wait cursor.
  m_scan.SetScanWrapper([](const std::function<void()>& scan) {
    wxBusyCursor busy;
    scan();
  });
  m_scan.Open();
  m_list->ShowRows();
  // Wide enough for the columns as sized, within the screen.
  const int widest = wxGetDisplaySize().x * 3 / 4;
  m_list->SetInitialSize(wxSize(std::clamp(m_list->ColumnsWidth(), kMinListWidth, widest), kListHeight));
  FitDialog(this);
  CentreOnParent();
  m_list->SetFocus();
}

void CFolderScanDialog::OnImport(wxCommandEvent&) {
  m_list->CopySelectionTo(m_scan);
  EndModal(wxID_OK);
}

void CFolderScanDialog::OnExtensions(wxCommandEvent&) {
  m_list->CopySelectionTo(m_scan);
  CExtensionListEdit edit(m_scan.GetExtensions());
  CExtensionDialog dialog(this, edit, m_ui);
  if (dialog.ShowModal() != wxID_OK) return;
  edit.Apply(m_scan);
  m_list->ShowRows();
}

void CFolderScanDialog::OnSelectNew(wxCommandEvent&) {
  m_scan.SelectNewPages();
  m_list->ShowRows();
}

void CFolderScanDialog::OnExcludeFiles(wxCommandEvent&) {
  m_list->CopySelectionTo(m_scan);
  if (m_scan.ExcludeSelectedFiles(m_ui)) m_list->ShowRows();
}

void CFolderScanDialog::OnExcludeFolder(wxCommandEvent&) {
  m_list->CopySelectionTo(m_scan);
  if (m_scan.ExcludeFocusedFolder(m_ui)) m_list->ShowRows();
}

void CFolderScanDialog::OnExcludedList(ExclusionKind kind) {
  m_list->CopySelectionTo(m_scan);
  CExclusionListEdit edit(m_scan.GetProject(), kind);
  CExclusionListDialog dialog(this, edit, m_ui);
  if (dialog.ShowModal() != wxID_OK) return;
  edit.Apply(m_scan);
  m_list->ShowRows();
}

void CFolderScanDialog::OnActivated(wxListEvent& event) { m_scan.OpenRow(static_cast<int>(event.GetIndex()), m_ui); }
