// The command-line session of README.md runs as written, in a temporary HOME.
#include <filesystem>

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

bool PortInUse(int port) {
  return RunCommand("bash -c 'exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(port) + "' 2>/dev/null") == 0;
}

}  // namespace

TEST_F(ReadmeSession, RunsAsWritten) {
  std::string script = SessionScript();
  ASSERT_FALSE(script.empty()) << "README.md has no session block";
  if (!HavePythonModule("pyftpdlib")) GTEST_SKIP() << "python3-pyftpdlib is not installed";
  if (PortInUse(2121)) GTEST_SKIP() << "port 2121 is taken";
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
