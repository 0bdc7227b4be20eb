#include "ui/dialogs/transfer_windows.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <memory>

#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

namespace {

// The status window's size in dialog units, as the program has always had it.
const wxSize kFtpWindowSize(232, 54);
// The bar's range: a length beyond what an int holds is shown in proportion.
constexpr int kBarRange = 1000;

class CFtpStatusWindow : public CTransferWindow {
public:
  CFtpStatusWindow(wxWindow* parent, const wxString& title) {
    LoadXrcDialog(this, parent, "FtpStatusWindow");
    SetTitle(title);
    m_status = XrcControl<wxStaticText>(this, "status");
    m_file = XrcControl<wxStaticText>(this, "file");
    // Closing it would not stop the upload: it closes when the upload ends.
    Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
      if (event.CanVeto()) event.Veto();
      else event.Skip();
    });
    GetSizer()->SetMinSize(ConvertDialogToPixels(kFtpWindowSize));
    FitDialog(this);
    CentreOnParent();
  }
  void ShowStatus(const wxString& text) override { m_status->SetLabelText(text); }
  void ShowFile(const wxString& text) override { m_file->SetLabelText(text); }

private:
  wxStaticText* m_status;
  wxStaticText* m_file;
};

class CDownloadWindow : public CTransferWindow {
public:
  CDownloadWindow(wxWindow* parent, const wxString& title) {
    LoadXrcDialog(this, parent, "DownloadWindow");
    SetTitle(title);
    m_status = XrcControl<wxStaticText>(this, "status");
    m_name = XrcControl<wxStaticText>(this, "name");
    m_bar = XrcControl<wxGauge>(this, "bar");
    m_count = XrcControl<wxStaticText>(this, "count");
    m_bar->SetRange(kBarRange);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_cancelRequested = true; }, XRCID("cancel"));
    SetEscapeId(XRCID("cancel"));
    // The close box asks like the button; the window closes when the download ends.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
      if (event.CanVeto()) {
        event.Veto();
        m_cancelRequested = true;
      } else {
        event.Skip();
      }
    });
    FitDialog(this);
    CentreOnParent();
  }
  void ShowStatus(const wxString& text) override { m_status->SetLabelText(text); }
  void ShowFile(const wxString& text) override { m_name->SetLabelText(text); }
  void ShowProgress(unsigned long long received, unsigned long long total) override {
    if (total == 0) {
      m_bar->Pulse();  // the length is unknown
      return;
    }
    const unsigned long long done = received >= total ? total : received;
    m_bar->SetValue(static_cast<int>(done * kBarRange / total));
  }
  void ShowCount(const wxString& text) override { m_count->SetLabelText(text); }
  bool TakeCancelRequest() override {
    const bool requested = m_cancelRequested;
    m_cancelRequested = false;
    return requested;
  }

private:
  wxStaticText* m_status;
  wxStaticText* m_name;
  wxGauge* m_bar;
  wxStaticText* m_count;
  bool m_cancelRequested = false;
};

// The core's side of a window: the texts go in, the window repaints while the transfer blocks, and
// the window closes when the core deletes this.
class CWindowSink : public CProgressSink {
public:
  explicit CWindowSink(CTransferWindow* window) : m_window(window) {
    m_window->Show();
    m_disabler = std::make_unique<wxWindowDisabler>(m_window);
    Pump();
  }
  ~CWindowSink() override {
    m_disabler.reset();
    m_window->Hide();
    m_window->Destroy();
  }
  void SetStatus(const std::string& text) override {
    m_window->ShowStatus(ToWx(text));
    Pump();
  }
  void SetFileText(const std::string& text) override { m_window->ShowFile(ToWx(text)); }
  void SetProgress(unsigned long long received, unsigned long long total) override {
    m_window->ShowProgress(received, total);
  }
  void SetCountText(const std::string& text) override { m_window->ShowCount(ToWx(text)); }
  bool IsCancelled() override { return m_window->TakeCancelRequest(); }
  // Lets the pending events through: the window repaints and its button answers. The other windows
  // are disabled, so nothing else can start meanwhile.
  void Pump() override {
    m_window->Update();
    wxTheApp->Yield(true);
  }

private:
  CTransferWindow* m_window;
  std::unique_ptr<wxWindowDisabler> m_disabler;
};

}  // namespace

CProgressSink* OpenTransferWindow(wxWindow* parent, const std::string& title, bool cancellable) {
  CTransferWindow* window = nullptr;
  if (cancellable) window = new CDownloadWindow(parent, ToWx(title));
  else window = new CFtpStatusWindow(parent, ToWx(title));
  return new CWindowSink(window);
}
