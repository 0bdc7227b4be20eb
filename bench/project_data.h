// A project of realistic size for the project file benchmarks: Japanese titles, URLs, 200-byte
// descriptions and 2 KB of content per item.
#pragma once

#include <memory>
#include <string>

#include "model/rss_file.h"
#include "platform/text_codec.h"

inline void FillBenchProject(CRssFile& project, int items) {
  project.siteTitle = Utf8ToAnsi("ベンチマークの日記");
  project.siteUrl = "https://example.jp/";
  project.localFolder = "/srv/www/example";
  const std::string title = Utf8ToAnsi("今日の出来事について書いた記事 No.");
  std::string description = Utf8ToAnsi("サイトの更新情報です。");
  while (description.size() < 200) description += Utf8ToAnsi("本文の要約が続きます。");
  description.resize(200);
  std::string content;
  while (content.size() < 2048) content += Utf8ToAnsi("<p>段落の内容、<a href=\"https://example.jp/x.html\">リンク</a>。</p>\r\n");
  content.resize(2048);
  project.Reserve(items);
  for (int i = 0; i < items; ++i) {
    auto item = std::make_unique<CRssItem>(1136163784 + i);
    item->title = title + std::to_string(i);
    item->url = "https://example.jp/diary/" + std::to_string(i) + ".html";
    item->description = description;
    item->category = Utf8ToAnsi("日記");
    item->content = content;
    project.Add(std::move(item));
  }
}
