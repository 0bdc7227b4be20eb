// The shared feed corpus (2,106 files of a feed parser's test suite) through the checker: no crash,
// the same well-formedness verdict as xmllint, the same Atom 1.0 structure verdict (built in) as
// xmllint --relaxng with RFC 4287's schema, and the verdicts by format.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "check/check_test_support.h"
#include "support/test_env.h"
#include "support/missing.h"

namespace {

class CheckCorpus : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    m_root = std::string(VAMELRSS_SHARED_DIR) + "/corpus/feedparser-tests";
    if (ReadFile(m_root + "/MANIFEST.tsv").empty()) SKIP_OR_FAIL_IN_CI("no shared corpus");
  }

  // path -> xmllint's verdict ("wf" or "ILLFORMED").
  std::map<std::string, std::string> Manifest() const {
    std::map<std::string, std::string> files;
    std::istringstream in(ReadFile(m_root + "/MANIFEST.tsv"));
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string path, format, verdict;
      std::getline(fields, path, '\t');
      std::getline(fields, format, '\t');
      std::getline(fields, verdict, '\t');
      files[path] = verdict;
    }
    return files;
  }

  std::string m_root;
};

TEST_F(CheckCorpus, EveryFileWithoutCrashAndWellFormedAsXmllintSays) {
  // The built-in rules alone: the RFC's schema is only the oracle they are compared with.
  const std::string schema = SharedAtomSchema();
  CFeedCheckOptions options;
  options.language = CheckLanguage::English;
  options.useSchema = false;
  struct CCounts {
    int files = 0, errors = 0, warnings = 0, clean = 0;
  };
  std::map<std::string, CCounts> byFormat;
  std::vector<std::string> atom10;
  int files = 0;
  for (const auto& [path, verdict] : Manifest()) {
    SCOPED_TRACE(path);
    CFeedCheckResult result = CheckFeedFile(m_root + "/" + path, options);
    ASSERT_TRUE(result.read);
    ++files;
    // libxml2 decides, as it does for xmllint; only the encoding is looked at first.
    EXPECT_EQ(result.wellFormed, verdict == "wf") << Describe(result);
    if (!result.wellFormed) {
      EXPECT_EQ(result.ErrorCount(), 1) << Describe(result);
    }
    for (const CFeedFinding& f : result.findings) {
      EXPECT_FALSE(f.rule.empty());
      EXPECT_FALSE(f.message.empty());
    }
    const std::string format = result.wellFormed ? CheckedFormatName(result.format) : "ill-formed";
    CCounts& counts = byFormat[format.empty() ? "other" : format];
    ++counts.files;
    if (result.HasErrors()) ++counts.errors;
    else if (result.WarningCount() > 0) ++counts.warnings;
    else ++counts.clean;
    if (result.format == CheckedFormat::Atom10) atom10.push_back(path);
  }
  EXPECT_GE(files, 2000);
  std::printf("verdicts by format: files with errors, with warnings only, clean\n");
  for (const auto& [format, c] : byFormat) {
    std::printf("  %-10s %4d files: %4d errors, %4d warnings only, %4d clean\n", format.c_str(), c.files, c.errors, c.warnings, c.clean);
  }

  if (schema.empty() || !HaveProgram("xmllint")) SKIP_OR_FAIL_IN_CI("no schema or xmllint for the Atom 1.0 comparison");
  int agree = 0;
  for (const std::string& path : atom10) {
    const std::string file = m_root + "/" + path;
    CFeedCheckResult result = CheckFeedFile(file, options);
    const bool xmllintValid = RunCommand("xmllint --noout --relaxng '" + schema + "' '" + file + "' >/dev/null 2>&1") == 0;
    EXPECT_EQ(result.schema == SchemaVerdict::Valid, xmllintValid) << path << "\n" << Describe(result);
    if ((result.schema == SchemaVerdict::Valid) == xmllintValid) ++agree;
  }
  std::printf("Atom 1.0 structure verdicts agreeing with xmllint --relaxng: %d of %zu\n", agree, atom10.size());
}

}  // namespace
