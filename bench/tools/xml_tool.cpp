// Whole-process XML operations, timed side by side with xmllint, and the generator of their inputs:
//   xml_tool gen-rss N FILE      an RSS 2.0 feed of N items (CDATA content, some Japanese), UTF-8
//   xml_tool gen-html KB FILE    an HTML page of about KB kilobytes: a third nested markup, two thirds
//                                text with an unclosed <p>, <br>, <img> or <hr> every 50 bytes
//   xml_tool parse FILE          loads FILE in XML mode
//   xml_tool parse-html FILE     loads FILE in HTML mode
//   xml_tool write N FILE        builds an N-item feed tree as the feed writers do and saves it indented
//   xml_tool build N             builds the same tree only (write minus build: the cost of saving)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/text_codec.h"
#include "xml/vxml.h"

namespace {

const char* const kJapanese[] = {"日本語のテキスト", "新しい記事を公開しました", "東京都", "お知らせ",
                                 "サイトの更新情報です。"};

std::string ItemText(int i, const char* what) {
  return std::string(what) + " " + std::to_string(i) + " " + kJapanese[i % 5];
}

bool WriteAll(const char* path, const std::string& data) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

std::string Paragraphs(int i) {
  std::string out;
  for (int k = 0; k < 2; ++k) {
    out += "<p>Paragraph " + std::to_string(k) + " of article " + std::to_string(i) +
           " with <a href=\"https://example.com/a/" + std::to_string(i) + "\">a link</a> and " +
           kJapanese[(i + k) % 5] + " text &amp; more words to make it longer.</p>\n";
  }
  return out;
}

int GenerateRss(int count, const char* path) {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<rss version=\"2.0\" "
                    "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\">\r\n\t<channel>\r\n"
                    "\t\t<title>Bench feed</title>\r\n\t\t<link>https://example.com/</link>\r\n"
                    "\t\t<description>A large feed</description>\r\n";
  for (int i = 0; i < count; ++i) {
    std::string url = "https://example.com/articles/" + std::to_string(i) + ".html";
    out += "\t\t<item>\r\n";
    out += "\t\t\t<title>" + ItemText(i, "Item") + "</title>\r\n";
    out += "\t\t\t<link>" + url + "</link>\r\n";
    out += "\t\t\t<description><![CDATA[" + ItemText(i, "Summary") + "]]></description>\r\n";
    out += "\t\t\t<content:encoded><![CDATA[" + Paragraphs(i) + "]]></content:encoded>\r\n";
    out += "\t\t\t<pubDate>Mon, 01 Jan 2024 00:00:00 +0900</pubDate>\r\n";
    out += "\t\t\t<guid>" + url + "</guid>\r\n";
    out += "\t\t\t<category>category" + std::to_string(i % 7) + "</category>\r\n";
    out += "\t\t</item>\r\n";
  }
  out += "\t</channel>\r\n</rss>";
  return WriteAll(path, out) ? 0 : 1;
}

int GenerateHtml(long kilobytes, const char* path) {
  const size_t total = static_cast<size_t>(kilobytes) * 1024;
  std::string out = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html><head>"
                    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                    "<title>Bench page</title></head><body>\n";
  // Nested markup: sections of divs, lists and tables, all closed.
  for (int i = 0; out.size() < total / 3; ++i) {
    out += "<div class=\"section\"><h2>Section " + std::to_string(i) + "</h2><ul><li><a href=\"/s/" +
           std::to_string(i) + ".html\">" + kJapanese[i % 5] +
           "</a></li><li><span>item</span></li></ul><table><tr><td>a</td><td>b</td></tr></table></div>\n";
  }
  // Text with a void or unclosed element every 50 bytes.
  static const char* const kVoid[] = {"<p>", "<br>", "<img src=\"i.png\">", "<hr>"};
  const std::string filler = "Some running text of the page, 日本語 too. ";
  for (int i = 0; out.size() < total; ++i) {
    std::string tag = kVoid[i % 4];
    out += tag;
    out += filler.substr(0, 50 > tag.size() ? 50 - tag.size() : 0);
  }
  out += "</body></html>\n";
  return WriteAll(path, out) ? 0 : 1;
}

int WriteFeed(int count, const char* path, bool save) {
  CVXMLDocument doc(kXmlIndented);
  CVXMLElement* rss = doc.CreateElement("rss");
  doc.AppendChild(rss);
  rss->SetAttribute("version", "2.0");
  rss->SetAttribute("xmlns:content", "http://purl.org/rss/1.0/modules/content/");
  CVXMLElement* channel = doc.CreateElement("channel");
  rss->AppendChild(channel);
  channel->AppendChild(doc.CreateElement("title", "Bench feed"));
  channel->AppendChild(doc.CreateElement("link", "https://example.com/"));
  channel->AppendChild(doc.CreateElement("description", "A large feed"));
  for (int i = 0; i < count; ++i) {
    std::string url = "https://example.com/articles/" + std::to_string(i) + ".html";
    CVXMLElement* item = doc.CreateElement("item");
    channel->AppendChild(item);
    item->AppendChild(doc.CreateElement("title", Utf8ToAnsi(ItemText(i, "Item"))));
    item->AppendChild(doc.CreateElement("link", url));
    CVXMLElement* description = doc.CreateElement("description");
    description->AppendNew<CVXMLCDATASection>()->AssignValue(Utf8ToAnsi(ItemText(i, "Summary")));
    item->AppendChild(description);
    CVXMLElement* content = doc.CreateElement("content:encoded");
    content->AppendNew<CVXMLCDATASection>()->AssignValue(Utf8ToAnsi(Paragraphs(i)));
    item->AppendChild(content);
    item->AppendChild(doc.CreateElement("pubDate", "Mon, 01 Jan 2024 00:00:00 +0900"));
    item->AppendChild(doc.CreateElement("guid", url));
    item->AppendChild(doc.CreateElement("category", "category" + std::to_string(i % 7)));
  }
  if (!save) return doc.GetDocumentElement() ? 0 : 1;
  return doc.Save(path) ? 0 : 1;
}

int Parse(const char* path, bool html) {
  CVXMLDocument doc(html ? kHtmlCompact : kXmlCompact);
  if (!doc.Load(path)) return 1;
  return doc.GetDocumentElement() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-bench", 1);
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "gen-rss" && argc == 4) return GenerateRss(std::atoi(argv[2]), argv[3]);
  if (command == "gen-html" && argc == 4) return GenerateHtml(std::atol(argv[2]), argv[3]);
  if (command == "parse" && argc == 3) return Parse(argv[2], false);
  if (command == "parse-html" && argc == 3) return Parse(argv[2], true);
  if (command == "write" && argc == 4) return WriteFeed(std::atoi(argv[2]), argv[3], true);
  if (command == "build" && argc == 3) return WriteFeed(std::atoi(argv[2]), "", false);
  std::fprintf(stderr,
               "usage: xml_tool gen-rss N FILE | gen-html KB FILE | parse FILE | parse-html FILE | write N FILE | build N\n");
  return 2;
}
