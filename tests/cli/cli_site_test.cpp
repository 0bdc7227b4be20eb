// link-tags and check-site: their flags, output and exit codes.
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
