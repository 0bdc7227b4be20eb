// What a test does when something it needs from the machine is missing: a program, a Python module, a
// server that will not start, a free port, or the shared corpus and schema. On a developer's machine
// the test is skipped with the reason; in CI (the environment variable CI is "true") it fails, so that
// a missing install step can never pass as a green run.
#pragma once

#include <gtest/gtest.h>

#include <string>

// True when the environment variable CI is "true".
bool RunningInCi();

// Ends the test (or the SetUp it is called from) as skipped, or in CI as failed, giving the reason.
#define SKIP_OR_FAIL_IN_CI(reason)                                              \
  do {                                                                          \
    if (RunningInCi()) GTEST_FAIL() << (reason) << " (required when CI=true)"; \
    GTEST_SKIP() << (reason);                                                   \
  } while (false)

// For a check that runs only where something is present: `present`. When it is absent the rest of the
// test still runs; in CI the test fails (at the caller's line), elsewhere the reason is noted in the log.
bool PresentOrFailInCi(bool present, const std::string& reason, const char* file = __builtin_FILE(),
                       int line = __builtin_LINE());
