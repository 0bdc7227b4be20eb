// Whole-process page harvesting, timed side by side with xmllint and find by bench/harvest_bench.sh:
//   harvest_tool gen-site N KB DIR   a site of N pages of about KB kilobytes in nested folders: nested
//                                    markup, unclosed elements, Japanese text, two marked regions each
//   harvest_tool scan DIR            the folder scan of DIR (list, sort, preselect)
//   harvest_tool import DIR          the scan, then every page imported in the marked-part mode
//   harvest_tool read PAGE           one page read into an item in the marked-part mode
//   harvest_tool scale PAGE K OUT    PAGE with the inside of its body repeated K times (for scaling)
#include <sys/stat.h>
#include <sys/time.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/folder_scan.h"
#include "app/interaction.h"
#include "harvest/page_reader.h"
#include "model/rss_file.h"
#include "model/rss_item.h"

namespace {

const char* const kJapanese[] = {"坂道を歩きました", "新しい記事を公開しました", "東京都の古い建物", "お知らせ",
                                 "写真と文章で残しています。"};

bool WriteAll(const std::string& path, const std::string& data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

std::string Page(int index, std::size_t bytes) {
  const std::string n = std::to_string(index);
  std::string out = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html lang=\"ja\"><head>"
                    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                    "<title>記事 " + n + " " + kJapanese[index % 5] + "</title>"
                    "<link rel=\"stylesheet\" href=\"../../style.css\"></head>\n<body>\n<div id=\"menu\"><ul>"
                    "<li><a href=\"../index.html\">トップ</a><li><a href=\"/about.html\">このサイトについて</a></ul></div>\n"
                    "<!--VAMELRSS START--><h2>" + kJapanese[(index + 1) % 5] + "</h2><p>本文 " + n +
                    " <img src=\"img/" + n + ".png\" alt=\"写真\"> <a href=\"p" + std::to_string(index + 1) +
                    ".html\">次へ</a><!--VAMELRSS END-->\n";
  // Nested sections of closed markup, then text with unclosed paragraphs and void elements.
  for (int i = 0; out.size() < bytes / 2; ++i) {
    out += "<div class=\"section\"><h3>節 " + std::to_string(i) + "</h3><table><tr><td><span>" + kJapanese[i % 5] +
           "</span></td><td><a href=\"s" + std::to_string(i) + ".html\">link</a></td></tr></table><ul><li>一<li>二"
           "</ul></div>\n";
  }
  static const char* const kLoose[] = {"<p>", "<br>", "<img src=\"i.png\">", "<hr>", "<li>"};
  for (int i = 0; out.size() < bytes - 200; ++i) {
    out += kLoose[i % 5];
    out += kJapanese[i % 5];
    out += " running text of the page. ";
  }
  out += "\n<!--VAMELRSS START--><p>追記 " + n + "</p><!--VAMELRSS END-->\n</body></html>\n";
  return out;
}

int GenerateSite(int count, long kilobytes, const std::string& dir) {
  namespace fs = std::filesystem;
  const std::size_t bytes = static_cast<std::size_t>(kilobytes) * 1024;
  for (int i = 0; i < count; ++i) {
    fs::path folder = fs::path(dir) / ("s" + std::to_string(i / 1000)) / ("d" + std::to_string(i / 100 % 10));
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::string path = (folder / ("p" + std::to_string(i) + ".html")).string();
    if (!WriteAll(path, Page(i, bytes))) return 1;
    struct timeval times[2] = {{1136041200 + i * 60, 0}, {1136041200 + i * 60, 0}};
    ::utimes(path.c_str(), times);
  }
  return 0;
}

int Scan(const std::string& dir, bool import) {
  CRssFile project;
  project.localFolder = dir;
  project.siteUrl = "https://example.jp/";
  project.importMode = kImportModeMarked;
  CFolderScan scan(project);
  scan.Open();
  if (!import) return scan.GetCount() > 0 ? 0 : 1;
  scan.SelectAll();
  // No page has an item yet, so the import asks nothing.
  struct CNoQuestions : CInteraction {
    MbAnswer MessageBox(const std::string&, MbButtons, MbIcon) override { return MbAnswer::No; }
  } ui;
  CResult<int> result = scan.ImportSelected(ui);
  return result.value == scan.GetCount() && project.GetSize() == scan.GetCount() ? 0 : 1;
}

int Read(const std::string& path) {
  CRssFile project;
  project.importMode = kImportModeMarked;
  CRssItem item;
  ReadPageIntoItem(project, "https://example.jp/a/page.html", path, item);
  return item.url.empty() ? 1 : 0;
}

int Scale(const std::string& path, int times, const std::string& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 1;
  std::string text;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  // The inside of the body (or the whole page without one) repeated.
  std::size_t open = text.find("<body");
  open = open == std::string::npos ? 0 : text.find('>', open) + 1;
  std::size_t close = text.rfind("</body>");
  if (close == std::string::npos || close < open) close = text.size();
  std::string inside = text.substr(open, close - open);
  std::string scaled = text.substr(0, open);
  for (int i = 0; i < times; ++i) scaled += inside;
  scaled += text.substr(close);
  return WriteAll(out, scaled) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-bench", 1);
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "gen-site" && argc == 5) return GenerateSite(std::atoi(argv[2]), std::atol(argv[3]), argv[4]);
  if (command == "scan" && argc == 3) return Scan(argv[2], false);
  if (command == "import" && argc == 3) return Scan(argv[2], true);
  if (command == "read" && argc == 3) return Read(argv[2]);
  if (command == "scale" && argc == 5) return Scale(argv[2], std::atoi(argv[3]), argv[4]);
  std::fprintf(stderr, "usage: harvest_tool gen-site N KB DIR | scan DIR | import DIR | read PAGE | scale PAGE K OUT\n");
  return 2;
}
