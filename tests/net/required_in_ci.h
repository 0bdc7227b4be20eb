// What a test does when a tool or a privilege it needs is missing: skip on a developer's machine, fail
// in CI (the environment variable CI is "true"), so that a missing install step never passes there.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline bool RunningUnderCi() {
  const char* ci = std::getenv("CI");
  return ci && std::string(ci) == "true";
}

// Ends the test (or the SetUp it is called from): skipped, or failed in CI, with the reason.
#define SKIP_UNLESS_IN_CI(reason)                                                 \
  do {                                                                            \
    if (RunningUnderCi()) GTEST_FAIL() << (reason) << " (required when CI=true)"; \
    GTEST_SKIP() << (reason);                                                     \
  } while (false)
