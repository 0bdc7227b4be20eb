// The feed import as a whole process, timed side by side with xmllint and python3-feedparser, and the
// generator of its inputs:
//   reader_tool gen-rss N FILE    an RSS 2.0 feed of N items (escaped text, CDATA content, Japanese)
//   reader_tool gen-atom N FILE   an Atom 1.0 feed of N entries of the same shape
//   reader_tool import FILE       reads FILE into an empty project; prints the number of items
#include <cstdio>
#include <cstdlib>
#include <string>

#include "feeds/feed_reader.h"
#include "model/rss_file.h"

namespace {

const char* const kJapanese[] = {"日本語のテキスト", "新しい記事を公開しました", "東京都", "お知らせ",
                                 "サイトの更新情報です。"};

std::string Text(int i, const char* what) {
  return std::string(what) + " " + std::to_string(i) + " &amp; " + kJapanese[i % 5];
}

std::string Paragraphs(int i) {
  std::string out;
  for (int k = 0; k < 2; ++k) {
    out += "<p>Paragraph " + std::to_string(k) + " of article " + std::to_string(i) +
           " <a href=\"https://example.com/a/" + std::to_string(i) + "\">link</a> " +
           kJapanese[(i + k) % 5] + " text &amp; more words.</p>\n";
  }
  return out;
}

std::string Url(int i) { return "https://example.com/articles/" + std::to_string(i) + ".html"; }

std::string W3c(int i) {
  char text[64];
  std::snprintf(text, sizeof text, "2024-%02d-%02dT%02d:%02d:00+09:00", 1 + i % 12, 1 + i % 28, i % 24, i % 60);
  return text;
}

bool WriteAll(const char* path, const std::string& data) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

int GenerateRss(int count, const char* path) {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<rss version=\"2.0\" "
                    "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\">\r\n\t<channel>\r\n"
                    "\t\t<title>Bench feed &amp; more</title>\r\n\t\t<link>https://example.com/</link>\r\n"
                    "\t\t<description>A large feed</description>\r\n";
  for (int i = 0; i < count; ++i) {
    out += "\t\t<item>\r\n";
    out += "\t\t\t<title>" + Text(i, "Item") + "</title>\r\n";
    out += "\t\t\t<link>" + Url(i) + "</link>\r\n";
    out += "\t\t\t<guid>" + Url(i) + "</guid>\r\n";
    out += "\t\t\t<description>" + Text(i, "Summary") + "</description>\r\n";
    out += "\t\t\t<content:encoded><![CDATA[" + Paragraphs(i) + "]]></content:encoded>\r\n";
    out += "\t\t\t<pubDate>Mon, 01 Jan 2024 00:00:00 +0900</pubDate>\r\n";
    out += "\t\t\t<category>category" + std::to_string(i % 7) + "</category>\r\n";
    out += "\t\t</item>\r\n";
  }
  out += "\t</channel>\r\n</rss>";
  return WriteAll(path, out) ? 0 : 1;
}

int GenerateAtom(int count, const char* path) {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<feed xmlns=\"http://www.w3.org/2005/Atom\">\r\n"
                    "\t<title>Bench feed &amp; more</title>\r\n"
                    "\t<link rel=\"alternate\" type=\"text/html\" href=\"https://example.com/\" />\r\n"
                    "\t<link rel=\"self\" type=\"application/atom+xml\" href=\"https://example.com/atom.xml\" />\r\n"
                    "\t<id>tag:example.com,2024:</id>\r\n\t<updated>2024-01-01T00:00:00+09:00</updated>\r\n"
                    "\t<author>\r\n\t\t<name>Bench</name>\r\n\t</author>\r\n\t<subtitle>A large feed</subtitle>\r\n";
  for (int i = 0; i < count; ++i) {
    out += "\t<entry>\r\n";
    out += "\t\t<title>" + Text(i, "Entry") + "</title>\r\n";
    out += "\t\t<link rel=\"alternate\" href=\"" + Url(i) + "\" />\r\n";
    out += "\t\t<id>tag:example.com,2024:articles" + std::to_string(i) + "</id>\r\n";
    out += "\t\t<updated>" + W3c(i) + "</updated>\r\n";
    out += "\t\t<published>" + W3c(i) + "</published>\r\n";
    out += "\t\t<category term=\"category" + std::to_string(i % 7) + "\" />\r\n";
    out += "\t\t<summary>" + Text(i, "Summary") + "</summary>\r\n";
    out += "\t\t<content type=\"html\"><![CDATA[" + Paragraphs(i) + "]]></content>\r\n";
    out += "\t</entry>\r\n";
  }
  out += "</feed>";
  return WriteAll(path, out) ? 0 : 1;
}

int Import(const char* path) {
  // The project is what an import produces: it stays alive until the process ends.
  auto* project = new CRssFile;
  if (!ReadFeed(*project, path)) return 1;
  std::printf("%d\n", project->GetSize());
  std::fflush(stdout);
  std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-bench", 1);
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "gen-rss" && argc == 4) return GenerateRss(std::atoi(argv[2]), argv[3]);
  if (command == "gen-atom" && argc == 4) return GenerateAtom(std::atoi(argv[2]), argv[3]);
  if (command == "import" && argc == 3) return Import(argv[2]);
  std::fprintf(stderr, "usage: reader_tool gen-rss N FILE | gen-atom N FILE | import FILE\n");
  return 2;
}
