#include "ui/html_ctrl.h"

#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/webview.h>

#include <cstdio>

#include "app/item_view_model.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "ui/wx_text.h"

namespace {

// A local path as the browser's address; URLs stay as they are.
wxString AddressOf(const std::string& address) {
  const wxString text = ToWx(address);
  if (!address.empty() && address[0] == '/') return wxFileName::FileNameToURL(wxFileName(text));
  return text;
}

}  // namespace

CHtmlCtrl::CHtmlCtrl(wxWindow* parent, wxWindowID id) : wxPanel(parent, id), m_pagePath(MakePreviewPagePath()) {
  m_browser = wxWebView::New(this, wxID_ANY, wxWebViewDefaultURLStr);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_browser, wxSizerFlags(1).Expand());
  SetSizer(sizer);
  m_browser->Bind(wxEVT_WEBVIEW_NAVIGATING, &CHtmlCtrl::OnNavigating, this);
}

CHtmlCtrl::~CHtmlCtrl() {
  if (FileExists(m_pagePath)) std::remove(NativePath(m_pagePath).c_str());
}

void CHtmlCtrl::SetHtml(const std::string& html) {
  // The browser reads the page as UTF-8 by its byte-order mark: internal text would be guessed at and
  // garbled. A page file that cannot be written leaves the browser on its old page.
  const std::string utf8 = "\xEF\xBB\xBF" + AnsiToUtf8(html);
  if (std::FILE* file = std::fopen(NativePath(m_pagePath).c_str(), "wb")) {
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fclose(file);
  }
  Navigate(m_pagePath);
}

void CHtmlCtrl::Navigate(const std::string& address) {
  m_lastAddress = address;
  m_browser->LoadURL(AddressOf(address));
}

void CHtmlCtrl::OnAppCmd(const std::string&) {}

void CHtmlCtrl::OnNavigating(wxWebViewEvent& event) {
  const std::string address = FromWx(event.GetURL());
  if (!IsAppCommandAddress(address)) return;
  event.Veto();
  ++m_refused;
  OnAppCmd(address.substr(4));
}
