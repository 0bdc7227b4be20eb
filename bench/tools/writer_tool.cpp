// Whole-process feed writing, timed side by side with xmllint --format on the written file:
//   writer_tool make N FILE                 writes a project of N items (about 650 bytes of feed each)
//   writer_tool load FILE                   loads it (the part of "write" that is not writing)
//   writer_tool write rss20|atom10|json FILE OUT loads the project and writes the feed to OUT
#include <cstdio>
#include <cstdlib>
#include <string>

#include "feeds/feed_writers.h"
#include "model/project_file.h"
#include "model/rss_file.h"
#include "platform/clock.h"
#include "platform/text_codec.h"

namespace {

void FillWriterProject(CRssFile& project, int items) {
  project.siteTitle = Utf8ToAnsi("ベンチマークの日記 & メモ");
  project.siteUrl = "https://example.jp/diary/";
  project.siteDescription = Utf8ToAnsi("毎日の記録です。");
  project.creator = Utf8ToAnsi("山田 太郎");
  project.rssCount = project.atomCount = project.ext.jsonCount = -1;  // every item
  const std::string title = Utf8ToAnsi("今日の出来事について書いた記事 No.");
  const std::string description = Utf8ToAnsi("サイトの更新情報です。本文の要約 & \"引用\" が続きます。");
  std::string content;
  while (content.size() < 250) content += Utf8ToAnsi("<p>段落の内容、<a href=\"x.html\">リンク</a>。</p>\r\n");
  for (int i = 0; i < items; ++i) {
    auto item = std::make_unique<CRssItem>(1136163784 + i * 60);
    item->published = item->date - 86400;
    item->title = title + std::to_string(i);
    item->url = "https://example.jp/diary/" + std::to_string(i) + ".html?from=feed&n=" + std::to_string(i);
    item->description = description;
    item->category = Utf8ToAnsi("日記");
    item->content = content;
    project.Add(std::move(item));
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-bench", 1);
  SetCurrentTimeOverride(1136163784);
  CRssFile::rssMode = CRssFile::atomMode = 2;
  std::string command = argc > 1 ? argv[1] : "";
  std::string message;
  if (command == "make" && argc == 4) {
    CRssFile project;
    FillWriterProject(project, std::atoi(argv[2]));
    return SaveProjectFile(project, argv[3]) ? 0 : 1;
  }
  if (command == "load" && argc == 3) {
    CRssFile project;
    return LoadProjectFile(project, argv[2]) ? 0 : 1;
  }
  if (command == "write" && argc == 5) {
    std::string format = argv[2];
    CRssFile project;
    if (!LoadProjectFile(project, argv[3])) return 1;
    CRssFile::rssMode = CRssFile::atomMode = 2;
    CFeedWriteResult written;
    if (format == "rss20") written = WriteRss20(project, argv[4]);
    else if (format == "atom10") written = WriteAtom10(project, argv[4]);
    else if (format == "json") written = WriteJsonFeed(project, argv[4]);
    return written.Ok() ? 0 : 1;
  }
  std::fprintf(stderr, "usage: writer_tool make N FILE | load FILE | write rss20|atom10|json FILE OUT\n");
  return 2;
}
