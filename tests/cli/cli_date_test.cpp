#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliDates : public VamelTest {};
}  // namespace

TEST_F(CliDates, AddTakesW3cDatesOnly) {
  std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file) + " --url https://example.jp/").status, 0);
  struct Case {
    const char* date;
    long long expected;
  };
  // Accepted: full date-times in every form, and a date alone (local midnight, Japan here).
  const Case accepted[] = {
      {"2006-01-02T10:03:04+09:00", 1136163784}, {"2006-01-02T01:03:04Z", 1136163784},
      {"2006-01-02T10:03+09:00", 1136163780},    {"2006-01-02T01:03:04.25Z", 1136163784},
      {"2006-07-01T12:00:00-04:00", 1151769600}, {"2006-01-02", 1136127600},
  };
  int n = 0;
  for (const Case& c : accepted) {
    std::string url = "https://example.jp/" + std::to_string(n++) + ".html";
    CliResult r = RunCli("add " + Quote(file) + " --url " + url + " --date " + c.date);
    EXPECT_EQ(r.status, 0) << c.date << ": " << r.err;
  }
  CliResult r = RunCli("show --json " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["items"].size(), std::size(accepted));
  for (std::size_t i = 0; i < std::size(accepted); ++i) {
    // New items go first: the last added is item 0.
    EXPECT_EQ(j["items"][std::size(accepted) - 1 - i]["date"], accepted[i].expected) << accepted[i].date;
  }

  // Rejected with a usage error: not W3C, fields out of range, out of the time range, the null time.
  for (const char* bad : {"2006", "2006-01", "2006-1-2", "2006-01-02T10:03:04", "2006-01-02T10:03:04+0900",
                          "2006-13-01", "2006-01-32", "2006-01-02T24:00Z", "2006-01-02 10:03:04Z",
                          "2006-01-02T10:03:04.Z", "2039-01-01T00:00:00Z", "1970-01-01T00:00:00Z",
                          "Mon, 02 Jan 2006 10:03:04 +0900", ""}) {
    CliResult rejected = RunCli("add " + Quote(file) + " --url https://example.jp/x.html --date " + Quote(bad));
    EXPECT_EQ(rejected.status, 2) << bad;
    EXPECT_NE(rejected.err.find("W3C"), std::string::npos) << bad;
  }
}
