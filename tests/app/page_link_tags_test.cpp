// The feed tags kept in the site's pages: a real site folder with Shift_JIS, EUC-JP and UTF-8 pages,
// CR LF and LF, with and without a head; the tags go in byte for byte, a second run writes nothing,
// excluded pages stay untouched.
#include <algorithm>
#include <filesystem>

#include "app/page_link_tags.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "support/harvest_fixture.h"

namespace {

const std::string kRssTag = R"(<LINK rel="alternate" TITLE="RSS" TYPE="application/rss+xml" HREF="index.rdf">)";
const std::string kAtomTag = R"(<LINK rel="alternate" TITLE="Atom" TYPE="application/atom+xml" HREF="atom.xml">)";
const std::string kUpRssTag = R"(<LINK rel="alternate" TITLE="RSS" TYPE="application/rss+xml" HREF="../index.rdf">)";
const std::string kUpAtomTag = R"(<LINK rel="alternate" TITLE="Atom" TYPE="application/atom+xml" HREF="../atom.xml">)";

class PageLinkTags : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    root = TempPath("site");
    MakeFolder(root);
    UseFolder(project, root, 3);
    project.rssFileName = "index.rdf";
    project.atomFileName = "atom.xml";
  }
  void Page(const std::string& relative, const std::string& bytes) {
    const std::string path = root + "/" + relative;
    MakeFolder(std::filesystem::path(path).parent_path().string());
    WriteFile(path, bytes);
    SetModified(path, Local(2006, 1, 1, 0, 0, 0));
  }
  std::string Read(const std::string& relative) const { return ReadFile(root + "/" + relative); }
  std::vector<std::string> StateLines(const CResult<std::vector<CPageTags>>& result) const {
    std::vector<std::string> lines;
    for (const CPageTags& page : result.value) lines.push_back(U(PageTagLine(page)));
    return lines;
  }

  std::string root;
  CRssFile project;
};

using Lines = std::vector<std::string>;

TEST_F(PageLinkTags, EveryPageOfTheSiteGetsItsTagsByteForByteAndOnlyOnce) {
  // Shift_JIS, CR LF, a head; "日記" in the title.
  const std::string sjisHead = "<html><head><meta charset=\"Shift_JIS\"><title>\x93\xfa\x8b\x4c</title>\r\n";
  const std::string sjisTail = "</head>\r\n<body>\x93\xfa\x8b\x4c</body></html>\r\n";
  Page("sjis.html", sjisHead + sjisTail);
  // EUC-JP, LF, upper-case </HEAD>, one folder down.
  const std::string eucHead = "<html><head><meta charset=\"EUC-JP\"><title>\xC6\xFC\xB5\xAD</title>\n";
  const std::string eucTail = "</HEAD>\n<body>\xC6\xFC\xB5\xAD</body></html>\n";
  Page("diary/euc.htm", eucHead + eucTail);
  // UTF-8 without a head: the tags go before <body>.
  Page("nohead.html", "<html>\n<body class=\"x\">\xE6\x97\xA5\xE8\xA8\x98</body></html>\n");
  // Markers with an old tag between them, CR LF.
  Page("news/a.html", "<html><head>\r\n<!--VAMELRSS LINK START-->\r\n<LINK HREF=\"old.rdf\">\r\n<!--VAMELRSS LINK END-->\r\n</head></html>\r\n");
  // The copied tags pasted in by hand count.
  Page("pasted.html", "<html><head>" + kRssTag + "\n" + kAtomTag + "\n</head></html>\n");
  // Nowhere to put them; a start marker without its end.
  Page("fragment.html", "just text\n");
  Page("broken.html", "<html><head><!--VAMELRSS LINK START--></head></html>");
  // Excluded by file and by folder; not a page.
  Page("old.html", "<html><head></head></html>");
  Page("draft/x.html", "<html><head></head></html>");
  Page("notes.txt", "<html><head></head></html>");
  project.excludedFiles = {"old.html"};
  project.excludedFolders = {"draft"};

  const CResult<std::vector<CPageTags>> dry = UpdatePageLinkTags(project, false);
  ASSERT_TRUE(dry.Ok()) << dry.FirstText();
  EXPECT_EQ(Read("sjis.html"), sjisHead + sjisTail) << "a dry run writes nothing";

  const CResult<std::vector<CPageTags>> first = UpdatePageLinkTags(project, true);
  ASSERT_TRUE(first.Ok()) << first.FirstText();
  Lines lines = StateLines(first);
  std::sort(lines.begin(), lines.end());
  Lines expected{"LINKタグなし\tdiary/euc.htm", "LINKタグなし\tnohead.html", "LINKタグなし\tsjis.html",
                 "LINKタグが古い\tnews/a.html", "LINKタグの場所なし\tbroken.html", "LINKタグの場所なし\tfragment.html"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(StateLines(dry).size(), first.value.size());

  EXPECT_EQ(Read("sjis.html"), sjisHead + "<!--VAMELRSS LINK START-->\r\n" + kRssTag + "\r\n" + kAtomTag +
                                   "\r\n<!--VAMELRSS LINK END-->\r\n" + sjisTail);
  EXPECT_EQ(Read("diary/euc.htm"), eucHead + "<!--VAMELRSS LINK START-->\n" + kUpRssTag + "\n" + kUpAtomTag +
                                       "\n<!--VAMELRSS LINK END-->\n" + eucTail);
  EXPECT_EQ(Read("nohead.html"), "<html>\n<!--VAMELRSS LINK START-->\n" + kRssTag + "\n" + kAtomTag +
                                     "\n<!--VAMELRSS LINK END-->\n<body class=\"x\">\xE6\x97\xA5\xE8\xA8\x98</body></html>\n");
  EXPECT_EQ(Read("news/a.html"), "<html><head>\r\n<!--VAMELRSS LINK START-->\r\n" + kUpRssTag + "\r\n" + kUpAtomTag +
                                     "\r\n<!--VAMELRSS LINK END-->\r\n</head></html>\r\n");
  for (const char* untouched : {"pasted.html", "fragment.html", "broken.html", "old.html", "draft/x.html", "notes.txt"}) {
    std::int32_t t = 0;
    ASSERT_TRUE(GetFileModifiedTime(root + "/" + untouched, t));
    EXPECT_EQ(t, Local(2006, 1, 1, 0, 0, 0)) << untouched;
  }

  // A second run finds only the pages it cannot mend and writes nothing.
  std::vector<CFileStamp> before;
  for (const char* page : {"sjis.html", "diary/euc.htm", "nohead.html", "news/a.html"}) before.push_back(GetFileStamp(root + "/" + page));
  const CResult<std::vector<CPageTags>> second = UpdatePageLinkTags(project, true);
  EXPECT_EQ(StateLines(second).size(), 2u);
  int i = 0;
  for (const char* page : {"sjis.html", "diary/euc.htm", "nohead.html", "news/a.html"}) {
    EXPECT_TRUE(GetFileStamp(root + "/" + page) == before[static_cast<std::size_t>(i++)]) << page;
  }

  // A changed file name makes the tags outdated.
  project.atomFileName.clear();
  EXPECT_TRUE(UpdatePageLinkTags(project, true).Ok());
  EXPECT_EQ(Read("sjis.html"), sjisHead + "<!--VAMELRSS LINK START-->\r\n" + kRssTag + "\r\n<!--VAMELRSS LINK END-->\r\n" + sjisTail);
}

TEST_F(PageLinkTags, NamesBeyondAsciiArePercentEncodedSoEveryEncodingReadsThem) {
  project.rssFileName = J("日記 & x.rdf");
  project.atomFileName.clear();
  EXPECT_EQ(PageFeedTags(project, "a/b/c.html"),
            (std::vector<std::string>{R"(<LINK rel="alternate" TITLE="RSS" TYPE="application/rss+xml" HREF="../../%E6%97%A5%E8%A8%98%20%26%20x.rdf">)"}));
  // The JSON Feed is named on every page while it is on.
  project.ext.jsonFeed = true;
  EXPECT_EQ(PageFeedTags(project, "c.html").back(),
            R"(<LINK rel="alternate" TITLE="JSON Feed" TYPE="application/feed+json" HREF="feed.json">)");
  // So is a section's, on the section's pages.
  project.ext.sections = {CFeedSection{J("日記"), CFeedSection::Rule::kFolder, "diary/", "", "", "", "d.json"}};
  EXPECT_EQ(PageFeedTags(project, "diary/a.html").back(),
            R"(<LINK rel="alternate" TITLE="JSON Feed &#26085;&#35352;" TYPE="application/feed+json" HREF="../d.json">)");
  project.ext.jsonFeed = false;
  EXPECT_EQ(PageFeedTags(project, "diary/a.html").size(), 1u);
}

TEST_F(PageLinkTags, TheMenuCommandAsksBeforeItWrites) {
  Page("a.html", "<html><head></head></html>");
  ui.ExpectQuestion(QuestionId::kUpdateLinkTags, MbAnswer::No);
  RunUpdatePageLinkTags(project, ui);
  EXPECT_EQ(Read("a.html"), "<html><head></head></html>");
  ui.ExpectQuestion(QuestionId::kUpdateLinkTags, MbAnswer::Yes);
  RunUpdatePageLinkTags(project, ui);
  EXPECT_NE(Read("a.html").find(kRssTag), std::string::npos);
  EXPECT_EQ(ui.Texts().back(), "1 ページのLINKタグを更新しました");
  RunUpdatePageLinkTags(project, ui);
  EXPECT_EQ(ui.Texts().back(), "LINKタグを更新するページはありません");
  ui.VerifyAllAsked();
}

}  // namespace
