#include <cstdlib>
#include <filesystem>
#include <map>

#include "settings/options.h"
#include "settings/program_lookup.h"
#include "support/missing.h"
#include "support/test_env.h"

namespace {

// A desktop of its own: a fake browser registered for text/html through the real xdg-mime.
class ProgramLookup : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    std::filesystem::create_directories(TempPath("data/applications"));
    std::filesystem::create_directories(TempPath("xdgconfig"));
    std::filesystem::create_directories(TempPath("tmp"));
    Save("XDG_DATA_HOME", TempPath("data"));
    Save("XDG_CONFIG_HOME", TempPath("xdgconfig"));
    Save("XDG_DATA_DIRS", TempPath("none"));
    Save("TMPDIR", TempPath("tmp"));
  }
  void TearDown() override {
    for (auto& [name, value] : m_saved) {
      if (value.first) setenv(name.c_str(), value.second.c_str(), 1);
      else unsetenv(name.c_str());
    }
    VamelTest::TearDown();
  }
  void Save(const std::string& name, const std::string& value) {
    const char* old = std::getenv(name.c_str());
    m_saved[name] = {old != nullptr, old ? old : ""};
    setenv(name.c_str(), value.c_str(), 1);
  }
  std::map<std::string, std::pair<bool, std::string>> m_saved;
};

}  // namespace

TEST_F(ProgramLookup, DefaultHtmlProgramComesFromTheDesktopAndLeavesNoFile) {
  if (!HaveProgram("xdg-mime")) SKIP_OR_FAIL_IN_CI("xdg-mime is not installed");
  EXPECT_EQ(GetDefaultHtmlProgram(), "");  // nothing registered
  WriteFile(TempPath("data/applications/fake-browser.desktop"),
            "[Desktop Entry]\nType=Application\nName=Fake\nExec=sh %u\nMimeType=text/html;\n");
  WriteFile(TempPath("xdgconfig/mimeapps.list"), "[Default Applications]\ntext/html=fake-browser.desktop\n");
  // A file of the temporary name already exists: the look-up uses "VamelTemp(1).html" and keeps it.
  WriteFile(TempPath("tmp/VamelTemp.html"), "someone else's");
  std::string program = GetDefaultHtmlProgram();
  EXPECT_TRUE(program == "/usr/bin/sh" || program == "/bin/sh") << program;
  EXPECT_EQ(ReadFile(TempPath("tmp/VamelTemp.html")), "someone else's");
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(TempPath("tmp"))) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
  EXPECT_EQ(GetRssViewerProgram(), program);
  SetRssViewerOption("/opt/viewer");
  EXPECT_EQ(GetRssViewerProgram(), "/opt/viewer");
}

TEST_F(ProgramLookup, TheHtmlEditorIsAnEditorNeverTheDesktopsOpener) {
  if (!HaveProgram("xdg-mime")) SKIP_OR_FAIL_IN_CI("xdg-mime is not installed");
  std::filesystem::create_directories(TempPath("bin"));
  const char* path = std::getenv("PATH");
  Save("PATH", TempPath("bin") + ":" + (path ? path : "/usr/bin:/bin"));
  Save("VISUAL", "");
  unsetenv("VISUAL");
  auto program = [this](const char* name) {
    WriteFile(TempPath("bin/") + name, "#!/bin/sh\n");
    std::filesystem::permissions(TempPath("bin/") + name, std::filesystem::perms::owner_all);
    return TempPath("bin/") + name;
  };
  // Nothing on this desktop edits: nothing, rather than the opener that shows pages in a browser.
  EXPECT_EQ(FindHtmlEditor().program, "");
  EXPECT_EQ(GetHtmlEditorProgram(), "");
  // A desktop editor found on the machine, then $VISUAL before it (with its own arguments).
  const std::string known = program("gnome-text-editor");
  EXPECT_EQ(FindHtmlEditor().program, known);
  EXPECT_EQ(FindHtmlEditor().source, ProgramSource::kKnownEditor);
  program("myedit");
  setenv("VISUAL", "myedit --wait", 1);
  EXPECT_EQ(FindHtmlEditor().program, "myedit --wait");
  EXPECT_EQ(FindHtmlEditor().source, ProgramSource::kVisual);
  // The desktop's default for HTML counts when it is an editor, not when it is a browser.
  WriteFile(TempPath("data/applications/browser.desktop"),
            "[Desktop Entry]\nType=Application\nName=B\nExec=sh %u\nCategories=Network;WebBrowser;\nMimeType=text/html;\n");
  WriteFile(TempPath("xdgconfig/mimeapps.list"), "[Default Applications]\ntext/html=browser.desktop\n");
  EXPECT_EQ(FindHtmlEditor().source, ProgramSource::kVisual);
  WriteFile(TempPath("data/applications/editor.desktop"),
            "[Desktop Entry]\nType=Application\nName=E\nExec=gnome-text-editor %U\nCategories=Utility;TextEditor;\nMimeType=text/html;\n");
  WriteFile(TempPath("xdgconfig/mimeapps.list"), "[Default Applications]\ntext/html=editor.desktop\n");
  EXPECT_EQ(FindHtmlEditor().program, known);
  EXPECT_EQ(FindHtmlEditor().source, ProgramSource::kDesktop);
}

TEST_F(ProgramLookup, HtmlEditorPrefersTheSiblingsProgramThenTheOption) {
  std::string fallback = GetHtmlEditorProgram();
  // The sibling's program counts only when the file exists.
  CVamelProfile machine("Vamel", "Marrowpad");
  machine.PutString("", "Path", TempPath("gone/marrowpad"));
  EXPECT_EQ(GetHtmlEditorProgram(), fallback);
  WriteFile(TempPath("marrowpad"), "#!/bin/sh\n");
  machine.PutString("", "Path", TempPath("marrowpad"));
  EXPECT_EQ(GetHtmlEditorProgram(), TempPath("marrowpad"));
  EXPECT_EQ(FindHtmlEditor().source, ProgramSource::kSibling);
  SetHtmlEditorOption("");
  EXPECT_EQ(GetHtmlEditorProgram(), "");  // a stored empty text is used as it is
  SetHtmlEditorOption("/usr/bin/editor");
  EXPECT_EQ(GetHtmlEditorProgram(), "/usr/bin/editor");
  EXPECT_NE(ReadFile(machine.GetStorePath()).find("Path="), std::string::npos);
  EXPECT_EQ(ReadFile(machine.GetStorePath()).rfind("Path=", 0), 0u);  // a top-level value
}
