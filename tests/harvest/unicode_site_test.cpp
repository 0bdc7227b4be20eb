// A site whose names and texts hold characters that code page 932 lacks (emoji, accented letters, a
// JIS X 0213 kanji, U+301C and its kin), taken through the built vamelrss-cli as a user would: the
// arguments, the folder scan and harvesting, show and show --json, the written feeds, the settings file
// and the messages; and the page reader on such pages.
#include <nlohmann/json.hpp>

#include "harvest/page_reader.h"
#include "model/rss_item.h"
#include "support/cli_runner.h"
#include "support/harvest_fixture.h"

namespace {

class UnicodeSite : public HarvestTest {
protected:
  nlohmann::json Show(const std::string& file) {
    CliResult r = RunCli("show --json " + Quote(file));
    EXPECT_EQ(r.status, 0) << r.err;
    return nlohmann::json::parse(r.out);
  }
};

const char kSevenKin[] = "〜‖−¢£¬—";   // U+301C U+2016 U+2212 U+00A2 U+00A3 U+00AC U+2014
const char kLookAlikes[] = "～∥－￠￡￢―";  // what code page 932 holds in their place

}  // namespace

TEST_F(UnicodeSite, NamesAndTextsSurviveTheCommandLine) {
  const std::string site = TempPath("サイト🍣");
  MakeFolder(site + "/写真 café");
  WriteFile(site + "/絵文字🍣.html",
            "<html><head><meta charset=\"utf-8\"><title>寿司🍣と café 〜</title></head><body><p>前</p>"
            "<!--VAMELRSS START--><p>今日の🍣は Ünïcödé で 〜 ～</p><!--VAMELRSS END--></body></html>");
  WriteFile(site + "/写真 café/Ünïcödé.html",
            std::string("<html><title>Crème brûlée ") + kSevenKin + "</title><body><!--VAMELRSS START-->𠮷野家<!--VAMELRSS END--></body></html>");
  WriteFile(site + "/日記.html", "<html><title>日記</title><body><!--VAMELRSS START-->本文<!--VAMELRSS END--></body></html>");
  SetModified(site + "/絵文字🍣.html", Local(2006, 5, 3, 0, 0, 0));
  SetModified(site + "/写真 café/Ünïcödé.html", Local(2006, 5, 2, 0, 0, 0));
  SetModified(site + "/日記.html", Local(2006, 5, 1, 0, 0, 0));

  // Arguments: the project file's name, the settings and the feed's file name.
  const std::string file = TempPath("プロジェクト🍣.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title 'Café 🍣 〜' --url https://example.jp/ --folder " + Quote(site) +
                       " --import-mode 3 --description " + Quote(std::string("説明 ") + kSevenKin) + " --rss-file '索引🍣.rdf'");
  ASSERT_EQ(r.status, 0) << r.err;

  // The scan lists every page by its name, and imports one named on the command line.
  r = RunCli("scan " + Quote(file) + " --list");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "*\t2006-05-03 00:00:00\t絵文字🍣.html\n*\t2006-05-02 00:00:00\t写真 café/Ünïcödé.html\n"
            "*\t2006-05-01 00:00:00\t日記.html\n");
  r = RunCli("scan " + Quote(file) + " --import 絵文字🍣.html");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "https://example.jp/絵文字🍣.html\n");
  // Harvesting a page in a folder of such a name maps it to its URL.
  r = RunCli("harvest " + Quote(file) + " " + Quote(site + "/写真 café/Ünïcödé.html"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "https://example.jp/写真 café/Ünïcödé.html\n");

  nlohmann::json j = Show(file);
  EXPECT_EQ(j["siteTitle"], "Café 🍣 〜");
  EXPECT_EQ(j["siteDescription"], std::string("説明 ") + kSevenKin);
  EXPECT_EQ(j["localFolder"], site);
  EXPECT_EQ(j["rssFileName"], "索引🍣.rdf");
  ASSERT_EQ(j["items"].size(), 2u);
  EXPECT_EQ(j["items"][0]["title"], std::string("Crème brûlée ") + kSevenKin);
  EXPECT_EQ(j["items"][0]["content"], "𠮷野家");
  EXPECT_EQ(j["items"][1]["url"], "https://example.jp/絵文字🍣.html");
  EXPECT_EQ(j["items"][1]["title"], "寿司🍣と café 〜");
  EXPECT_EQ(j["items"][1]["content"], "<p>今日の🍣は Ünïcödé で 〜 ～</p>");
  r = RunCli("show " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Café 🍣 〜"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("寿司🍣と café 〜"), std::string::npos) << r.out;

  // The feeds go to the named file in the folder, and a feed reader reads every character back.
  r = RunCli("write " + Quote(file) + " --format rss20");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, site + "/索引🍣.rdf\n");
  std::string fields;
  ASSERT_EQ(RunCommand("/usr/bin/python3 " + std::string(VAMELRSS_SOURCE_DIR) + "/tests/support/feed_fields.py " +
                           Quote(site + "/索引🍣.rdf"),
                       &fields),
            0);
  nlohmann::json feed = nlohmann::json::parse(fields);
  EXPECT_EQ(feed["feed"]["title"], "Café 🍣 〜");
  ASSERT_EQ(feed["entries"].size(), 2u);
  EXPECT_EQ(feed["entries"][0]["title"], std::string("Crème brûlée ") + kSevenKin);
  EXPECT_EQ(feed["entries"][1]["link"], "https://example.jp/絵文字🍣.html");
  EXPECT_EQ(feed["entries"][1]["title"], "寿司🍣と café 〜");

  // The settings file keeps such a value; a message names such a file as it is.
  r = RunCli("options --set 'System/RssViewer=/opt/ビューア🍣 é' --get System/RssViewer");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "/opt/ビューア🍣 é\n");
  r = RunCli("harvest " + Quote(file) + " " + Quote(site + "/ない🍣.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ない🍣.html"), std::string::npos) << r.err;
}

TEST_F(UnicodeSite, PageReaderKeepsEveryCharacter) {
  CRssFile project;
  UseFolder(project, TempFolder(), 3);
  // A UTF-8 page with emoji in its title and marked part: title, content and description keep them.
  WriteFile(TempPath("emoji.html"),
            "<html><head><title>桜🌸と&#x1F363;&amp;café</title></head><body>"
            "<!--VAMELRSS START--><p>花見🌸の日 <a href=\"写真🌸.html\">写真</a></p><!--VAMELRSS END--></body></html>");
  CRssItem item;
  ReadPageIntoItem(project, "https://example.jp/e.html", TempPath("emoji.html"), item);
  EXPECT_EQ(U(item.title), "桜🌸と🍣&café");
  EXPECT_EQ(U(item.content), "<p>花見🌸の日 <a href=\"https://example.jp/写真🌸.html\">写真</a></p>");
  project.importMode = 1;
  ReadPageIntoItem(project, "https://example.jp/e.html", TempPath("emoji.html"), item);
  EXPECT_EQ(U(item.description), "花見🌸の日 写真");

  // A long body cut for the description next to an emoji: never half of it.
  std::string body;
  for (int i = 0; i < 60; ++i) body += "ab🌸";
  WriteFile(TempPath("long.html"), "<html><title>t</title><body>" + body + "</body></html>");
  ReadPageIntoItem(project, "https://example.jp/l.html", TempPath("long.html"), item);
  EXPECT_LE(item.description.size(), 255u);
  const std::string description = U(item.description);
  EXPECT_EQ(description.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(description.substr(description.size() - 2), "..");
  EXPECT_EQ(body.compare(0, description.size() - 2, description, 0, description.size() - 2), 0) << description;

  // U+301C and its kin in UTF-8 come back as themselves; the same bytes of a Shift_JIS page are the
  // code page's characters, as they always were.
  WriteFile(TempPath("kin.html"), std::string("<html><title>") + kSevenKin + "</title></html>");
  ReadPageIntoItem(project, "https://example.jp/k.html", TempPath("kin.html"), item);
  EXPECT_EQ(U(item.title), kSevenKin);
  WriteFile(TempPath("sjis.html"), "<html><head><meta charset=\"Shift_JIS\"><title>" + J(kLookAlikes) + "</title></head></html>");
  ReadPageIntoItem(project, "https://example.jp/s.html", TempPath("sjis.html"), item);
  EXPECT_EQ(item.title, "\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA\x81\x5C");
  EXPECT_EQ(U(item.title), kLookAlikes);
}
