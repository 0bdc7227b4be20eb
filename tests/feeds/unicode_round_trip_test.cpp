// Characters beyond code page 932 survive the whole road: a UTF-8 feed's titles are imported, saved in
// a project file and loaded again, and written by all four writers, and python3-feedparser (and python's
// conforming XML parser) read back every character as it was.
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "feeds/feed_reader.h"
#include "feeds/feed_writers.h"
#include "model/project_file.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "support/test_env.h"

namespace {

class UnicodeRoundTrip : public VamelTest {};

struct Writer {
  const char* file;
  CFeedWriteResult (*write)(const CRssFile&, const std::string&);
};
const Writer kWriters[] = {{"rss10.rdf", WriteRss10}, {"rss20.xml", WriteRss20}, {"atom03.xml", WriteAtom03}, {"atom10.xml", WriteAtom10}};

// Titles (UTF-8) that hold every scalar value of the basic plane that XML allows in text (tab and line
// feed among them, carriage return not: XML reads it as a line feed) and 256 of each other plane, in
// pieces of 1024 characters between brackets.
std::vector<std::string> EveryCharacterTitles() {
  std::vector<char32_t> all = {0x09, 0x0A};
  for (char32_t cp = 0x20; cp < 0xFFFE; ++cp) {
    if (cp < 0xD800 || cp > 0xDFFF) all.push_back(cp);
  }
  for (char32_t plane = 1; plane <= 16; ++plane) {
    for (char32_t k = 0; k < 256; ++k) all.push_back(plane * 0x10000 + k * 0x101);
  }
  std::vector<std::string> titles;
  for (size_t at = 0; at < all.size(); at += 1024) {
    std::string title = "[";
    for (size_t k = at; k < all.size() && k < at + 1024; ++k) title += EncodeUtf8(all[k]);
    titles.push_back(title + "]");
  }
  return titles;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

// The index of the first title of `project` that is not `titles` (as UTF-8), or -1.
int FirstDifferentTitle(const CRssFile& project, const std::vector<std::string>& titles) {
  if (project.GetSize() != static_cast<int>(titles.size())) return project.GetSize();
  for (int i = 0; i < project.GetSize(); ++i) {
    if (U(project.GetAt(i)->title) != titles[static_cast<size_t>(i)]) return i;
  }
  return -1;
}

}  // namespace

TEST_F(UnicodeRoundTrip, EveryCharacterOfAFeedsTitlesComesBackFromEveryWriter) {
  if (RunCommand("/usr/bin/python3 -c 'import feedparser' 2>/dev/null") != 0) GTEST_SKIP() << "no python3-feedparser";
  const std::vector<std::string> titles = EveryCharacterTitles();
  const int count = static_cast<int>(titles.size());
  std::string feed = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel><title>All</title>"
                     "<link>https://example.jp/</link><description>Every character</description>\n";
  for (int i = 0; i < count; ++i) {
    feed += "<item><title>" + Escaped(titles[static_cast<size_t>(i)]) + "</title><link>https://example.jp/" +
            std::to_string(i) + ".html</link></item>\n";
  }
  WriteFile(TempPath("source.xml"), feed + "</channel></rss>");

  CRssFile imported;
  ASSERT_TRUE(ReadFeed(imported, TempPath("source.xml")).Ok());
  EXPECT_EQ(FirstDifferentTitle(imported, titles), -1);

  // The project file keeps them: each title with characters the code page lacks goes in the wide form
  // (one holds only the code page's user-defined characters, U+E000 on), and they load back byte for byte.
  std::string message;
  ASSERT_TRUE(Did(SaveProjectFile(imported, TempPath("all.fpj")), message)) << message;
  const std::string bytes = ReadFile(TempPath("all.fpj"));
  int wide = 0, carrying = 0;
  for (size_t at = bytes.find("\xFF\xFE\xFF"); at != std::string::npos; at = bytes.find("\xFF\xFE\xFF", at + 1)) ++wide;
  for (int i = 0; i < count; ++i) carrying += HoldsCarriedChar(imported.GetAt(i)->title) ? 1 : 0;
  EXPECT_EQ(wide, carrying);
  EXPECT_EQ(carrying, count - 1);
  CRssFile loaded;
  ASSERT_TRUE(Did(LoadProjectFile(loaded, TempPath("all.fpj")), message)) << message;
  ASSERT_EQ(loaded.GetSize(), count);
  for (int i = 0; i < count; ++i) ASSERT_EQ(loaded.GetAt(i)->title, imported.GetAt(i)->title) << i;

  nlohmann::json expected = titles;
  WriteFile(TempPath("expected.json"), expected.dump());
  loaded.rssCount = count;
  loaded.atomCount = count;
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.file);
    const std::string path = TempPath(writer.file);
    ASSERT_TRUE(writer.write(loaded, path).Ok());
    std::string out;
    ASSERT_EQ(RunCommand("/usr/bin/python3 " + std::string(VAMELRSS_SOURCE_DIR) + "/tests/feeds/unicode_titles_check.py '" +
                             path + "' '" + TempPath("expected.json") + "'",
                         &out),
              0);
    const nlohmann::json checked = nlohmann::json::parse(out);
    EXPECT_EQ(checked["entries"], count);
    EXPECT_TRUE(checked["feedparser"].empty()) << out;
    EXPECT_TRUE(checked["xml"].empty()) << out;
    // And our own reader reads the same titles back.
    CRssFile again;
    ASSERT_TRUE(ReadFeed(again, path).Ok());
    EXPECT_EQ(FirstDifferentTitle(again, titles), -1);
  }
}
