// The preview pane holds hostile item HTML in: its page file cannot be planted, no script runs, and the
// pane stays on the page it was given. Real windows under Xvfb, a real HTTP server on 127.0.0.1.
#include <sys/stat.h>
#include <unistd.h>

#include <wx/uiaction.h>
#include <wx/webview.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/rss_file.h"
#include "model/rss_item.h"
#include "support/missing.h"
#include "support/test_server.h"
#include "ui/html_ctrl.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/ui_fixture.h"
#include "ui/wx_text.h"

namespace {

namespace fs = std::filesystem;

class Preview : public UiTest {
protected:
  CHtmlCtrl& Pane() { return *frame->View()->Preview(); }
  std::string Url() { return Pane().Browser()->GetCurrentURL().utf8_string(); }
  std::string Title() { return Pane().Browser()->GetCurrentTitle().utf8_string(); }
};

unsigned Mode(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
}

}  // namespace

// The rule, case by case: the given page (its fragment aside) and the redirects of a web page are
// shown; a clicked link to a web page opens outside; nothing else is followed.
TEST(PreviewRule, ShowsTheGivenPageOpensClickedLinksOutsideAndRefusesTheRest) {
  const std::string page = "file:///tmp/vamelrss-x/VamelHtmlCtrl.html";
  auto decide = [](const std::string& uri, bool click, bool redirect, const std::string& given, bool web) {
    return DecidePreviewNavigation(CPreviewNavigation{uri, click, redirect}, given, web);
  };
  EXPECT_EQ(decide(page, false, false, page, false), PreviewDecision::kShow);
  EXPECT_EQ(decide(page + "#top", true, false, page, false), PreviewDecision::kShow);
  EXPECT_EQ(decide("https://example.jp/", false, false, page, false), PreviewDecision::kRefuse);  // a refresh
  EXPECT_EQ(decide("https://example.jp/", true, false, page, false), PreviewDecision::kOpenOutside);
  EXPECT_EQ(decide("HTTP://example.jp/", true, false, page, false), PreviewDecision::kOpenOutside);
  EXPECT_EQ(decide("file:///etc/passwd", true, false, page, false), PreviewDecision::kRefuse);
  EXPECT_EQ(decide("javascript:alert(1)", true, false, page, false), PreviewDecision::kRefuse);
  EXPECT_EQ(decide("https://example.jp/b", false, true, "https://example.jp/a", true), PreviewDecision::kShow);
  EXPECT_EQ(decide("file:///etc/passwd", false, true, "https://example.jp/a", true), PreviewDecision::kRefuse);
  EXPECT_EQ(decide("https://example.jp/b", false, true, page, false), PreviewDecision::kRefuse);
  EXPECT_EQ(decide("", false, false, "", false), PreviewDecision::kRefuse);
}

// Another user plants "VamelHtmlCtrl.html" in the shared temporary folder as a link to a file of ours:
// the pane writes its page in a private folder (0700) as a new file (0600), and the link's target is
// never made.
TEST_F(Preview, ThePageFileIsPrivateAndAPlantedLinkIsNotFollowed) {
  const std::string shared = TempPath("tmp");
  fs::create_directories(shared);
  const std::string victim = TempPath("victim_authorized_keys");
  ASSERT_EQ(::symlink(victim.c_str(), (shared + "/VamelHtmlCtrl.html").c_str()), 0);
  setenv("TMPDIR", shared.c_str(), 1);
  const std::string file = MakeExampleProject();
  Start(file);
  frame->View()->List()->SelectOnly(0);
  frame->View()->RefreshList(0);
  const std::string page = Pane().PagePath();
  ASSERT_TRUE(WaitFor([&] { return fs::exists(page); }));
  unsetenv("TMPDIR");
  EXPECT_FALSE(fs::exists(fs::symlink_status(victim)));
  const fs::path folder = fs::path(page).parent_path();
  EXPECT_EQ(folder.parent_path(), fs::path(shared));
  EXPECT_EQ(folder.filename().string().rfind("vamelrss-", 0), 0u) << page;
  EXPECT_EQ(Mode(folder.string()), 0700u);
  EXPECT_EQ(Mode(page), 0600u);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(page)));
  Close(frame);
  EXPECT_FALSE(fs::exists(page));
}

// Item HTML with a script, a refresh that would take the pane to a local file and a link: the script
// does not run, the refresh is refused, the user's click opens the link outside; in URL mode only web
// pages load (their redirects followed), never javascript:, file: or data: addresses.
TEST_F(Preview, NoScriptRunsAndThePaneStaysOnItsPage) {
  if (!HaveProgram("/usr/bin/python3")) SKIP_OR_FAIL_IN_CI("no python3 for the HTTP server");
  CTestServer server;
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  const std::string file = MakeExampleProject();
  Start(file);
  std::vector<std::string> opened;
  Pane().openOutside = [&](const std::string& url) { opened.push_back(url); };
  Pane().SetHtml("<html><head><title>before</title>"
                 "<meta http-equiv=\"refresh\" content=\"0; url=file:///etc/passwd\"></head>"
                 "<body style=\"margin:0\"><script>document.title = 'ran';</script>"
                 "<a href=\"" + base + "/clicked\" style=\"display:block;width:3000px;height:3000px\">link</a>"
                 "</body></html>");
  const std::string page = Url();
  ASSERT_EQ(page.rfind("file://", 0), 0u) << page;
  ASSERT_TRUE(WaitFor([&] { return Pane().RefusedNavigations() >= 1 && !Title().empty(); }));
  EXPECT_EQ(Title(), "before");
  EXPECT_EQ(Url(), page);
  EXPECT_TRUE(opened.empty());

  wxWebView* browser = Pane().Browser();
  wxUIActionSimulator user;
  user.MouseMove(browser->GetScreenRect().GetPosition() + wxPoint(20, 20));
  user.MouseClick();
  ASSERT_TRUE(WaitFor([&] { return !opened.empty(); }));
  EXPECT_EQ(opened, std::vector<std::string>{base + "/clicked"});
  EXPECT_EQ(Url(), page);

  // The item's local page (mode "ローカル"), then its web page (mode "URL"), redirects followed.
  Pane().Navigate(TempPath("site/about.html"));
  ASSERT_TRUE(WaitFor([&] { return !Title().empty() && Url().find("about.html") != std::string::npos; })) << Url();
  Pane().Navigate(base + "/redirect302");
  ASSERT_TRUE(WaitFor([&] { return Title() == "テスト"; })) << Url();
  EXPECT_EQ(Url(), base + "/page.html");
  for (const char* address : {"javascript:document.title='ran'", "file:///etc/passwd", "data:text/html,x"}) {
    Pane().Navigate(address);
    ASSERT_TRUE(WaitFor([&] { return Url() == "about:blank"; })) << address << " " << Url();
  }
  Close(frame);
}
