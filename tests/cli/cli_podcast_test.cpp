// The command line's podcast: the set flags and add's episode flags, their usage errors (status 2, the
// project unchanged), show --json, write --check on the podcast feed, and the classic bytes once the
// values are back at their defaults.
#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliPodcast : public VamelTest {};
}

TEST_F(CliPodcast, SetAddShowWriteAndUsageErrors) {
  const std::string file = TempPath("site.fpj");
  ASSERT_EQ(RunCli("new " + Quote(file) + " --title T --url https://example.jp/radio/ --rss-version 2.0 --folder " +
                   Quote(TempFolder())).status, 0);

  CliResult r = RunCli("set " + Quote(file) + " --podcast on --podcast-author 'Kim & Lee' --podcast-owner-email o@example.jp"
                       " --podcast-category 'TV & Film/Film Reviews' --podcast-explicit yes --podcast-image"
                       " https://example.jp/art.png --podcast-type serial --podcast-locked on");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("add " + Quote(file) + " --url https://example.jp/radio/1.html --title One --episode 1 --season 2 --episode-type bonus");
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json shown = nlohmann::json::parse(RunCli("show --json " + Quote(file)).out);
  EXPECT_EQ(shown["extensions"]["podcast"], true);
  EXPECT_EQ(shown["extensions"]["podcastAuthor"], "Kim & Lee");
  EXPECT_EQ(shown["extensions"]["podcastOwnerEmail"], "o@example.jp");
  EXPECT_EQ(shown["extensions"]["podcastCategory"], "TV & Film/Film Reviews");
  EXPECT_EQ(shown["extensions"]["podcastExplicit"], "yes");
  EXPECT_EQ(shown["extensions"]["podcastImage"], "https://example.jp/art.png");
  EXPECT_EQ(shown["extensions"]["podcastType"], "serial");
  EXPECT_EQ(shown["extensions"]["podcastLocked"], true);
  EXPECT_EQ(shown["items"][0]["extensions"]["episode"], 1);
  EXPECT_EQ(shown["items"][0]["extensions"]["season"], 2);
  EXPECT_EQ(shown["items"][0]["extensions"]["episodeType"], "bonus");
  EXPECT_NE(RunCli("show " + Quote(file)).out.find("\"podcastCategory\":\"TV & Film/Film Reviews\""), std::string::npos);

  // The feed holds the tags and passes the check (no enclosure yet: nothing for the directories to refuse).
  r = RunCli("write " + Quote(file) + " --format rss --check");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string feed = ReadFile(TempPath("index.rdf"));
  EXPECT_NE(feed.find("<itunes:category text=\"TV &amp; Film\">"), std::string::npos) << feed;
  EXPECT_NE(feed.find("<itunes:explicit>true</itunes:explicit>"), std::string::npos) << feed;
  EXPECT_NE(feed.find("<itunes:episodeType>bonus</itunes:episodeType>"), std::string::npos) << feed;
  // Without the image the directories refuse it: the check says so and write --check fails.
  ASSERT_EQ(RunCli("set " + Quote(file) + " --podcast-image ''").status, 0);
  r = RunCli("write " + Quote(file) + " --format rss --check");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("itunes:image"), std::string::npos) << r.err;

  // Usage errors change nothing.
  const std::string podcast = ReadFile(file);
  for (const char* bad : {" --podcast yes", " --podcast-category Cooking", " --podcast-category 'Arts/Drama'",
                          " --podcast-category arts/books", " --podcast-explicit maybe", " --podcast-owner-email owner",
                          " --podcast-image ftp://example.jp/a.png", " --podcast-type weekly", " --podcast-locked yes"}) {
    r = RunCli("set " + Quote(file) + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_FALSE(r.err.empty()) << bad;
  }
  for (const char* bad : {" --episode 0", " --season -1", " --episode x", " --episode-type extra"}) {
    EXPECT_EQ(RunCli("add " + Quote(file) + " --url https://example.jp/radio/2.html" + bad).status, 2) << bad;
  }
  EXPECT_EQ(ReadFile(file), podcast);

  // Every value set and cleared again on a project without items: the classic bytes again.
  const std::string fresh = TempPath("fresh.fpj");
  ASSERT_EQ(RunCli("new " + Quote(fresh) + " --title T --url https://example.jp/radio/ --rss-version 2.0").status, 0);
  const std::string classic = ReadFile(fresh);
  ASSERT_EQ(RunCli("set " + Quote(fresh) + " --podcast on --podcast-author A --podcast-owner-email o@example.jp"
                   " --podcast-category Technology --podcast-explicit no --podcast-image https://example.jp/a.png"
                   " --podcast-type episodic --podcast-locked on").status, 0);
  EXPECT_NE(ReadFile(fresh), classic);
  r = RunCli("set " + Quote(fresh) + " --podcast off --podcast-author '' --podcast-owner-email '' --podcast-category ''"
             " --podcast-explicit '' --podcast-image '' --podcast-type '' --podcast-locked off");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(fresh), classic);
}
