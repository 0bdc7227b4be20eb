// What the programs write and read does not depend on the locale they run under (the desktop app takes
// the user's): the feeds, the project file, the settings store, the dates of the list and the scan, and
// what the readers and the page harvest take in, the same under Japanese and German locales as under C.
#include <sys/stat.h>
#include <utime.h>

#include <cerrno>
#include <clocale>
#include <filesystem>
#include <map>
#include <memory>

#include "app/folder_scan.h"
#include "app/item_view_model.h"
#include "app/window_placement.h"
#include "feeds/feed_dates.h"
#include "feeds/feed_reader.h"
#include "feeds/feed_writers.h"
#include "harvest/page_mapping.h"
#include "model/project_file.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "platform/text_codec.h"
#include "settings/options.h"
#include "support/test_env.h"

namespace {

class LocaleIndependence : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    SetCurrentTimeOverride(1136163784);  // the feeds' build date
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    VamelTest::TearDown();
  }

  // Everything written and read under `locale`, in the same fresh folder each time: file name -> bytes,
  // and descriptions of what was read back.
  std::map<std::string, std::string> RunUnder(const char* locale) {
    std::map<std::string, std::string> out;
    if (!std::setlocale(LC_ALL, locale)) {
      ADD_FAILURE() << "the locale " << locale << " is not installed (scripts/setup generates it)";
      return out;
    }
    const std::string dir = TempPath("site");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "/news");

    CRssFile project;
    project.siteTitle = J("山の手日記 — Größe 1,5");
    project.siteUrl = "https://yamanote.example.jp/";
    project.siteDescription = J("坂道と古い建物 & 1.000,5 Straße");
    project.creator = J("坂野 歩");
    project.localFolder = dir;
    project.rssFileName = "index.rdf";
    project.atomFileName = "atom.xml";
    for (int i = 0; i < 3; ++i) {
      auto item = std::make_unique<CRssItem>(1146458730 + i * 86400 * 40);  // May, June, August 2006
      item->url = "https://yamanote.example.jp/news/" + std::to_string(i) + ".html";
      item->title = J("日記 ") + std::to_string(i) + J(" — März");
      item->description = J("説明 0.5 / 0,5");
      item->content = J("<p>内容</p>");
      item->category = J("散歩");
      project.Add(std::move(item));
    }
    struct Written {
      const char* name;
      CFeedWriteResult (*write)(const CRssFile&, const std::string&);
    };
    for (const Written& w : {Written{"rss10.rdf", &WriteRss10}, Written{"rss20.xml", &WriteRss20},
                             Written{"atom03.xml", &WriteAtom03}, Written{"atom10.xml", &WriteAtom10}}) {
      EXPECT_TRUE(w.write(project, dir + "/" + w.name).Ok()) << locale << " " << w.name;
      out[w.name] = ReadFile(dir + "/" + w.name);
      CRssFile read;
      EXPECT_TRUE(ReadFeed(read, dir + "/" + w.name)) << locale << " " << w.name;
      std::string items;
      for (int i = 0; i < read.GetSize(); ++i) {
        const CRssItem& item = *read.GetAt(i);
        items += item.url + "|" + item.title + "|" + item.description + "|" + std::to_string(item.date) + "|" +
                 std::to_string(item.published) + "|" + ListCellText(item, 1) + "\n";
      }
      out[std::string("read ") + w.name] = read.siteTitle + "|" + read.siteDescription + "\n" + items;
    }
    std::string message;
    EXPECT_TRUE(Did(SaveProjectFile(project, dir + "/site.fpj"), message)) << message;
    out["site.fpj"] = ReadFile(dir + "/site.fpj");
    CRssFile loaded;
    EXPECT_TRUE(Did(LoadProjectFile(loaded, dir + "/site.fpj"), message)) << message;
    out["loaded"] = loaded.siteTitle + "|" + std::to_string(loaded.GetSize()) + "|" + std::to_string(loaded.GetAt(2)->date);

    // A page of the site, harvested with its file's time.
    const std::string page = dir + "/news/page.html";
    WriteFile(page, "<html><head><meta charset=\"utf-8\"><title>ページ 3,14</title></head><body><p>本文 2.5</p></body></html>");
    const utimbuf times{1146458730, 1146458730};
    ::utime(page.c_str(), &times);
    project.importMode = 2;
    const CRssItem* harvested = ImportPageFile(project, page);
    out["harvested"] = harvested->url + "|" + harvested->title + "|" + harvested->content + "|" + std::to_string(harvested->date);

    // Dates both ways, the scan's date column, and the settings store.
    out["dates"] = FormatRfc822Date(1146458730) + "|" + FormatW3cDate(1146458730) + "|" +
                   std::to_string(ParseRfc822Date("Mon, 01 May 2006 13:45:30 +0900")) + "|" +
                   std::to_string(ParseW3cDate("2006-05-01T13:45:30.5+09:00")) + "|" + FormatScanDate(1146458730);
    CWindowPlacement placement;
    placement.left = -1500;
    placement.right = 1200;
    SaveWindowPlacement(placement);
    SetHeightPercentOption(45);
    SetHtmlEditorOption(J("エディタ 1,5"));
    out["settings"] = ReadFile(TempPath("config/Vamel/VamelRss.ini"));
    std::filesystem::remove_all(TempPath("config"));
    return out;
  }
};

}  // namespace

TEST_F(LocaleIndependence, WritersAndReadersGiveTheSameBytesUnderJapaneseAndGermanLocales) {
  const std::map<std::string, std::string> c = RunUnder("C");
  ASSERT_EQ(c.size(), 13u);
  EXPECT_NE(c.at("rss20.xml").find("<pubDate>Mon, 01 May 2006 13:45:30 +0900</pubDate>"), std::string::npos);
  // German writes numbers with a decimal comma and names months differently: a writer that used the
  // locale would show it.
  for (const char* locale : {"ja_JP.UTF-8", "de_DE.UTF-8"}) {
    const std::map<std::string, std::string> other = RunUnder(locale);
    EXPECT_STREQ(std::setlocale(LC_TIME, nullptr), locale);  // still in force at the end
    for (const auto& [name, bytes] : c) {
      ASSERT_EQ(other.count(name), 1u) << locale << " " << name;
      // Compared whole, printed only in part: the files are long.
      EXPECT_TRUE(other.at(name) == bytes) << locale << " " << name << ":\n" << other.at(name).substr(0, 2000);
    }
  }
}

TEST_F(LocaleIndependence, SystemErrorTextsComeInTheLocalesLanguageAsInternalText) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  EXPECT_EQ(SystemErrorText(ENOENT), "No such file or directory");
  ASSERT_NE(std::setlocale(LC_ALL, "ja_JP.UTF-8"), nullptr) << "scripts/setup generates ja_JP.UTF-8";
  EXPECT_EQ(U(SystemErrorText(ENOENT)), "そのようなファイルやディレクトリはありません");
}
