// vamelrss-cli check and write --check as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/missing.h"
#include "support/test_env.h"

namespace {

const char* const kGood = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\" xmlns:atom=\"http://www.w3.org/2005/Atom\">"
                          "<channel><title>T</title><link>https://example.jp/</link><description>D</description>"
                          "<atom:link rel=\"self\" href=\"https://example.jp/rss.xml\"/></channel></rss>\n";
const char* const kBad = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\" xmlns:atom=\"http://www.w3.org/2005/Atom\">\n"
                         "<channel>\n<title></title>\n"
                         "<link>https://example.jp/</link>\n<description>D</description><atom:link rel=\"self\" href=\"a\"/>\n"
                         "<item><title>A</title><pubDate>yesterday</pubDate></item>\n</channel>\n</rss>\n";

class CheckCli : public VamelTest {};

TEST_F(CheckCli, PrintsOneLinePerFindingAndFailsOnErrors) {
  const std::string good = TempPath("good.xml"), bad = TempPath("bad.xml");
  WriteFile(good, kGood);
  WriteFile(bad, kBad);
  CliResult r = RunCli("check " + Quote(good), "", "LANG=C");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = RunCli("check " + Quote(good) + " " + Quote(bad), "", "LANG=C");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, bad + ":4:1: warning: the title is empty\n" + bad + ":7:23: error: not an RFC 822 date: \"yesterday\"\n");
  // Japanese messages under a Japanese locale; LC_ALL comes first.
  r = RunCli("check " + Quote(bad), "", "LANG=ja_JP.UTF-8 LC_ALL=");
  EXPECT_EQ(r.out, bad + ":4:1: warning: タイトルが空です\n" + bad + ":7:23: error: RFC 822 の日付ではありません: \"yesterday\"\n");
  r = RunCli("check " + Quote(bad), "", "LANG=ja_JP.UTF-8 LC_ALL=C.UTF-8");
  EXPECT_NE(r.out.find("the title is empty"), std::string::npos);
  // Warnings alone do not fail.
  WriteFile(bad, std::string(kBad).replace(std::string(kBad).find("<pubDate>yesterday</pubDate>"), 28, ""));
  r = RunCli("check " + Quote(bad), "", "LANG=C");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, bad + ":4:1: warning: the title is empty\n");
  // A file that cannot be read is an error of the whole file; no file at all is bad usage.
  r = RunCli("check " + Quote(TempPath("none.xml")), "", "LANG=C");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, TempPath("none.xml") + ": error: cannot read the file: No such file or directory\n");
  EXPECT_EQ(RunCli("check", "", "LANG=C").status, 2);
}

TEST_F(CheckCli, JsonHoldsEveryFieldOfEveryFile) {
  const std::string good = TempPath("good.xml"), bad = TempPath("bad.xml");
  WriteFile(good, kGood);
  WriteFile(bad, kBad);
  CliResult r = RunCli("check --json " + Quote(good) + " " + Quote(bad), "", "LANG=ja_JP.UTF-8");
  EXPECT_EQ(r.status, 1);
  nlohmann::json j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["files"].size(), 2u);
  EXPECT_EQ(j["files"][0]["file"], good);
  EXPECT_EQ(j["files"][0]["format"], "RSS 2.0");
  EXPECT_EQ(j["files"][0]["wellFormed"], true);
  EXPECT_EQ(j["files"][0]["errors"], 0);
  EXPECT_EQ(j["files"][0]["findings"].size(), 0u);
  const nlohmann::json& f = j["files"][1]["findings"][1];
  EXPECT_EQ(f["line"], 7);
  EXPECT_EQ(f["column"], 23);
  EXPECT_EQ(f["severity"], "error");
  EXPECT_EQ(f["element"], "pubDate");
  EXPECT_EQ(f["rule"], "rfc822-date");
  EXPECT_EQ(f["message"], "RFC 822 の日付ではありません: \"yesterday\"");
  EXPECT_EQ(j["files"][1]["errors"], 1);
  EXPECT_EQ(j["files"][1]["warnings"], 1);
  EXPECT_EQ(j["files"][1]["schema"], "not-run");
}

TEST_F(CheckCli, AtomStructureBuiltInAndASchemaBesideIt) {
  // An author without a name: the built-in structure finds it, with no schema file anywhere.
  const std::string atom = TempPath("atom.xml");
  WriteFile(atom, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed xmlns=\"http://www.w3.org/2005/Atom\">\n"
                  "<title>T</title><link rel=\"self\" href=\"https://example.jp/atom.xml\"/><id>urn:ex:y</id>\n"
                  "<updated>2006-01-02T10:03:04Z</updated><author><email>a@example.jp</email></author>\n</feed>\n");
  CliResult r = RunCli("check --json " + Quote(atom), "", "LANG=C VAMELRSS_ATOM_SCHEMA=");
  EXPECT_EQ(r.status, 1);
  nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["files"][0]["schema"], "invalid");
  ASSERT_EQ(j["files"][0]["findings"].size(), 1u) << r.out;
  EXPECT_EQ(j["files"][0]["findings"][0]["rule"], "missing-element");
  EXPECT_EQ(j["files"][0]["findings"][0]["line"], 4);
  // A schema named on the command line is applied besides.
  const std::string schema = std::string(VAMELRSS_SHARED_DIR) + "/schemas/atom.rng";
  if (ReadFile(schema).empty()) SKIP_OR_FAIL_IN_CI("no shared Atom schema");
  WriteFile(atom, ReadFile(atom).replace(ReadFile(atom).find("<email>"), 0, "<name>N</name>"));
  r = RunCli("check --json --schema " + Quote(schema) + " " + Quote(atom), "", "LANG=C");
  EXPECT_EQ(r.status, 0) << r.out;
  j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["files"][0]["schema"], "valid");
  EXPECT_EQ(j["files"][0]["findings"].size(), 0u);
  EXPECT_EQ(RunCli("check --schema " + Quote(TempPath("none.rng")) + " " + Quote(atom), "", "LANG=C").out,
            atom + ": warning: cannot read the schema " + TempPath("none.rng") + "; schema validation skipped\n");
}

TEST_F(CheckCli, WriteCheckReportsWhatTheProjectMakesWrong) {
  // No site URL: the channel link of the feed is empty, which the check reports; the feeds are
  // written all the same.
  const std::string folder = TempPath("site");
  ASSERT_EQ(RunCommand("mkdir -p " + Quote(folder)), 0);
  const std::string file = TempPath("p.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title T --description D --folder " + Quote(folder) +
                       " --rss-version 2.0 --atom-version 0.3");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("add " + Quote(file) + " --url https://example.jp/a.html --title A --date 2006-01-02T10:03:04+09:00");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("write " + Quote(file) + " --check", "", "LANG=C");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, folder + "/index.rdf\n" + folder + "/atom.xml\n");
  EXPECT_NE(r.err.find(folder + "/index.rdf:5:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("error: not an absolute URL: \"\""), std::string::npos) << r.err;
  EXPECT_FALSE(ReadFile(folder + "/atom.xml").empty());
  r = RunCli("set " + Quote(file) + " --url https://example.jp/");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("write " + Quote(file) + " --check", "", "LANG=C");
  EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
