#include "ui/feed_check_window.h"

#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/feed_check_report.h"
#include "platform/file_system.h"
#include "ui/art.h"
#include "ui/wx_text.h"

namespace {

const char* const kColumns[] = {"ファイル", "行", "列", "種類", "要素", "内容"};
const int kWidths[] = {110, 50, 40, 50, 110, 420};

}  // namespace

CFeedCheckWindow::CFeedCheckWindow(wxWindow* owner)
    : wxFrame(owner, wxID_ANY, Wx("フィードの検査"), wxDefaultPosition, wxSize(820, 300),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT | wxFRAME_TOOL_WINDOW) {
  SetIcons(AppIcons());
  auto* panel = new wxPanel(this);
  m_summary = new wxStaticText(panel, wxID_ANY, wxString());
  m_list = new wxListCtrl(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES);
  for (size_t i = 0; i < std::size(kColumns); ++i) m_list->AppendColumn(Wx(kColumns[i]), wxLIST_FORMAT_LEFT, FromDIP(kWidths[i]));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_summary, wxSizerFlags().Border(wxALL, 8));
  sizer->Add(m_list, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 8));
  panel->SetSizer(sizer);
  // Closing only hides the window; the next check fills it again.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (event.CanVeto()) Hide();
    else event.Skip();
  });
}

void CFeedCheckWindow::SetReport(const CFeedCheckReport& report) {
  m_summary->SetLabel(ToWx(FeedCheckSummary(report)));
  m_list->DeleteAllItems();
  for (const CFeedCheckEntry& feed : report.feeds) {
    const wxString name = ToWx(NameOf(feed.path));
    for (const CFeedFinding& finding : feed.result.findings) {
      const long row = m_list->InsertItem(m_list->GetItemCount(), name);
      m_list->SetItem(row, 1, finding.line > 0 ? wxString::Format("%d", finding.line) : wxString());
      m_list->SetItem(row, 2, finding.column > 0 ? wxString::Format("%d", finding.column) : wxString());
      m_list->SetItem(row, 3, Wx(finding.severity == CheckSeverity::Error ? "エラー" : "警告"));
      m_list->SetItem(row, 4, ToWx(finding.element));
      m_list->SetItem(row, 5, ToWx(finding.message));
    }
  }
}

int CFeedCheckWindow::RowCount() const { return m_list->GetItemCount(); }
