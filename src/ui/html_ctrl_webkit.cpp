// The preview's browser engine on Linux: wxWebView's WebKitGTK backend, reached through its native
// WebKitWebView for what wxWebView does not offer (the JavaScript switch, and whether a navigation is a
// user's click).
#include <webkit2/webkit2.h>

#include <wx/webview.h>

#include <memory>

#include "ui/html_ctrl.h"

namespace {

using CAllow = std::function<bool(const CPreviewNavigation&)>;

// wx's own handler runs first: it sends wxEVT_WEBVIEW_NAVIGATING and stops what its handlers veto;
// what it lets through comes here.
gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type, gpointer data) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION && type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    return FALSE;  // responses: whether the engine can show what came
  }
  auto* navigationDecision = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(navigationDecision);
  WebKitURIRequest* request = webkit_navigation_action_get_request(action);
  const gchar* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  CPreviewNavigation navigation;
  navigation.uri = uri ? uri : "";
  navigation.userClickedLink = webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED &&
                               webkit_navigation_action_is_user_gesture(action);
  navigation.redirect = webkit_navigation_action_is_redirect(action);
  // A new window is never opened in the pane: at most the clicked page opens outside.
  const bool allowed = (*static_cast<CAllow*>(data))(navigation);
  if (allowed && type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  webkit_policy_decision_ignore(decision);
  return TRUE;
}

void DeleteAllow(gpointer data, GClosure*) { delete static_cast<CAllow*>(data); }

WebKitWebView* EngineOf(wxWebView* browser) {
  return browser ? static_cast<WebKitWebView*>(browser->GetNativeBackend()) : nullptr;
}

}  // namespace

unsigned long LockDownPreviewBrowser(wxWebView* browser, std::function<bool(const CPreviewNavigation&)> allow) {
  WebKitWebView* view = EngineOf(browser);
  if (!view) return 0;
  WebKitSettings* settings = webkit_web_view_get_settings(view);
  webkit_settings_set_enable_javascript(settings, FALSE);
  webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
  webkit_settings_set_allow_file_access_from_file_urls(settings, FALSE);
  webkit_settings_set_allow_universal_access_from_file_urls(settings, FALSE);
  auto* data = new CAllow(std::move(allow));
  return g_signal_connect_data(view, "decide-policy", reinterpret_cast<GCallback>(OnDecidePolicy), data, DeleteAllow,
                               static_cast<GConnectFlags>(0));
}

void ReleasePreviewBrowser(wxWebView* browser, unsigned long handle) {
  WebKitWebView* view = EngineOf(browser);
  if (view && handle) g_signal_handler_disconnect(view, handle);
}

std::string PreviewBrowserAddress(wxWebView* browser) {
  WebKitWebView* view = EngineOf(browser);
  const gchar* uri = view ? webkit_web_view_get_uri(view) : nullptr;
  return uri ? uri : "";
}
