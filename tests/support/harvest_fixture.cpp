#include "support/harvest_fixture.h"

#include <sys/time.h>

#include <filesystem>

namespace fs = std::filesystem;

std::string HarvestTest::ExampleSite() { return std::string(VAMELRSS_SOURCE_DIR) + "/examples/site"; }

std::string HarvestTest::CopyExampleSite(const std::string& name) {
  const std::string target = TempPath(name);
  fs::copy(ExampleSite(), target, fs::copy_options::recursive);
  const TimeValue newYear = Local(2006, 1, 1, 0, 0, 0);
  for (const auto& entry : fs::recursive_directory_iterator(target)) {
    if (entry.is_regular_file()) SetModified(entry.path().string(), newYear);
  }
  return target;
}

void HarvestTest::UseFolder(CRssFile& project, const std::string& folder, int importMode, const std::string& siteUrl) {
  project.localFolder = folder;
  project.siteUrl = siteUrl;
  project.importMode = importMode;
}

void HarvestTest::MakeFolder(const std::string& path) { fs::create_directories(path); }

void HarvestTest::SetModified(const std::string& path, TimeValue t) {
  struct timeval times[2] = {{t, 0}, {t, 0}};
  ::lutimes(path.c_str(), times);
}

TimeValue HarvestTest::Local(int year, int month, int day, int hour, int minute, int second) {
  long long t = 0;
  LocalFieldsToTime(year, month, day, hour, minute, second, t);
  return static_cast<TimeValue>(t);
}
