// check: the feed checker on feed files, and on the feeds `write --check` has just written.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "check/feed_check.h"
#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "platform/text_codec.h"

namespace {

// Japanese messages when the locale for messages is Japanese, English otherwise.
CheckLanguage LanguageFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::strncmp(value, "ja", 2) == 0 ? CheckLanguage::Japanese : CheckLanguage::English;
  }
  return CheckLanguage::English;
}

const char* SeverityName(CheckSeverity severity) { return severity == CheckSeverity::Error ? "error" : "warning"; }

// Prints one line per finding, "file:line:col: severity: message" ("file: severity: message" for the
// whole file), with `print` (PrintOut or PrintErr), many lines at a time.
void PrintFindings(const std::string& path, const std::vector<CFeedFinding>& findings, void (*print)(const std::string&)) {
  std::string out;
  for (const CFeedFinding& f : findings) {
    if (!out.empty()) out += '\n';
    out += path;
    if (f.line > 0) {
      out += ':';
      out += std::to_string(f.line);
      out += ':';
      out += std::to_string(f.column);
    }
    out += ": ";
    out += SeverityName(f.severity);
    out += ": ";
    out += f.message;
    if (out.size() >= 64 * 1024) {
      print(out);
      out.clear();
    }
  }
  if (!out.empty()) print(out);
}

const char* SchemaName(SchemaVerdict verdict) {
  switch (verdict) {
    case SchemaVerdict::Valid: return "valid";
    case SchemaVerdict::Invalid: return "invalid";
    case SchemaVerdict::NotRun: break;
  }
  return "not-run";
}

nlohmann::ordered_json FileJson(const std::string& path, const CFeedCheckResult& result) {
  nlohmann::ordered_json j;
  j["file"] = AnsiToUtf8(path);
  j["format"] = CheckedFormatName(result.format);
  j["wellFormed"] = result.wellFormed;
  j["schema"] = SchemaName(result.schema);
  j["errors"] = result.ErrorCount();
  j["warnings"] = result.WarningCount();
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const CFeedFinding& f : result.findings) {
    nlohmann::ordered_json o;
    o["line"] = f.line;
    o["column"] = f.column;
    o["severity"] = SeverityName(f.severity);
    o["element"] = AnsiToUtf8(f.element);
    o["rule"] = f.rule;
    o["message"] = AnsiToUtf8(f.message);
    findings.push_back(std::move(o));
  }
  j["findings"] = std::move(findings);
  return j;
}

CFeedCheckOptions OptionsFor(const std::string& schema) {
  CFeedCheckOptions options;
  options.language = LanguageFromEnvironment();
  options.schemaPath = schema;
  // The command exits after its checks: the last tree is left to the end of the process.
  options.freeDocument = false;
  return options;
}

}  // namespace

bool CheckWrittenFeed(const std::string& path) {
  CFeedCheckResult result = CheckFeedFile(path, OptionsFor(std::string()));
  PrintFindings(path, result.findings, PrintErr);
  return !result.HasErrors();
}

void RegisterCheckCommand(CLI::App& app) {
  auto* cmd = app.add_subcommand("check", "check RSS 1.0, RSS 2.0, Atom 0.3 and Atom 1.0 files and print what is wrong");
  auto files = std::make_shared<std::vector<std::string>>();
  auto json = std::make_shared<bool>(false);
  auto schema = std::make_shared<std::string>();
  cmd->add_option("FILE", *files, "feed files")->required();
  cmd->add_flag("--json", *json, "print the findings as one UTF-8 JSON object");
  cmd->add_option("--schema", *schema, "the RELAX NG schema of Atom 1.0 (atom.rng)");
  SetAction(cmd, [=] {
    const CFeedCheckOptions options = OptionsFor(ArgText(*schema));
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    bool errors = false;
    for (const std::string& arg : *files) {
      const std::string path = ArgText(arg);
      CFeedCheckResult result = CheckFeedFile(path, options);
      errors = errors || result.HasErrors();
      if (*json) {
        all.push_back(FileJson(path, result));
      } else {
        PrintFindings(path, result.findings, PrintOut);
      }
    }
    if (*json) {
      nlohmann::ordered_json j;
      j["files"] = std::move(all);
      std::string out = j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
      std::fwrite(out.data(), 1, out.size(), stdout);
    }
    if (errors) throw CCliFailure(std::string());
  });
}
