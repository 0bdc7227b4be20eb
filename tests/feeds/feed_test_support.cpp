#include "feeds/feed_test_support.h"

#include "support/test_env.h"

const FeedFormat kAllFormats[4] = {FeedFormat::Rss10, FeedFormat::Rss20, FeedFormat::Atom03, FeedFormat::Atom10};

const char* FormatName(FeedFormat format) {
  switch (format) {
    case FeedFormat::Rss10: return "rss10";
    case FeedFormat::Rss20: return "rss20";
    case FeedFormat::Atom03: return "atom03";
    default: return "atom10";
  }
}

const char* FormatExtension(FeedFormat format) { return format == FeedFormat::Rss10 ? ".rdf" : ".xml"; }

CFeedWriteResult WriteFeed(const CRssFile& project, FeedFormat format, const std::string& path) {
  switch (format) {
    case FeedFormat::Rss10: return WriteRss10(project, path);
    case FeedFormat::Rss20: return WriteRss20(project, path);
    case FeedFormat::Atom03: return WriteAtom03(project, path);
    default: return WriteAtom10(project, path);
  }
}

namespace {
void AddItem(CRssFile& project, const std::string& url, const std::string& title, const std::string& description,
             const std::string& category, const std::string& content, TimeValue date, TimeValue published) {
  auto item = std::make_unique<CRssItem>(date);
  item->url = url;
  item->title = title;
  item->description = description;
  item->category = category;
  item->content = content;
  item->published = published;
  project.Add(std::move(item));
}
}  // namespace

void BuildSampleProject(CRssFile& project) {
  project.siteTitle = J("ヴァメル日記 & メモ");
  project.siteUrl = "https://example.jp/diary/";
  project.siteDescription = J("毎日の記録です。Tom &amp; Jerry");
  project.creator = J("山田 太郎");
  project.rssCount = 4;
  project.atomCount = 4;
  AddItem(project, "https://example.jp/diary/0102.html", J("新年のご挨拶"), J("今年もよろしくお願いします。"), J("日記"),
          J("<p>本年も<b>よろしく</b>お願いします。</p>"), 1136163784, 1136041200);
  AddItem(project, "https://example.jp/cgi/index.php?id=1&page=2", "A<B&C \"quoted\" 'single' >",
          J("x > y & \"z\" &amp; 済"), "A&B", "<p>a]]>b]]]>c</p>", 1136073600, 1136073600);
  AddItem(project, "https://example.jp/diary/empty.html", "", "", "", "", 1135990000, 1135990000);
  AddItem(project, "https://someone@example.jp:8080/a/b/c.html#part", J("制御\x01文字\tタブ"), J("ベル\x07と改行\r\n次の行"),
          "News", J("<p>行1\r\n行2\x0B</p>"), 1136250000, 1136200000);
  AddItem(project, "https://example.jp/diary/hidden.html", J("書かれない"), "", "", "", 1136300000, 1136300000);
}

void BuildExtendedProject(CRssFile& project) {
  BuildSampleProject(project);
  project.ext.language = "en-US";
  project.ext.selfLinks = true;
  project.ext.fullText = true;
  project.ext.itemImages = true;
  project.ext.holdFuture = true;
  project.ext.siteImage = "https://example.jp/img/logo.png";
  project.ext.siteIcon = "https://example.jp/favicon.ico";
  project.GetAt(0)->ext.image = "https://example.jp/img/0102.jpg?w=640&h=480";
  project.GetAt(1)->ext.hidden = true;
  project.GetAt(3)->ext.image = "https://example.jp/img/held.png";
  project.GetAt(4)->date = 1136000000;  // beyond the limits no more: two items are kept out
}

void BuildSmallProject(CRssFile& project) {
  project.siteTitle = "Small";
  project.siteUrl = "https://example.com/";
  project.siteDescription = "A small feed";
  project.creator = "Kim";
  AddItem(project, "https://example.com/2006/01/new-year.html", "New year", "Greetings", "News", "<p>Hello</p>",
          1136163784, 1136041200);
}

nlohmann::json ReadWithFeedparser(const std::string& path) {
  std::string out;
  int status = RunCommand(std::string("/usr/bin/python3 ") + VAMELRSS_SOURCE_DIR + "/tests/support/feed_fields.py '" + path +
                          "' 2>&1", &out);
  if (status != 0) {
    ADD_FAILURE() << "feedparser helper failed: " << out;
    return nlohmann::json();
  }
  return nlohmann::json::parse(out);
}

std::string ReaderText(const std::string& ansi) {
  std::string text;
  for (char c : ansi) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
    text += c;
  }
  std::string utf8 = U(text), out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

std::string GoldenPath(const std::string& name) { return std::string(VAMELRSS_TEST_DATA) + "/feeds/" + name; }

std::string JsonFeedSchemaProblems(const std::string& path) {
  const std::string schema = std::string(VAMELRSS_SOURCE_DIR) + "/tests/data/json/jsonfeed-1.1.schema.json";
  std::string out;
  const int status = RunCommand("/usr/bin/python3 -c 'import json,sys,jsonschema; jsonschema.validate(json.load(open(sys.argv[2])), "
                                "json.load(open(sys.argv[1])))' '" + schema + "' '" + path + "' 2>&1", &out);
  return status == 0 ? std::string() : "exit " + std::to_string(status) + ": " + out;
}
