// Files that are not well-formed, or that attack the reader: one error with its place, no crash, no
// network, no entity expansion, no unbounded memory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "check/check_limits.h"
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
  EXPECT_EQ(Describe(result), "5:20 warning no-self-link: no link with rel=\"self\"\n5:29 warning empty-title: the title is empty\n");

  // An entity that only the external DTD may declare (old RSS 0.91 feeds): well-formed, and a warning
  // that readers which do not read the DTD lose its text; without an external DTD, not well-formed.
  const std::string netscape = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD RSS 0.91//EN\" "
                               "\"http://my.netscape.com/publish/formats/rss-0.91.dtd\">\n";
  const std::string body = "<rss version=\"2.0\"><channel><title>Caf&eacute;</title><link>https://example.jp/</link>"
                           "<description>d</description><atom:link xmlns:atom=\"http://www.w3.org/2005/Atom\" rel=\"self\" "
                           "href=\"https://example.jp/rss.xml\"/></channel></rss>\n";
  result = CheckText(netscape + body);
  EXPECT_TRUE(result.wellFormed);
  EXPECT_EQ(Describe(result), "3:47 warning entity-in-external-dtd: the entity &eacute; is declared in the external DTD, which "
                              "is not read (readers that do not read it lose its text)\n");
  result = CheckText("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + body);
  EXPECT_FALSE(result.wellFormed);
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

// What a hostile file asks of the checker stays bounded: references that stand for far more text than
// the file holds are reported as such (and not read), an element with an absurd number of attributes
// is refused before libxml2 compares each with all the others, and a device or pipe that never ends is
// read no further than the size limit. A modest use of entities is checked as before.
TEST_F(CheckIllFormed, AmplifyingInputsAreReportedNotRead) {
  const std::string head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE rss [\n<!ENTITY big \"" +
                           std::string(256 << 10, 'x') + "\">\n<!ENTITY site \"Example\">\n]>\n";
  std::string refs;
  for (int i = 0; i < 200; ++i) refs += "&big;";
  CFeedCheckResult result = CheckText(head + "<rss version=\"2.0\"><channel><title>" + refs +
                                      "</title><link>https://example.jp/</link><description>d</description></channel></rss>\n");
  EXPECT_TRUE(result.wellFormed);
  EXPECT_EQ(result.format, CheckedFormat::Rss20);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].rule, "too-much-text");
  // The same amplification through an attribute and through an entity made of references.
  result = CheckText(head + "<rss version=\"2.0\"><channel><title>t</title><link>https://example.jp/</link>"
                     "<description>d</description><image url=\"" + refs + "\"/></channel></rss>\n");
  EXPECT_NE(Describe(result).find("too-much-text"), std::string::npos) << Describe(result);
  std::string nested = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE rss [\n<!ENTITY big \"" +
                       std::string(64 << 10, 'x') + "\">\n<!ENTITY many \"" + refs + "\">\n]>\n";
  result = CheckText(nested + "<rss version=\"2.0\"><channel><title>&many;&many;</title><link>https://example.jp/</link>"
                              "<description>d</description></channel></rss>\n");
  EXPECT_NE(Describe(result).find("too-much-text"), std::string::npos) << Describe(result);
  // A few references to a short text: the rules run and find what they always found.
  result = CheckText(head + "<rss version=\"2.0\"><channel><title>&site;&site;</title><link>example.jp</link>"
                            "<description>&big;</description></channel></rss>\n");
  EXPECT_EQ(Describe(result).find("too-much-text"), std::string::npos) << Describe(result);
  EXPECT_NE(Describe(result).find("relative-url"), std::string::npos) << Describe(result);

  std::string attributes = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel a0=''";
  for (int i = 1; i < 200000; ++i) attributes += " a" + std::to_string(i) + "=''";
  result = CheckText(attributes + "/></rss>\n");
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].rule, "too-many-attributes");
  // Quotes, ">" and "=" inside values count as nothing; a root with many namespaces is fine.
  std::string root = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\" x=\"a>b='c'=d\"";
  for (int i = 0; i < 40; ++i) root += " xmlns:n" + std::to_string(i) + "=\"urn:n" + std::to_string(i) + "\"";
  result = CheckText(root + "><channel><title>t</title><link>https://example.jp/</link><description>d</description></channel></rss>\n");
  EXPECT_EQ(result.ErrorCount(), 0) << Describe(result);

  // /dev/zero never ends: read up to one byte beyond the limit, then refused as too large.
  result = CheckFeedFile("/dev/zero");
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].rule, "file-too-large");
}

}  // namespace

namespace {

// The count of attributes is exact wherever a tag stands among the eight-byte words the count reads,
// whatever "=" the text around it holds, and for a tag that never closes.
TEST(CheckLimits, AttributesCountedExactlyAtEveryAlignment) {
  auto tag = [](int attributes, const char* end) {
    std::string text = "<a";
    for (int i = 0; i < attributes; ++i) text += " b" + std::to_string(i) + "='x=y'";
    return text + end;
  };
  for (int pad = 0; pad < 9; ++pad) {
    const std::string before = std::string(pad, ' ') + "a=b<x>c=d=e";
    for (const char* end : {">", "/>", ""}) {
      SCOPED_TRACE(std::to_string(pad) + end);
      // After a tag that never closes, up to the next "<", text counts as its attributes.
      const std::string after = *end ? "f=g=h</x>" : "</x>";
      EXPECT_FALSE(HasTagWithMoreAttributes(before + tag(256, end) + after, 256));
      EXPECT_TRUE(HasTagWithMoreAttributes(before + tag(257, end) + after, 256));
    }
  }
  // Text full of "=" is no tag, nor a "<" that starts none.
  EXPECT_FALSE(HasTagWithMoreAttributes("<p>" + std::string(1000, '=') + "</p>", 256));
  EXPECT_FALSE(HasTagWithMoreAttributes("< " + std::string(1000, '=') + ">", 256));
}

}  // namespace
