// The preview pane: an embedded browser that shows an item's preview HTML through a page file of its
// own, loads local files and URLs, and never goes to an "app:" address.
#pragma once

#include <wx/panel.h>

#include <string>

class wxWebView;
class wxWebViewEvent;

class CHtmlCtrl : public wxPanel {
public:
  CHtmlCtrl(wxWindow* parent, wxWindowID id);
  ~CHtmlCtrl() override;  // the page file goes with the pane

  // Writes `html` (internal text) to the page file byte for byte and shows it.
  void SetHtml(const std::string& html);
  // Loads a file path or a URL (internal text).
  void Navigate(const std::string& address);
  // Called for each "app:" address that was refused, with the rest of the address; does nothing here.
  virtual void OnAppCmd(const std::string& rest);

  const std::string& PagePath() const { return m_pagePath; }
  // The address last asked for, and how many "app:" addresses were refused.
  const std::string& LastAddress() const { return m_lastAddress; }
  int RefusedAppAddresses() const { return m_refused; }

private:
  void OnNavigating(wxWebViewEvent& event);

  wxWebView* m_browser = nullptr;
  std::string m_pagePath;
  std::string m_lastAddress;
  int m_refused = 0;
};
