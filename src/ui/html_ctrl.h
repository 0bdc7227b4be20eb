// The preview pane: an embedded browser that shows an item's preview HTML through a page file of its
// own, loads local files and web pages, and never goes to an "app:" address.
//
// Item HTML comes from whatever feed or page was imported, so the pane holds it in: JavaScript is off,
// only local files and http and https addresses are loaded, and the pane stays on the page it was
// given (a page that tries to go elsewhere by itself is stopped; a link the user clicks opens in the
// system's browser). The page file lies in the process's private folder, created anew with mode 0600.
#pragma once

#include <wx/panel.h>

#include <functional>
#include <string>

class wxWebView;
class wxWebViewEvent;

// What the browser engine says of a navigation it is about to make.
struct CPreviewNavigation {
  std::string uri;           // UTF-8, as the engine spells it
  bool userClickedLink = false;  // a click (a user gesture) on a link
  bool redirect = false;         // the server of the page being loaded sent it elsewhere
};

enum class PreviewDecision {
  kShow,         // the page the pane was given (or where its server redirected it)
  kOpenOutside,  // a web page the user clicked a link to: the system's browser shows it
  kRefuse,
};

// The rule: the address the pane was given (`given`, as the engine spells it; its fragment aside) is
// shown, and so are redirects while a web page (`givenIsWeb`) loads, to http and https addresses only;
// a clicked link to a web page opens outside; everything else (a page's own refresh, forms, frames,
// other schemes) is refused.
PreviewDecision DecidePreviewNavigation(const CPreviewNavigation& navigation, const std::string& given, bool givenIsWeb);

class CHtmlCtrl : public wxPanel {
public:
  CHtmlCtrl(wxWindow* parent, wxWindowID id);
  ~CHtmlCtrl() override;  // the page file goes with the pane

  // Writes `html` (internal text) to the page file byte for byte and shows it.
  void SetHtml(const std::string& html);
  // Loads a local file path or an http or https URL (internal text); any other address shows an empty
  // page.
  void Navigate(const std::string& address);
  // Called for each "app:" address that was refused, with the rest of the address; does nothing here.
  virtual void OnAppCmd(const std::string& rest);

  // Opens a clicked link's web address (internal text) outside the pane; the system's browser by
  // default.
  std::function<void(const std::string& url)> openOutside;

  const std::string& PagePath() const { return m_pagePath; }
  wxWebView* Browser() const { return m_browser; }
  // The address last asked for, how many "app:" addresses were refused, and how many other
  // navigations the pane did not follow.
  const std::string& LastAddress() const { return m_lastAddress; }
  int RefusedAppAddresses() const { return m_refused; }
  int RefusedNavigations() const { return m_refusedNavigations; }

private:
  void Load(const std::string& url, bool web);
  void OnNavigating(wxWebViewEvent& event);
  void OnNewWindow(wxWebViewEvent& event);
  bool OnEngineNavigation(const CPreviewNavigation& navigation);

  wxWebView* m_browser = nullptr;
  unsigned long m_engineHandler = 0;
  std::string m_pagePath;
  std::string m_lastAddress;
  std::string m_given;         // the address being shown (UTF-8)
  std::string m_givenSpelled;  // the same as the engine spells it
  bool m_givenIsWeb = false;
  int m_refused = 0;
  int m_refusedNavigations = 0;
};

// The browser engine's part (one source file per engine): JavaScript off, and each navigation that
// wx lets through put to `allow` first (false stops it). Returns a handle for ReleasePreviewBrowser.
unsigned long LockDownPreviewBrowser(wxWebView* browser, std::function<bool(const CPreviewNavigation&)> allow);
// Stops calling `allow` (before the pane goes).
void ReleasePreviewBrowser(wxWebView* browser, unsigned long handle);
// The address being loaded, as the engine spells it ("" when it says nothing).
std::string PreviewBrowserAddress(wxWebView* browser);
