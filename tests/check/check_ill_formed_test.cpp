// Files that are not well-formed, or that attack the reader: one error with its place, no crash, no
// network, no entity expansion, no unbounded memory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "check/check_test_support.h"
#include "support/test_env.h"

namespace {

class CheckIllFormed : public VamelTest {};

struct IllCase {
  std::string text;
  std::string rule;
  int line;
  int column;  // 0: any column
};

TEST_F(CheckIllFormed, EachGivesOneErrorWithItsPlace) {
  const std::string decl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  const std::vector<IllCase> cases = {
      {decl + "<rss version=\"2.0\">\n<channel>\n<title>a</titl>\n</channel></rss>", "not-well-formed", 4, 16},
      {decl + "<rss version=\"2.0\">\n<channel>\n<title>a</title>\n", "not-well-formed", 5, 0},
      {decl + "<rss version=\"2.0\"><channel><title>&nbsp;</title></channel></rss>", "not-well-formed", 2, 0},
      {decl + "<rss version=\"2.0\">\n<channel a=\"<\"/></rss>", "not-well-formed", 3, 0},
      {decl + "<rss version=\"2.0\"/>\n<rss version=\"2.0\"/>", "not-well-formed", 3, 0},
      {decl + "<rss version=\"2.0\">\n<channel><title>a\x01</title></channel></rss>", "not-well-formed", 3, 0},
      {decl + "<rss version=\"2.0\">\n<channel><title>a&#1;</title></channel></rss>", "not-well-formed", 3, 0},
      {decl + "text before\n<rss version=\"2.0\"/>", "not-well-formed", 2, 0},
      {decl + "<rss version=\"2.0\" version=\"2.0\"/>", "not-well-formed", 2, 0},
      {decl, "not-well-formed", 0, 0},
      {"", "not-well-formed", 0, 0},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "encoding-mismatch", 1, 0},
      {decl + "<rss version=\"2.0\"><channel><title>]]></title></channel></rss>", "not-well-formed", 2, 0},
  };
  for (const IllCase& c : cases) {
    SCOPED_TRACE(c.text);
    CFeedCheckResult result = CheckText(c.text);
    EXPECT_FALSE(result.wellFormed);
    EXPECT_EQ(result.ErrorCount(), 1) << Describe(result);
    for (const CFeedFinding& f : result.findings) {
      if (f.severity != CheckSeverity::Error) continue;
      EXPECT_EQ(f.rule, c.rule);
      if (c.line) {
        EXPECT_EQ(f.line, c.line) << Describe(result);
      }
      if (c.column) {
        EXPECT_EQ(f.column, c.column) << Describe(result);
      }
      EXPECT_FALSE(f.message.empty());
    }
  }
}

TEST_F(CheckIllFormed, EntitiesAreNeitherExpandedNorFetched) {
  // A billion laughs: refused by libxml2's amplification limit, at the reference in the file.
  std::string laughs = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE rss [\n<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaa\">\n";
  for (char name = 'b'; name <= 'k'; ++name) {
    laughs += std::string("<!ENTITY ") + name + " \"";
    for (int i = 0; i < 10; ++i) laughs += std::string("&") + static_cast<char>(name - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<rss version=\"2.0\"><channel><title>&k;</title><link>https://example.jp/</link><description>&k;</description></channel></rss>\n";
  CFeedCheckResult result = CheckText(laughs);
  EXPECT_LE(result.ErrorCount(), 1) << Describe(result);
  for (const CFeedFinding& f : result.findings) EXPECT_LT(f.message.size(), 1000u);

  // An external entity and an external DTD: nothing is read, the reference stays empty.
  const std::string secret = TempPath("secret.txt");
  WriteFile(secret, "secret-text-42");
  std::string external = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE rss SYSTEM \"http://127.0.0.1:9/rss.dtd\" [\n"
                         "<!ENTITY x SYSTEM \"file://" + secret + "\">\n]>\n"
                         "<rss version=\"2.0\"><channel><title>&x;</title><link>https://example.jp/</link>"
                         "<description>d</description></channel></rss>\n";
  result = CheckText(external);
  EXPECT_TRUE(result.wellFormed);
  EXPECT_EQ(Describe(result), "5:29 warning empty-title: the title is empty\n");
}

TEST_F(CheckIllFormed, DeepAndHugeInputsAreRefusedWithoutCrashing) {
  std::string deep = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  for (int i = 0; i < 100000; ++i) deep += "</a>";
  CFeedCheckResult result = CheckText(deep);
  EXPECT_EQ(result.ErrorCount(), 1) << Describe(result);
  EXPECT_EQ(result.findings[0].line, 2);

  // A file above the limit is refused before it is read (a sparse file: no disk, no memory).
  const std::string huge = TempPath("huge.xml");
  int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxCheckedFileSize) + 1), 0);
  ::close(fd);
  result = CheckFeedFile(huge);
  ASSERT_EQ(result.findings.size(), 1u);
  EXPECT_EQ(result.findings[0].rule, "file-too-large");

  result = CheckFeedFile(TempPath("missing.xml"));
  ASSERT_EQ(result.findings.size(), 1u);
  EXPECT_FALSE(result.read);
  EXPECT_EQ(result.findings[0].rule, "file-unreadable");
  EXPECT_EQ(CheckFeedFile(TempFolder()).findings[0].rule, "file-unreadable");
}

}  // namespace
