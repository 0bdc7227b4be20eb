// A RELAX NG schema named for Atom 1.0, applied besides the built-in structure: found by option or
// environment; its findings placed at the element, none where a built-in rule already found the
// fault; a schema that cannot be read leaves one warning and the other rules.
#include <gtest/gtest.h>

#include <cstdlib>

#include "check/check_feeds.h"
#include "check/check_test_support.h"
#include "support/test_env.h"
#include "support/missing.h"

namespace {

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
  std::string text = kBaseAtom10;
  text.replace(text.find("<author><name>N</name></author>"), 31, author);
  return text;
}

TEST_F(CheckSchema, ValidatesBesideTheBuiltInStructure) {
  CFeedCheckResult result = CheckText(kBaseAtom10, m_schema);
  EXPECT_EQ(result.schema, SchemaVerdict::Valid);
  EXPECT_EQ(Describe(result), "");
  // An author without a name: the built-in structure says so; the schema's finding is not told twice.
  result = CheckText(WithAuthor("<author><email>n@example.jp</email></author>"), m_schema);
  EXPECT_EQ(result.schema, SchemaVerdict::Invalid);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].rule, "missing-element");
  EXPECT_EQ(result.findings[0].line, 7);
  EXPECT_EQ(result.findings[0].element, "author");
  // Without the schema, the same verdict from the built-in structure alone.
  EXPECT_EQ(CheckText(WithAuthor("<author><email>n@example.jp</email></author>")).schema, SchemaVerdict::Invalid);
  EXPECT_EQ(CheckText(kBaseAtom10).schema, SchemaVerdict::Valid);
}

TEST_F(CheckSchema, FoundByOptionThenEnvironment) {
  CFeedCheckOptions options;
  options.language = CheckLanguage::English;
  EXPECT_EQ(FindAtomSchema(options), "");
  CFeedCheckResult result = CheckFeedBytes(kBaseAtom10, options);
  EXPECT_TRUE(result.findings.empty()) << Describe(result);
  EXPECT_EQ(result.schema, SchemaVerdict::Valid);

  setenv("VAMELRSS_ATOM_SCHEMA", m_schema.c_str(), 1);
  EXPECT_EQ(FindAtomSchema(options), m_schema);
  result = CheckFeedBytes(kBaseAtom10, options);
  EXPECT_EQ(result.schema, SchemaVerdict::Valid);
  EXPECT_TRUE(result.findings.empty());

  // The option comes first; a schema that cannot be read leaves a warning and the other rules.
  WriteFile(TempPath("broken.rng"), "<grammar xmlns=\"http://relaxng.org/ns/structure/1.0\"><start>");
  options.schemaPath = TempPath("broken.rng");
  result = CheckFeedBytes(WithAuthor(""), options);
  std::string rules;
  for (const CFeedFinding& f : result.findings) rules += f.rule + " ";
  EXPECT_EQ(rules, "schema-unreadable no-author ");
}

}  // namespace
