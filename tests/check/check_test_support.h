// Helpers of the checker's tests: checking text, describing findings, the shared Atom schema.
#pragma once

#include <string>

#include "check/feed_check.h"

// The Atom 1.0 schema of the shared folder, or "" when it is not there.
std::string SharedAtomSchema();

// Checks `text` as the bytes of a file, in English, with or without the schema.
CFeedCheckResult CheckText(const std::string& text, const std::string& schema = std::string());

// One line per finding, "line:col severity rule: message" (for expectations and failure output).
std::string Describe(const CFeedCheckResult& result);

#include <utility>
#include <vector>

// A rule's case: a base feed with edits (each replaces the first occurrence) and the findings
// expected, "line:col severity rule" per line ("" for none).
struct RuleCase {
  const char* base;
  std::vector<std::pair<std::string, std::string>> edits;
  std::string expected;
};

std::string Edit(std::string text, const std::vector<std::pair<std::string, std::string>>& edits);
// "line:col severity rule" per finding.
std::string Short(const CFeedCheckResult& result);
// Checks each case's feed and compares its findings.
void RunCases(const std::vector<RuleCase>& cases);
