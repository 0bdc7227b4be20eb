// The command-line session of README.md runs as written, in a temporary HOME; its FTP server takes a
// free port, so the session runs beside anything else on the machine.
#include <filesystem>

#include "support/missing.h"
#include "support/test_env.h"
#include "support/test_server.h"

namespace {

class ReadmeSession : public VamelTest {};

std::string SessionScript() {
  std::string readme = ReadFile(std::string(VAMELRSS_SOURCE_DIR) + "/README.md");
  size_t marker = readme.find("<!-- session -->");
  if (marker == std::string::npos) return std::string();
  size_t start = readme.find("```sh\n", marker);
  size_t end = readme.find("\n```", start);
  if (start == std::string::npos || end == std::string::npos) return std::string();
  return readme.substr(start + 6, end - start - 6) + "\n";
}

}  // namespace

TEST_F(ReadmeSession, RunsAsWritten) {
  std::string script = SessionScript();
  ASSERT_FALSE(script.empty()) << "README.md has no session block";
  if (!HavePythonModule("pyftpdlib")) SKIP_OR_FAIL_IN_CI("python3-pyftpdlib is not installed");
  std::string home = TempPath("home");
  std::filesystem::create_directories(home);
  WriteFile(TempPath("session.sh"), "set -euo pipefail\n" + script);
  std::string bin = std::filesystem::path(VAMELRSS_CLI).parent_path().string();
  std::string command = "cd '" + std::string(VAMELRSS_SOURCE_DIR) + "' && env -u VAMELRSS_CONFIG_DIR -u XDG_CONFIG_HOME HOME='" +
                        home + "' PATH='" + bin + ":" + std::getenv("PATH") + "' timeout 120 bash '" +
                        TempPath("session.sh") + "' >'" + TempPath("out") + "' 2>'" + TempPath("err") + "'";
  int status = RunCommand(command);
  std::string out = ReadFile(TempPath("out")), err = ReadFile(TempPath("err"));
  ASSERT_EQ(status, 0) << out << err;
  EXPECT_NE(out.find(home + "/yamanote/index.rdf\n" + home + "/yamanote/atom.xml\n"), std::string::npos) << out;
  EXPECT_NE(out.find("<LINK rel=\"alternate\" TITLE=\"RSS\" TYPE=\"application/rss+xml\" HREF=\"index.rdf\">"),
            std::string::npos);
  EXPECT_NE(out.find("山の手日記"), std::string::npos);
  EXPECT_NE(err.find("転送を完了しました"), std::string::npos) << err;
  std::string rss = ReadFile(home + "/ftproot/public_html/index.rdf");
  EXPECT_NE(rss.find("<rss version=\"2.0\">"), std::string::npos);
  EXPECT_NE(rss.find("春の坂道めぐり"), std::string::npos);
  EXPECT_NE(ReadFile(home + "/ftproot/public_html/atom.xml").find("http://www.w3.org/2005/Atom"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(home + "/.config/Vamel/VamelRss.ini"));  // the options went to HOME
  EXPECT_EQ(RunCommand("xmllint --noout '" + home + "/ftproot/public_html/index.rdf'"), 0);
}
