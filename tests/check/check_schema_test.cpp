// The Atom 1.0 schema: found by option, environment or installed folder; its findings placed at the
// element; a missing schema leaves one warning and the other rules.
#include <gtest/gtest.h>

#include <cstdlib>

#include "check/check_test_support.h"
#include "support/test_env.h"
#include "support/missing.h"

namespace {

const char* const kAtom = R"(<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom">
<title>T</title>
<link rel="self" href="https://example.jp/atom.xml" />
<id>tag:example.jp,2006:feed</id>
<updated>2006-01-02T10:03:04+09:00</updated>
<author><name>N</name></author>
<entry>
<title>A</title>
<link href="https://example.jp/a.html" />
<id>tag:example.jp,2006:a</id>
<updated>2006-01-02T10:03:04+09:00</updated>
</entry>
</feed>
)";

class CheckSchema : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    m_schema = SharedAtomSchema();
    if (m_schema.empty()) SKIP_OR_FAIL_IN_CI("no shared Atom schema");
    unsetenv("VAMELRSS_ATOM_SCHEMA");
  }
  void TearDown() override {
    unsetenv("VAMELRSS_ATOM_SCHEMA");
    VamelTest::TearDown();
  }
  std::string m_schema;
};

std::string WithAuthor(const std::string& author) {
  std::string text = kAtom;
  text.replace(text.find("<author><name>N</name></author>"), 31, author);
  return text;
}

TEST_F(CheckSchema, ValidatesAndPlacesItsFindingsAtTheElement) {
  CFeedCheckResult result = CheckText(kAtom, m_schema);
  EXPECT_EQ(result.schema, SchemaVerdict::Valid);
  EXPECT_EQ(Describe(result), "");
  // An author without a name breaks no hand-written rule; the schema finds it.
  result = CheckText(WithAuthor("<author><email>n@example.jp</email></author>"), m_schema);
  EXPECT_EQ(result.schema, SchemaVerdict::Invalid);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].rule, "schema-invalid");
  EXPECT_EQ(result.findings[0].line, 7);
  EXPECT_EQ(result.findings[0].element, "author");
  // A fault that a hand-written rule reports is not told twice.
  std::string noId = kAtom;
  noId.erase(noId.find("<id>tag:example.jp,2006:a</id>\n"), 31);
  result = CheckText(noId, m_schema);
  EXPECT_EQ(result.schema, SchemaVerdict::Invalid);
  EXPECT_EQ(Describe(result), "8:1 error missing-element: missing id\n");
}

TEST_F(CheckSchema, FoundByOptionThenEnvironmentElseOneWarning) {
  CFeedCheckOptions options;
  options.language = CheckLanguage::English;
  CFeedCheckResult result = CheckFeedBytes(kAtom, options);
  if (!FindAtomSchema(options).empty()) GTEST_SKIP() << "a schema is installed on this machine";
  ASSERT_EQ(result.findings.size(), 1u);
  EXPECT_EQ(result.findings[0].rule, "schema-skipped");
  EXPECT_EQ(result.findings[0].line, 0);
  EXPECT_NE(result.findings[0].message.find("--schema FILE"), std::string::npos);
  EXPECT_NE(result.findings[0].message.find("VAMELRSS_ATOM_SCHEMA"), std::string::npos);
  EXPECT_EQ(result.schema, SchemaVerdict::NotRun);
  // Other formats need no schema.
  EXPECT_TRUE(CheckFeedBytes("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel><title>T</title>"
                             "<link>https://example.jp/</link><description>D</description></channel></rss>",
                             options)
                  .findings.empty());

  setenv("VAMELRSS_ATOM_SCHEMA", m_schema.c_str(), 1);
  EXPECT_EQ(FindAtomSchema(options), m_schema);
  result = CheckFeedBytes(kAtom, options);
  EXPECT_EQ(result.schema, SchemaVerdict::Valid);
  EXPECT_TRUE(result.findings.empty());

  // The option comes first; a schema that cannot be read leaves a warning and the other rules.
  WriteFile(TempPath("broken.rng"), "<grammar xmlns=\"http://relaxng.org/ns/structure/1.0\"><start>");
  options.schemaPath = TempPath("broken.rng");
  result = CheckFeedBytes(WithAuthor(""), options);
  EXPECT_EQ(result.schema, SchemaVerdict::NotRun);
  std::string rules;
  for (const CFeedFinding& f : result.findings) rules += f.rule + " ";
  EXPECT_EQ(rules, "schema-unreadable no-author ");
}

}  // namespace
