// The desktop app's tests run inside a wx application of their own: wx is started (with the dialogs'
// resources and the Japanese translations the app uses), then the tests, then wx is shut down. Each run
// starts itself again on a virtual display of its own (xvfb-run, 1280 by 800), so no window reaches the
// developer's desktop; listing the tests needs no display.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/xrc/xmlres.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/vamel_app.h"

extern void InitXmlResource();

namespace {

class CTestApp : public wxApp {
public:
  bool OnInit() override {
    UseJapaneseTranslations();
    wxXmlResource::Get()->InitAllHandlers();
    InitXmlResource();
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
  if (!listing && !std::getenv("VAMELRSS_UI_TEST_DISPLAY")) {
    setenv("VAMELRSS_UI_TEST_DISPLAY", "1", 1);
    std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                               const_cast<char*>("-screen 0 1280x800x24")};
    for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("xvfb-run", args.data());
    std::perror("xvfb-run");
    return 1;
  }
  testing::InitGoogleTest(&argc, argv);
  if (listing) return RUN_ALL_TESTS();
  wxApp::SetInstance(new CTestApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 1;
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
