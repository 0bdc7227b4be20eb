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
