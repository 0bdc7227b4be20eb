#include "check/check_test_support.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

std::string SharedAtomSchema() {
  std::string path = std::string(VAMELRSS_SHARED_DIR) + "/schemas/atom.rng";
  return ReadFile(path).empty() ? std::string() : path;
}

CFeedCheckResult CheckText(const std::string& text, const std::string& schema) {
  CFeedCheckOptions options;
  options.language = CheckLanguage::English;
  options.schemaPath = schema;
  options.useSchema = !schema.empty();
  return CheckFeedBytes(text, options);
}

std::string Describe(const CFeedCheckResult& result) {
  std::string out;
  for (const CFeedFinding& f : result.findings) {
    out += std::to_string(f.line) + ":" + std::to_string(f.column) + " " +
           (f.severity == CheckSeverity::Error ? "error " : "warning ") + f.rule + ": " + f.message + "\n";
  }
  return out;
}

std::string Edit(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
  for (const auto& [from, to] : edits) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return text;
}

std::string Short(const CFeedCheckResult& result) {
  std::string out;
  for (const CFeedFinding& f : result.findings) {
    out += std::to_string(f.line) + ":" + std::to_string(f.column) + " " +
           (f.severity == CheckSeverity::Error ? "error " : "warning ") + f.rule + "\n";
  }
  return out;
}

void RunCases(const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases) {
    std::string text = Edit(c.base, c.edits);
    SCOPED_TRACE(c.expected);
    CFeedCheckResult result = CheckText(text);
    EXPECT_EQ(Short(result), c.expected) << Describe(result) << text;
  }
}
