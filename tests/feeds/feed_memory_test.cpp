// A large project's feeds are built and read as trees of hundreds of megabytes; once the work is done the
// documents' arenas must have given that memory back to the system.
#include <memory>
#include <string>

#include "feeds/feed_reader.h"
#include "feeds/feed_writers.h"
#include "model/rss_file.h"
#include "support/test_env.h"
#include "xml/vxml_arena.h"

namespace {

class FeedMemory : public VamelTest {};

constexpr int kItems = 100000;
constexpr TimeValue kNewest = 1136163784;

void FillProject(CRssFile& project) {
  project.siteTitle = J("大きな日記");
  project.siteUrl = "https://example.jp/diary/";
  project.siteDescription = J("毎日の記録です。");
  project.rssCount = project.atomCount = -1;  // every item
  const std::string title = J("今日の出来事 No.");
  const std::string description = J("サイトの更新情報です。本文の要約 & \"引用\" が続きます。");
  std::string content;
  while (content.size() < 250) content += J("<p>段落の内容、<a href=\"x.html\">リンク</a>。</p>\r\n");
  for (int i = 0; i < kItems; ++i) {
    auto item = std::make_unique<CRssItem>(kNewest - i * 60);
    item->title = title + std::to_string(i);
    item->url = "https://example.jp/diary/" + std::to_string(i) + ".html";
    item->description = description;
    item->category = J("日記");
    item->content = content;
    project.Add(std::move(item));
  }
}

}  // namespace

TEST_F(FeedMemory, AHundredThousandItemProjectLeavesNothingInTheArenas) {
  CRssFile::rssMode = CRssFile::atomMode = 2;
  const CVXMLArenaCounters before = VXMLArenaGetCounters();
  auto project = std::make_unique<CRssFile>();
  FillProject(*project);
  // Written, then read back.
  for (const bool atom : {false, true}) {
    SCOPED_TRACE(atom ? "Atom 1.0" : "RSS 2.0");
    const std::string path = TempPath(atom ? "atom.xml" : "rss.xml");
    VXMLArenaResetPeak();
    ASSERT_TRUE((atom ? WriteAtom10(*project, path) : WriteRss20(*project, path)).Ok());
    CVXMLArenaCounters after = VXMLArenaGetCounters();
    EXPECT_GE(after.peakBytesHeld, before.bytesHeld + (64u << 20));  // the tree was large
    EXPECT_EQ(after.blocksInUse, before.blocksInUse);
    EXPECT_LE(after.bytesHeld, before.bytesHeld + CVXMLArena::kChunkBytes);  // at most the chunk kept for the next document

    VXMLArenaResetPeak();
    CRssFile read;
    ASSERT_TRUE(ReadFeed(read, path));
    EXPECT_EQ(read.GetSize(), kItems);
    after = VXMLArenaGetCounters();
    EXPECT_GE(after.peakBytesHeld, before.bytesHeld + (32u << 20));
    EXPECT_EQ(after.blocksInUse, before.blocksInUse);
    EXPECT_LE(after.bytesHeld, before.bytesHeld + CVXMLArena::kChunkBytes);
  }
  project.reset();  // the project closed
  const CVXMLArenaCounters closed = VXMLArenaGetCounters();
  EXPECT_EQ(closed.blocksInUse, before.blocksInUse);
  EXPECT_LE(closed.bytesHeld, before.bytesHeld + CVXMLArena::kChunkBytes);
}
