#include <filesystem>

#include "platform/path_names.h"
#include "platform/file_system.h"
#include "support/test_env.h"

namespace {
class FileNames : public VamelTest {};
}  // namespace

TEST_F(FileNames, JoinPathPicksTheSeparator) {
  EXPECT_EQ(JoinPath("http://example.jp/site", "index.rdf"), "http://example.jp/site/index.rdf");
  EXPECT_EQ(JoinPath("http://example.jp/", "index.rdf"), "http://example.jp/index.rdf");
  EXPECT_EQ(JoinPath("/srv/site", "index.rdf"), std::string("/srv/site") + kPathSep + "index.rdf");
  EXPECT_EQ(JoinPath("/srv/site/", "index.rdf"), "/srv/site/index.rdf");
  EXPECT_EQ(JoinPath("", "index.rdf"), kPathSepText + std::string("index.rdf"));
  // "表" ends in the byte 5C: it is not a separator, and neither is the second byte on any platform.
  EXPECT_EQ(JoinPath(J("/srv/表"), "a.html"), J("/srv/表") + kPathSep + "a.html");
  EXPECT_EQ(JoinPath(TempFolder(), "VamelTemp.html"), TempPath("VamelTemp.html"));
}

TEST_F(FileNames, MakeUniquePathOnRealFiles) {
  const std::string page = TempPath("page.html");
  EXPECT_EQ(MakeUniquePath(page), page);
  WriteFile(page, "x");
  EXPECT_EQ(MakeUniquePath(page), TempPath("page(1).html"));
  WriteFile(TempPath("page(1).html"), "x");
  EXPECT_EQ(MakeUniquePath(page), TempPath("page(2).html"));
  // A folder counts as taken; the extension is the part from the last "." of the name.
  ASSERT_TRUE(std::filesystem::create_directory(TempPath("a.b.c")));
  EXPECT_EQ(MakeUniquePath(TempPath("a.b.c")), TempPath("a.b(1).c"));
  // No extension, and a "." in a folder name only.
  ASSERT_TRUE(std::filesystem::create_directory(TempPath("dir.d")));
  WriteFile(TempPath("dir.d/readme"), "x");
  EXPECT_EQ(MakeUniquePath(TempPath("dir.d/readme")), TempPath("dir.d/readme(1)"));
  // Japanese names go through the file system as UTF-8.
  const std::string japanese = TempFolder() + kPathSep + J("記事.html");
  WriteFile(NativePath(japanese), "x");
  EXPECT_EQ(MakeUniquePath(japanese), TempFolder() + kPathSep + J("記事(1).html"));
}
