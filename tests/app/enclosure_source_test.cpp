// Enclosures from what the user names (a media file of the site, a URL) and the media files of a
// podcast in the folder scan.
#include <filesystem>

#include "app/enclosure_source.h"
#include "app/folder_scan.h"
#include "app/item_editor.h"
#include "model/rss_item.h"
#include "support/harvest_fixture.h"
#include "support/media_files.h"
#include "support/test_server.h"

namespace {

class Enclosures : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    root = TempPath("site");
    MakeFolder(root + "/ep");
    UseFolder(project, root, 3);
  }
  std::string root;
  CRssFile project;
};

std::vector<std::string> Texts(const std::vector<CUserMessage>& messages) {
  std::vector<std::string> texts;
  for (const CUserMessage& m : messages) texts.push_back(U(m.text));
  return texts;
}

}  // namespace

TEST_F(Enclosures, FromAFileOfTheSite) {
  const std::string path = root + "/ep/第1回.mp3";
  ASSERT_TRUE(MakeTone(path, 3));
  CResult<CEnclosure> got = EnclosureFor(project, J(path));
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(U(got.value.url), "https://yamanote.example.jp/ep/第1回.mp3");
  EXPECT_EQ(got.value.length, static_cast<std::int64_t>(std::filesystem::file_size(path)));
  EXPECT_EQ(got.value.type, "audio/mpeg");
  EXPECT_EQ(got.value.duration, 3);
  EXPECT_TRUE(MissingEnclosureFacts(got.value).empty());

  // The site's URL of a file in the local folder is read from the file, not asked of the web.
  got = EnclosureFor(project, got.value.url);
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value.duration, 3);

  // Outside the local folder, missing, or no local folder: refused with the reason.
  ASSERT_TRUE(MakeTone(TempPath("elsewhere.mp3"), 1));
  got = EnclosureFor(project, TempPath("elsewhere.mp3"));
  EXPECT_FALSE(got);
  EXPECT_EQ(U(got.FirstText()), "添付ファイルはローカルフォルダ " + root + " の下にありません: " + TempPath("elsewhere.mp3"));
  got = EnclosureFor(project, root + "/ep/../../elsewhere.mp3");
  EXPECT_FALSE(got);
  EXPECT_FALSE(EnclosureFor(project, root + "/ep/none.mp3"));
  project.localFolder.clear();
  got = EnclosureFor(project, J(path));
  EXPECT_FALSE(got);
  EXPECT_NE(U(got.FirstText()).find("ローカルフォルダが設定されていない"), std::string::npos);

  // A file whose type and playing time are unknown is taken, with the facts named that are missing.
  project.localFolder = root;
  WriteFile(root + "/ep/notes.unknownext", "x");
  got = EnclosureFor(project, root + "/ep/notes.unknownext");
  ASSERT_TRUE(got);
  EXPECT_EQ(got.value.length, 1);
  EXPECT_EQ(Texts(MissingEnclosureFacts(got.value)),
            std::vector<std::string>{"添付ファイルの種類（MIMEタイプ）が分かりません: https://yamanote.example.jp/ep/notes.unknownext"});
  WriteFile(root + "/ep/broken.mp3", "");
  got = EnclosureFor(project, root + "/ep/broken.mp3");
  ASSERT_TRUE(got);
  EXPECT_EQ(Texts(MissingEnclosureFacts(got.value)),
            (std::vector<std::string>{"添付ファイルの長さ（バイト数）が分かりません: https://yamanote.example.jp/ep/broken.mp3",
                                      "添付ファイルの再生時間が分かりません: https://yamanote.example.jp/ep/broken.mp3"}));
}

TEST_F(Enclosures, FromTheWeb) {
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  CTestServer server;
  std::string error;
  ASSERT_TRUE(server.Start("http_server.py", {}, TempFolder(), &error)) << error;
  const std::string base = "HTTP://127.0.0.1:" + std::to_string(server.Port());
  CResult<CEnclosure> got = EnclosureFor(project, base + "/media.mp3");
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(got.value.url, base + "/media.mp3");
  EXPECT_EQ(got.value.length, 123456);
  EXPECT_EQ(got.value.type, "audio/mpeg");
  EXPECT_EQ(got.value.duration, 0);

  got = EnclosureFor(project, base + "/untold.mp3");
  ASSERT_TRUE(got) << U(got.FirstText());
  EXPECT_EQ(MissingEnclosureFacts(got.value).size(), 2u);
  got = EnclosureFor(project, base + "/gone.mp3");
  EXPECT_FALSE(got);
  EXPECT_EQ(U(got.FirstText()), "添付ファイルの情報をサーバーから得られません: " + base + "/gone.mp3 (HTTP 404)");
  // Not asked: the URL alone.
  got = EnclosureFor(project, base + "/gone.mp3", false);
  ASSERT_TRUE(got);
  EXPECT_EQ(got.value.length, 0);
}

TEST_F(Enclosures, PodcastEpisodesInTheFolderScan) {
  const TimeValue t = Local(2006, 5, 1, 12, 0, 0);
  WriteFile(root + "/index.html", "<html><head><title>top</title></head><body>x</body></html>");
  SetModified(root + "/index.html", t);
  ASSERT_TRUE(MakeTone(root + "/ep/one.mp3", 3, "第一回"));
  ASSERT_TRUE(MakeTone(root + "/ep/two.M4A", 2));
  ASSERT_TRUE(MakeTone(root + "/ep/three.opus", 1));
  ASSERT_TRUE(MakeTone(root + "/ep/skip.mp3", 1));
  ASSERT_TRUE(MakeTone(root + "/ep/sound.wav", 1));  // not an episode's kind
  MakeFolder(root + "/drafts");
  ASSERT_TRUE(MakeTone(root + "/drafts/four.mp3", 1));
  for (const char* name : {"ep/one.mp3", "ep/two.M4A", "ep/three.opus", "ep/skip.mp3", "drafts/four.mp3"}) {
    SetModified(root + "/" + name, t + 60);
  }
  SetModified(root + "/ep/one.mp3", t + 120);
  project.excludedFiles = {"ep/skip.mp3"};
  project.excludedFolders = {"drafts"};

  auto paths = [](const CFolderScan& scan) {
    std::vector<std::string> out;
    for (const CScanRow& row : scan.GetRows()) out.push_back(U(row.relativePath) + (row.media ? " media" : ""));
    return out;
  };
  // Off: pages only, as always.
  CFolderScan scan(project);
  scan.Open();
  EXPECT_EQ(paths(scan), std::vector<std::string>{"index.html"});

  project.ext.podcast = true;
  scan.Scan();
  EXPECT_EQ(paths(scan), (std::vector<std::string>{"ep/one.mp3 media", "ep/three.opus media", "ep/two.M4A media", "index.html"}));
  scan.SelectAll();
  CResult<int> imported = scan.ImportSelected(ui);
  ASSERT_TRUE(imported);
  EXPECT_EQ(imported.value, 4);
  ASSERT_EQ(project.GetSize(), 4);
  const CRssItem& one = *project.GetAt(0);
  EXPECT_EQ(one.url, "https://yamanote.example.jp/ep/one.mp3");
  EXPECT_EQ(U(one.title), "第一回");
  EXPECT_EQ(one.date, t + 120);
  EXPECT_EQ(one.ext.enclosure.url, one.url);
  EXPECT_EQ(one.ext.enclosure.length, static_cast<std::int64_t>(std::filesystem::file_size(root + "/ep/one.mp3")));
  EXPECT_EQ(one.ext.enclosure.type, "audio/mpeg");
  EXPECT_EQ(one.ext.enclosure.duration, 3);
  const CRssItem& two = *project.GetAt(2);
  EXPECT_EQ(two.title, "two.M4A");  // no title tag: the file name
  EXPECT_EQ(two.ext.enclosure.type, "audio/mp4");
  EXPECT_EQ(two.ext.enclosure.duration, 2);
  EXPECT_EQ(project.GetAt(3)->ext.enclosure.url, "");  // the page

  // Again: the existing episode is updated in place of a new one, keeping what the user wrote.
  project.GetAt(0)->description = J("番組の説明");
  ASSERT_TRUE(MakeTone(root + "/ep/one.mp3", 2, "第一回 改"));
  scan.Scan();
  ui.Expect(U(CFolderScan::UpdateExistingQuestionText()), MbAnswer::Yes);
  std::string missing;
  ASSERT_TRUE(scan.SelectByRelativePath({"ep/one.mp3"}, missing));
  ASSERT_TRUE(scan.ImportSelected(ui));
  EXPECT_EQ(project.GetSize(), 4);
  EXPECT_EQ(U(project.GetAt(0)->title), "第一回 改");
  EXPECT_EQ(U(project.GetAt(0)->description), "番組の説明");
  EXPECT_EQ(project.GetAt(0)->ext.enclosure.duration, 2);

  // A file that went away since the scan is named and left out.
  scan.Scan();
  std::filesystem::remove(root + "/ep/three.opus");
  ASSERT_TRUE(scan.SelectByRelativePath({"ep/three.opus"}, missing));
  ui.Expect(U(CFolderScan::UpdateExistingQuestionText()), MbAnswer::Yes);
  imported = scan.ImportSelected(ui);
  EXPECT_EQ(imported.value, 0);
  EXPECT_EQ(imported.messages.size(), 1u);
}

// The item editor's enclosure and episode values: what OK does with the typed enclosure, the number
// fields, the episode type's choices, and an enclosure without URL stored as none.
TEST_F(Enclosures, TheItemEditorsValues) {
  CRssItem item;
  item.ext.enclosure = CEnclosure{"media/old.mp3", 10, "audio/mpeg", 5};  // as a feed once gave it
  CItemEditorValues values;
  values.item = &item;
  values.LoadFrom(item);
  EXPECT_TRUE(SettleEnclosureField(project, values, ui));  // the item's own, left as it is
  EXPECT_EQ(values.enclosure, item.ext.enclosure);

  const std::string path = root + "/ep/one.mp3";
  ASSERT_TRUE(MakeTone(path, 2));
  values.enclosure.url = J(path);  // a local file typed in: taken as the chooser takes it
  EXPECT_TRUE(SettleEnclosureField(project, values, ui));
  EXPECT_EQ(values.enclosure.url, "https://yamanote.example.jp/ep/one.mp3");
  EXPECT_EQ(values.enclosure.duration, 2);
  values.enclosure.url = TempPath("elsewhere.mp3");
  EXPECT_FALSE(SettleEnclosureField(project, values, ui));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"添付ファイルが見つかりません: " + TempPath("elsewhere.mp3")});
  values.enclosure.url = "";
  EXPECT_TRUE(SettleEnclosureField(project, values, ui));
  EXPECT_TRUE(values.enclosure.IsDefault());
  values.enclosure.type = "audio/mpeg";
  values.StoreInto(item);
  EXPECT_TRUE(item.ext.enclosure.IsDefault());

  CEnclosure numbers;
  CUserMessage error;
  int field = -1;
  EXPECT_TRUE(ParseEnclosureNumbers(" 5000000000 ", "", numbers, error, field));
  EXPECT_EQ(numbers.length, 5000000000);
  EXPECT_EQ(numbers.duration, 0);
  EXPECT_FALSE(ParseEnclosureNumbers("-1", "3", numbers, error, field));
  EXPECT_EQ(field, 0);
  EXPECT_EQ(U(error.text), "0以上の整数を入力してください。");
  EXPECT_FALSE(ParseEnclosureNumbers("", "1:30", numbers, error, field));
  EXPECT_EQ(field, 1);
  EXPECT_FALSE(ParseEnclosureNumbers("", "99999999999", numbers, error, field));

  ASSERT_EQ(EpisodeTypeEntries().size(), 4u);
  for (const char* type : {"", "full", "trailer", "bonus"}) EXPECT_EQ(EpisodeTypeOfEntry(EpisodeTypeEntryOf(type)), type);
  EXPECT_EQ(EpisodeTypeEntryOf("odd"), 0);
  EXPECT_EQ(EpisodeTypeOfEntry(9), "");

  const CFileDialogRequest request = EnclosureBrowseRequest(project, "https://yamanote.example.jp/ep/one.mp3");
  EXPECT_EQ(request.fileName, path);
  EXPECT_EQ(EnclosureBrowseRequest(project, "").fileName, root + "/");
}
