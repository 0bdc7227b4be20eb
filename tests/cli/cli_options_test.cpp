#include "settings/options.h"
#include "support/cli_runner.h"
#include "support/test_env.h"

namespace {
class CliOptions : public VamelTest {};
}

TEST_F(CliOptions, GetSetAndListTheApplicationProfile) {
  CliResult r = RunCli("options --set System/ftppasv=1 --set 'System/DefaultStartTag=<!--開始-->' "
                       "--set 'Recent File List/File1=/srv/a b.fpj' --get system/FTPPASV --get Ext/name4");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\nxhtml\n");
  EXPECT_EQ(GetFtpPassiveOption(), 1);
  EXPECT_EQ(GetDefaultStartTagOption(), J("<!--開始-->"));
  EXPECT_EQ(GetRecentFileOption(1), "/srv/a b.fpj");
  r = RunCli("options");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("System/DefaultStartTag=<!--開始-->\n"), std::string::npos);
  EXPECT_NE(r.out.find("Window size/showCmd=1\n"), std::string::npos);
  EXPECT_NE(r.out.find("System/FtpCaFile=\n"), std::string::npos);
  EXPECT_EQ(RunCli("options --set System/FtpCaFile=/etc/ssl/我的CA.pem --get System/FtpCaFile").out,
            "/etc/ssl/我的CA.pem\n");
  EXPECT_EQ(GetFtpCaFileOption(), J("/etc/ssl/我的CA.pem"));
  EXPECT_EQ(RunCli("options --set System/ftppasv=yes").status, 2);
  EXPECT_EQ(RunCli("options --get Nope/Nothing").status, 2);
  EXPECT_EQ(RunCli("options --set System/ftppasv").status, 2);
  EXPECT_EQ(GetFtpPassiveOption(), 1);
}
