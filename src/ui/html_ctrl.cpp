#include "ui/html_ctrl.h"

#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/webview.h>

#include "app/item_view_model.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"
#include "ui/wx_text.h"

namespace {

std::string WithoutFragment(const std::string& uri) { return uri.substr(0, uri.find('#')); }

}  // namespace

PreviewDecision DecidePreviewNavigation(const CPreviewNavigation& navigation, const std::string& given, bool givenIsWeb) {
  if (!given.empty() && WithoutFragment(navigation.uri) == WithoutFragment(given)) return PreviewDecision::kShow;
  if (navigation.redirect && givenIsWeb && IsWebAddress(navigation.uri)) return PreviewDecision::kShow;
  if (navigation.userClickedLink && IsWebAddress(navigation.uri)) return PreviewDecision::kOpenOutside;
  return PreviewDecision::kRefuse;
}

CHtmlCtrl::CHtmlCtrl(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id), openOutside([](const std::string& url) { ShellOpen(url); }), m_pagePath(MakePreviewPagePath()) {
  m_browser = wxWebView::New(this, wxID_ANY, wxString());
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_browser, wxSizerFlags(1).Expand());
  SetSizer(sizer);
  m_browser->Bind(wxEVT_WEBVIEW_NAVIGATING, &CHtmlCtrl::OnNavigating, this);
  m_browser->Bind(wxEVT_WEBVIEW_NEWWINDOW, &CHtmlCtrl::OnNewWindow, this);
  m_engineHandler = LockDownPreviewBrowser(m_browser, [this](const CPreviewNavigation& n) { return OnEngineNavigation(n); });
}

CHtmlCtrl::~CHtmlCtrl() {
  ReleasePreviewBrowser(m_browser, m_engineHandler);
  if (!m_pagePath.empty()) DeleteFileAt(m_pagePath);
}

void CHtmlCtrl::SetHtml(const std::string& html) {
  // The browser reads the page as UTF-8 by its byte-order mark: internal text would be guessed at and
  // garbled. The file is made anew, the owner's only, never through a link; a page file that cannot
  // be written leaves the browser on its old page.
  int error = 0;
  if (!WritePrivateFile(m_pagePath, "\xEF\xBB\xBF" + AnsiToUtf8(html), error)) return;
  m_lastAddress = m_pagePath;
  Load(wxFileName::FileNameToURL(wxFileName(ToWx(m_pagePath))).utf8_string(), false);
}

void CHtmlCtrl::Navigate(const std::string& address) {
  m_lastAddress = address;
  if (!address.empty() && address[0] == '/') {
    Load(wxFileName::FileNameToURL(wxFileName(ToWx(address))).utf8_string(), false);
  } else if (IsWebAddress(address)) {
    Load(AnsiToUtf8(address), true);
  } else if (IsAppCommandAddress(address)) {
    m_browser->LoadURL(ToWx(address));  // refused on its way, as the page's own "app:" links are
  } else {
    Load("about:blank", false);  // javascript:, file:, data: and the like are not the pane's to show
  }
}

void CHtmlCtrl::Load(const std::string& url, bool web) {
  m_given = url;
  m_givenIsWeb = web;
  m_browser->LoadURL(wxString::FromUTF8(url));
  // The engine's own spelling of the address (escapes, a final "/"), which its navigation reports.
  m_givenSpelled = PreviewBrowserAddress(m_browser);
}

void CHtmlCtrl::OnAppCmd(const std::string&) {}

void CHtmlCtrl::OnNavigating(wxWebViewEvent& event) {
  const std::string address = FromWx(event.GetURL());
  if (!IsAppCommandAddress(address)) return;
  event.Veto();
  ++m_refused;
  OnAppCmd(address.substr(4));
}

void CHtmlCtrl::OnNewWindow(wxWebViewEvent& event) {
  // The engine opens no window of its own; a link the user clicked (target="_blank") opens outside.
  CPreviewNavigation navigation;
  navigation.uri = event.GetURL().utf8_string();
  navigation.userClickedLink = event.GetNavigationAction() == wxWEBVIEW_NAV_ACTION_USER;
  OnEngineNavigation(navigation);
}

bool CHtmlCtrl::OnEngineNavigation(const CPreviewNavigation& navigation) {
  PreviewDecision decision = DecidePreviewNavigation(navigation, m_given, m_givenIsWeb);
  if (decision != PreviewDecision::kShow && DecidePreviewNavigation(navigation, m_givenSpelled, m_givenIsWeb) == PreviewDecision::kShow) {
    decision = PreviewDecision::kShow;
  }
  switch (decision) {
    case PreviewDecision::kShow: return true;
    case PreviewDecision::kOpenOutside:
      if (openOutside) openOutside(Utf8ToAnsi(navigation.uri));
      break;
    case PreviewDecision::kRefuse: break;
  }
  ++m_refusedNavigations;
  return false;
}
