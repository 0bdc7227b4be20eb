// The base of the harvesting tests: the example site copied into the test's folder, file times, and a
// project over a local folder.
#pragma once

#include <string>

#include "model/rss_file.h"
#include "platform/clock.h"
#include "support/test_env.h"

class HarvestTest : public VamelTest {
protected:
  // examples/site of the source tree.
  static std::string ExampleSite();
  // A copy of examples/site below the test's folder, every page dated 2006-01-01 00:00:00 (Tokyo).
  std::string CopyExampleSite(const std::string& name = "site");
  // Points `project` at `folder` with the example's site URL and the import mode.
  static void UseFolder(CRssFile& project, const std::string& folder, int importMode,
                        const std::string& siteUrl = "https://yamanote.example.jp/");

  static void MakeFolder(const std::string& path);
  static void SetModified(const std::string& path, TimeValue t);
  // The instant of a local (Tokyo) wall-clock time.
  static TimeValue Local(int year, int month, int day, int hour, int minute, int second);
};
