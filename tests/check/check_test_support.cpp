#include "check/check_test_support.h"

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
