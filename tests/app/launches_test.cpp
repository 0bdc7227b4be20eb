// Programs started for the user, for real: a viewer, an editor or the desktop's opener that cannot do
// its work is reported with its name and the reason, in Japanese; an item's URL that is not a web
// address never reaches the opener.
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/feed_commands.h"
#include "app/launch_commands.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "settings/options.h"
#include "support/test_env.h"

namespace {

// The scripted interaction with the real launches of the base class.
class CLaunchingInteraction : public CScriptedInteraction {
public:
  void OpenWithShell(const std::string& path) override { CInteraction::OpenWithShell(path); }
  void RunProgram(const std::string& program, const std::string& parameter, const std::string& role) override {
    CInteraction::RunProgram(program, parameter, role);
  }
};

class Launches : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    // The desktop's opener: a stand-in that fails as xdg-open does when nothing opens the file.
    std::filesystem::create_directory(TempPath("bin"));
    Script("xdg-open", "exit 3");
    m_path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (TempPath("bin") + ":" + m_path).c_str(), 1);
    project.siteUrl = "https://example.jp/";
    project.localFolder = TempFolder();
    auto item = std::make_unique<CRssItem>(1136163784);
    item->url = "https://example.jp/a.html";
    project.Add(std::move(item));
  }
  void TearDown() override {
    setenv("PATH", m_path.c_str(), 1);
    VamelTest::TearDown();
  }
  void Script(const std::string& name, const std::string& body) {
    WriteFile(TempPath("bin/" + name), "#!/bin/sh\n" + body + "\n");
    ::chmod(TempPath("bin/" + name).c_str(), 0755);
  }
  // The messages shown once every watched launch has ended (bounded).
  std::vector<std::string> Reported() {
    for (int i = 0; i < 2000 && launching.CheckLaunches(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::vector<std::string> texts = launching.Texts();
    launching.shown.clear();
    return texts;
  }

  CLaunchingInteraction launching;
  CRssFile project;

private:
  std::string m_path;
};

}  // namespace

TEST_F(Launches, AProgramThatCannotRunIsNamedWithItsReason) {
  const std::string feed = TempPath("index.rdf");
  const std::string settings = "\r\n「表示」メニューの「設定(O)...」でRSSビューアを確かめてください。";
  // No viewer set and the opener finds nothing: it fails after it has started.
  SetRssViewerOption("");
  ShowFeedFile(project, true, launching);
  EXPECT_EQ(Reported(), std::vector<std::string>{"RSSビューア「xdg-open」で「" + feed +
                                                 "」を開けませんでした（開くプログラムが見つかりません）。" + settings});
  // A viewer that does not exist fails at once.
  SetRssViewerOption(TempPath("bin/no-viewer"));
  ShowFeedFile(project, true, launching);
  EXPECT_EQ(launching.Texts(), std::vector<std::string>{"RSSビューア「" + TempPath("bin/no-viewer") +
                                                        "」を起動できませんでした（プログラムが見つかりません）。" + settings});
  launching.shown.clear();
  // One that runs says nothing.
  Script("viewer", "exit 0");
  SetRssViewerOption(TempPath("bin/viewer"));
  ShowFeedFile(project, true, launching);
  EXPECT_TRUE(Reported().empty());

  // No HTML editor at all: said so, and the page is not shown in a browser instead.
  SetHtmlEditorOption("");
  EditItemFile(project, 0, launching);
  EXPECT_EQ(Reported(), std::vector<std::string>{"HTMLエディタが見つかりません。\r\n「表示」メニューの「設定(O)...」でHTMLエディタを指定してください。"});
  Script("editor", "exit 1");
  SetHtmlEditorOption(TempPath("bin/editor"));
  EditItemFile(project, 0, launching);
  EXPECT_EQ(Reported(), std::vector<std::string>{"HTMLエディタ「" + TempPath("bin/editor") + "」で「" + TempPath("a.html") +
                                                 "」を開けませんでした（終了コード 1 で終了しました）。\r\n"
                                                 "「表示」メニューの「設定(O)...」でHTMLエディタを確かめてください。"});

  // An item's URL that is no web address is refused; a web address goes to the opener.
  project.GetAt(0)->url = "javascript:alert(1)";
  OpenItemUrl(project, 0, launching);
  EXPECT_EQ(launching.Texts(), std::vector<std::string>{"「javascript:alert(1)」は開けません。\r\n開くのは http と https のURL、ローカルファイルだけです。"});
  launching.shown.clear();
  project.GetAt(0)->url = "https://example.jp/b.html";
  OpenItemUrl(project, 0, launching);
  EXPECT_EQ(Reported(), std::vector<std::string>{"「xdg-open」で「https://example.jp/b.html」を開けませんでした（開くプログラムが見つかりません）。"});
}
