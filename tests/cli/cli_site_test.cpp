// link-tags and check-site: their flags, output and exit codes.
#include <filesystem>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliSite : public VamelTest {};
}

TEST_F(CliSite, LinkTagsAndCheckSite) {
  const std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title T --url https://example.jp/ --folder " + Quote(TempFolder()));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = "<html><head><title>a</title></head><body></body></html>\n";
  WriteFile(TempPath("a.html"), page);

  r = RunCli("check-site " + Quote(file));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "LINKタグなし\ta.html\n");

  r = RunCli("link-tags " + Quote(file) + " --update --dry-run");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "LINKタグなし\ta.html\n");
  EXPECT_EQ(ReadFile(TempPath("a.html")), page);

  r = RunCli("link-tags " + Quote(file));
  EXPECT_EQ(r.status, 2) << "--update is required";
  EXPECT_EQ(ReadFile(TempPath("a.html")), page);

  r = RunCli("link-tags " + Quote(file) + " --update");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(TempPath("a.html")).find("<!--VAMELRSS LINK START-->\n<LINK rel=\"alternate\" TITLE=\"RSS\""), std::string::npos);

  r = RunCli("check-site " + Quote(file));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = RunCli("check-site " + Quote(TempPath("missing.fpj")));
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliSite, SectionsAreSetShownWrittenTaggedAndRemoved) {
  const std::string file = TempPath("site.fpj");
  CliResult r = RunCli("new " + Quote(file) + " --title T --url https://example.jp/ --folder " + Quote(TempFolder()));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string classic = ReadFile(file);
  r = RunCli("add " + Quote(file) + " --url https://example.jp/diary/a.html --title A --category news");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("set " + Quote(file) + " --section '日記=folder:diary/' --section 'お知らせ=category:news;atom=news.xml;json=news.json'");
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = nlohmann::json::parse(RunCli("show --json " + Quote(file)).out);
  EXPECT_EQ(j["extensions"]["sections"], nlohmann::json::parse(R"([
      {"name":"日記","rule":"folder","value":"diary/","rssFile":"index-diary.rdf","atomFile":"atom-diary.xml","jsonFile":"feed-diary.json","title":" - 日記"},
      {"name":"お知らせ","rule":"category","value":"news","rssFile":"index-news.rdf","atomFile":"news.xml","jsonFile":"news.json","title":" - お知らせ"}])"));

  r = RunCli("write " + Quote(file));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* name : {"index.rdf", "atom.xml", "index-diary.rdf", "atom-diary.xml", "index-news.rdf", "news.xml"}) {
    EXPECT_NE(r.out.find(TempPath(name) + "\n"), std::string::npos) << name << r.out;
    EXPECT_NE(ReadFile(TempPath(name)).find("diary/a.html"), std::string::npos) << name;
  }
  r = RunCli("link-tag " + Quote(file) + " atom --section お知らせ");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "<LINK rel=\"alternate\" TITLE=\"Atom\" TYPE=\"application/atom+xml\" HREF=\"news.xml\">\n");
  EXPECT_EQ(RunCli("link-tag " + Quote(file) + " atom --section none").status, 2);
  // A section's JSON Feed tag while the project has its JSON Feed on.
  r = RunCli("link-tag " + Quote(file) + " json --section お知らせ");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("JSON Feed is off"), std::string::npos) << r.err;
  ASSERT_EQ(RunCli("set " + Quote(file) + " --json-feed on").status, 0);
  r = RunCli("link-tag " + Quote(file) + " json --section お知らせ");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "<LINK rel=\"alternate\" TITLE=\"JSON Feed\" TYPE=\"application/feed+json\" HREF=\"news.json\">\n");

  // A page of the diary names the diary's feeds, titled with character references.
  std::filesystem::create_directories(TempPath("diary"));
  WriteFile(TempPath("diary/a.html"), "<html><head></head></html>");
  ASSERT_EQ(RunCli("link-tags " + Quote(file) + " --update").status, 0);
  EXPECT_NE(ReadFile(TempPath("diary/a.html")).find("<LINK rel=\"alternate\" TITLE=\"RSS &#26085;&#35352;\" TYPE=\"application/rss+xml\" HREF=\"../index-diary.rdf\">"),
            std::string::npos)
      << ReadFile(TempPath("diary/a.html"));

  for (const char* bad : {" --section x", " --section 'x=folder:'", " --section 'y=category:a;atom=atom.xml'", " --remove-section none"}) {
    EXPECT_EQ(RunCli("set " + Quote(file) + bad).status, 2) << bad;
  }
  r = RunCli("set " + Quote(file) + " --remove-section 日記 --remove-section お知らせ");
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunCli("show --json " + Quote(file));
  EXPECT_EQ(nlohmann::json::parse(r.out)["extensions"]["sections"], nlohmann::json::array());
}
