// "フィードの検査" after the feed-creation commands: the command's own messages first, then the
// findings in their window and in the status line; nothing at all for a clean feed.
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include "model/rss_file.h"
#include "model/rss_item.h"
#include "ui/command_wx_ids.h"
#include "app/vamel_rss_doc.h"
#include "ui/feed_check_window.h"
#include "ui/main_frame.h"
#include "ui/ui_fixture.h"
#include "ui/wx_text.h"

namespace {

class FeedCheckWindow : public UiTest {};

// The creation command's question, answered No (the viewer is not started).
CDialogScript::Handler NoViewer(const char* text) {
  return [text](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxMessageDialog)->GetMessage(), Wx(text));
    return static_cast<int>(wxID_NO);
  };
}

}  // namespace

TEST_F(FeedCheckWindow, FindingsAppearAfterTheMessagesOnlyWhenThereAreAny) {
  const std::string file = MakeExampleProject();
  Start(file);
  dialogs.Then(NoViewer("RSSファイルを作成しました。このファイルを開きますか？"));
  ASSERT_TRUE(frame->RunCommand(ID_CREATE_RSS));
  EXPECT_TRUE(frame->FeedCheckWindow() == nullptr || !frame->FeedCheckWindow()->IsShown());
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(5), "");

  // An item without a title: the feed is written, the message is the same, then the warning.
  frame->Doc().GetProject().GetAt(0)->title.clear();
  dialogs.Then(NoViewer("RSSファイルを作成しました。このファイルを開きますか？"));
  ASSERT_TRUE(frame->RunCommand(ID_CREATE_RSS));
  ASSERT_NE(frame->FeedCheckWindow(), nullptr);
  EXPECT_TRUE(frame->FeedCheckWindow()->IsShown());
  EXPECT_EQ(frame->FeedCheckWindow()->GetTitle(), Wx("フィードの検査"));
  EXPECT_GE(frame->FeedCheckWindow()->RowCount(), 1);
  const std::string summary = frame->GetStatusBar()->GetStatusText(5).utf8_string();
  EXPECT_EQ(summary.rfind("フィードの検査: エラー 0 件、警告 ", 0), 0u) << summary;
  Pump();
  EXPECT_TRUE(frame->GetMenuBar()->FindItem(WxIdOfCommand(ID_FEED_CHECK))->IsEnabled());

  // Closed, it comes back from the 表示 menu; "RSS&&Atom作成" checks both files.
  frame->FeedCheckWindow()->Close();
  EXPECT_FALSE(frame->FeedCheckWindow()->IsShown());
  ASSERT_TRUE(frame->RunCommand(ID_FEED_CHECK));
  EXPECT_TRUE(frame->FeedCheckWindow()->IsShown());
  dialogs.Then([](wxDialog* d) {
    EXPECT_EQ(wxDynamicCast(d, wxMessageDialog)->GetMessage(), Wx("RSSファイル Atomファイル の作成を完了しました"));
    return static_cast<int>(wxID_OK);
  });
  ASSERT_TRUE(frame->RunCommand(ID_CREATE_RSS_AND_ATOM));
  EXPECT_GE(frame->FeedCheckWindow()->RowCount(), 2);  // the RSS and the Atom file each miss a title

  // The title back: a clean feed clears the status line and hides the window.
  frame->Doc().GetProject().GetAt(0)->title = "title";
  dialogs.Then([](wxDialog*) { return static_cast<int>(wxID_OK); });
  ASSERT_TRUE(frame->RunCommand(ID_CREATE_RSS_AND_ATOM));
  EXPECT_FALSE(frame->FeedCheckWindow()->IsShown());
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(5), "");
}
