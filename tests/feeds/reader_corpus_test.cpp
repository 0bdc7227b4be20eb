// Real feeds that nobody here wrote: every file of the corpus is read without a crash or a hang, and
// every well-formed feed gives the items that a conforming XML parser finds in it, with their titles.
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "feeds/feed_reader.h"
#include "model/rss_file.h"
#include "support/missing.h"
#include "support/test_env.h"

namespace {

class ReaderCorpus : public VamelTest {};

std::string CorpusFolder() { return std::string(VAMELRSS_SHARED_DIR) + "/corpus/feedparser-tests"; }

}  // namespace

TEST_F(ReaderCorpus, EveryFileReadsAndWellFormedFeedsGiveTheirItems) {
  const std::string corpus = CorpusFolder();
  if (!std::filesystem::is_directory(corpus)) SKIP_OR_FAIL_IN_CI("no corpus at " + corpus);
  if (!std::filesystem::exists("/usr/bin/python3")) SKIP_OR_FAIL_IN_CI("no /usr/bin/python3");

  // What python's XML parser finds in each well-formed file.
  const std::string expectFile = TempPath("expect.json");
  const std::string script = std::string(VAMELRSS_SOURCE_DIR) + "/tests/feeds/reader_corpus_expect.py";
  ASSERT_EQ(RunCommand("/usr/bin/python3 '" + script + "' '" + corpus + "' '" + expectFile + "'"), 0);
  nlohmann::json expected = nlohmann::json::parse(ReadFile(expectFile));
  ASSERT_GT(expected.size(), 1000u);

  int files = 0, wellFormed = 0, feeds = 0, items = 0, titled = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    const std::string path = entry.path().string();
    if (path.size() < 4 || (path.compare(path.size() - 4, 4, ".xml") != 0 && path.compare(path.size() - 4, 4, ".rdf") != 0)) {
      continue;
    }
    ++files;
    CRssFile project;
    const bool read = ReadFeed(project, path).Ok();  // sanitizer builds check each of these reads
    const std::string relative = std::filesystem::relative(entry.path(), corpus).string();
    auto found = expected.find(relative);
    if (found == expected.end()) continue;
    ++wellFormed;
    const nlohmann::json& want = *found;
    SCOPED_TRACE(relative);
    const int format = want["format"];
    if (format <= kFeedRss20 && !want["channel"].get<bool>()) {
      EXPECT_FALSE(read);
      continue;
    }
    EXPECT_TRUE(read);
    if (!read) continue;
    ++feeds;
    EXPECT_EQ(project.sourceKind, format);
    EXPECT_EQ(project.GetSize(), want["items"].get<int>());
    if (project.GetSize() != want["items"].get<int>()) continue;
    items += project.GetSize();
    if (want["titles"].is_null()) continue;
    for (int i = 0; i < project.GetSize(); ++i) {
      EXPECT_EQ(U(project.GetAt(i)->title), want["titles"][static_cast<size_t>(i)].get<std::string>()) << "item " << i;
      ++titled;
    }
  }
  // Messages are only file errors; none of these files is unreadable.
  EXPECT_GT(feeds, 1000);
  std::printf("corpus: %d files, %d well-formed, %d feeds read, %d items, %d titles compared\n", files, wellFormed,
              feeds, items, titled);
}
