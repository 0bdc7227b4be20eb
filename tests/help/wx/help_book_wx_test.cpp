// The packed help book as the desktop app's help controller reads it: wx's own help data code opens
// vamelrss.htb, decodes its contents and index, and finds pages by context number. wx base and html
// only; no display is needed.
#include <gtest/gtest.h>

#include <wx/filesys.h>
#include <wx/fontmap.h>
#include <wx/fs_arc.h>
#include <wx/html/helpdata.h>
#include <wx/init.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

class WxEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ASSERT_TRUE(wxInitialize());
    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    // A book with a Charset line asks for the GUI font mapper; without a GUI application only the
    // base one exists.
    wxFontMapperBase::Set(new wxFontMapper);
  }
  void TearDown() override {
    delete wxFontMapperBase::Set(nullptr);
    wxUninitialize();
  }
};

const ::testing::Environment* const kWx = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

const wxString kBook = wxString::FromUTF8(VAMELRSS_HELP_BOOK);

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

// The page name of a help data URL ("<book>#zip:page.html#anchor" gives "page.html").
std::string PageName(const wxString& url) {
  std::string text = Utf8(url);
  size_t zip = text.rfind("#zip:");
  if (zip == std::string::npos) return std::string();
  text = text.substr(zip + 5);
  return text.substr(0, text.find('#'));
}

std::set<std::string> ArchiveEntries() {
  std::set<std::string> names;
  wxFFileInputStream file(kBook);
  if (!file.IsOk()) return names;
  wxZipInputStream zip(file);
  for (std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry()); entry; entry.reset(zip.GetNextEntry())) {
    names.insert(Utf8(entry->GetName(wxPATH_UNIX)));
  }
  return names;
}

}  // namespace

TEST(HelpBookPacked, ArchiveHoldsEverySourceFile) {
  std::set<std::string> sources;
  for (const auto& entry : fs::directory_iterator(VAMELRSS_HELP_DIR)) {
    const std::string name = entry.path().filename().string();
    for (const char* ext : {".html", ".hhp", ".hhc", ".hhk", ".png"}) {
      const std::string e = ext;
      if (name.size() > e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0) sources.insert(name);
    }
  }
  ASSERT_FALSE(sources.empty());
  EXPECT_EQ(ArchiveEntries(), sources);
}

TEST(HelpBookPacked, ContextNumbersAndContentsResolveAsTheHelpControllerSeesThem) {
  wxHtmlHelpData data;
  ASSERT_TRUE(data.AddBook(kBook)) << Utf8(kBook);

  EXPECT_EQ(PageName(data.FindPageById(1)), "index.html");
  EXPECT_EQ(PageName(data.FindPageById(11)), "item_editor.html");
  EXPECT_EQ(PageName(data.FindPageById(12)), "marker_tags.html");
  EXPECT_TRUE(data.FindPageById(9999).empty());

  // The names come through as UTF-8 (the project's Charset line), not as Latin-1 bytes.
  ASSERT_EQ(data.GetBookRecArray().size(), 1u);
  EXPECT_EQ(Utf8(data.GetBookRecArray()[0].GetTitle()), "VamelRss ヘルプ");
  bool editorNamed = false;
  const wxHtmlHelpDataItems& contents = data.GetContentsArray();
  for (size_t i = 0; i < contents.size(); ++i) editorNamed |= Utf8(contents[i].name) == "アイテム編集";
  EXPECT_TRUE(editorNamed);

  // Every page of the contents and of the index opens from the archive.
  wxFileSystem files;
  auto opens = [&files](const wxHtmlHelpDataItem& item) {
    wxString url = item.GetFullPath().BeforeLast('#');
    if (!url.Contains("#zip:")) url = item.GetFullPath();
    std::unique_ptr<wxFSFile> file(files.OpenFile(url));
    return file != nullptr;
  };
  const wxHtmlHelpDataItems& index = data.GetIndexArray();
  EXPECT_GT(index.size(), contents.size());
  for (size_t i = 0; i < contents.size(); ++i) EXPECT_TRUE(opens(contents[i])) << Utf8(contents[i].GetFullPath());
  for (size_t i = 0; i < index.size(); ++i) EXPECT_TRUE(opens(index[i])) << Utf8(index[i].GetFullPath());
}
