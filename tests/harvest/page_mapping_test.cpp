// Local pages and their URLs, the exclusion tests, and importing a page as the first item.
#include <memory>

#include "support/harvest_fixture.h"
#include "harvest/page_mapping.h"
#include "model/rss_item.h"

namespace {

class PageMapping : public HarvestTest {
protected:
  void SetUp() override {
    HarvestTest::SetUp();
    UseFolder(project, "/srv/site", 2, "scheme://server/");
  }
  CRssFile project;
};

TEST_F(PageMapping, PathsAndUrls) {
  EXPECT_EQ(LocalPathToUrl(project, "/srv/site/news/a.html"), "scheme://server/news/a.html");
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/news/a.html"), "/srv/site/news/a.html");
  EXPECT_EQ(LocalPathToUrl(project, "/srv/site/index.html"), "scheme://server/index.html");
  EXPECT_EQ(LocalPathToUrl(project, J("/srv/site/日記/表.html")), "scheme://server/" + J("日記/表.html"));
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/" + J("日記/表.html")), J("/srv/site/日記/表.html"));

  // A site URL without its "/", and a local folder with one, map the same way.
  project.siteUrl = "scheme://server";
  project.localFolder = "/srv/site/";
  EXPECT_EQ(LocalPathToUrl(project, "/srv/site/news/a.html"), "scheme://server/news/a.html");
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/news/a.html"), "/srv/site/news/a.html");
  project.localFolder = "/";
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/a.html"), "/a.html");
  project.localFolder = "/srv/site";

  // URLs that are not under the site URL (exact, case-sensitive) have no local file; nor has anything
  // without a site URL, nor a URL that climbs out of the local folder.
  project.siteUrl = "scheme://server/";
  EXPECT_EQ(UrlToLocalPath(project, "SCHEME://Server/news/a.html"), "");
  EXPECT_EQ(UrlToLocalPath(project, "http://elsewhere/a.html"), "");
  EXPECT_EQ(UrlToLocalPath(project, ""), "");
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/../../etc/passwd"), "");
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/a/../b.html"), "");
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/a/..b.html"), "/srv/site/a/..b.html");
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/"), "/srv/site/");
  project.siteUrl.clear();
  EXPECT_EQ(UrlToLocalPath(project, "scheme://server/news/a.html"), "");
  project.siteUrl = "scheme://server/";

  // Without an RSS file name the relative page path is the whole path.
  project.rssFileName.clear();
  EXPECT_EQ(RelativePagePath(project, "/srv/site/news/a.html"), "/srv/site/news/a.html");
  EXPECT_EQ(LocalPathToUrl(project, "/srv/site/news/a.html"), "scheme://server//srv/site/news/a.html");
  project.rssFileName = "index.rdf";

  // Relative folder paths: "" for the local folder itself, no trailing "/" otherwise.
  EXPECT_EQ(RelativeFolderPath(project, "/srv/site"), "");
  EXPECT_EQ(RelativeFolderPath(project, "/srv/site/"), "");
  EXPECT_EQ(RelativeFolderPath(project, "/srv/site/news"), "news");
  EXPECT_EQ(RelativeFolderPath(project, "/srv/site/news/2005"), "news/2005");
  EXPECT_EQ(RelativeFolderPath(project, "/srv/other"), "../other");
  EXPECT_EQ(JoinLocalPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinLocalPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinLocalPath(J("/表"), "b"), J("/表/b"));
}

TEST_F(PageMapping, ExclusionTests) {
  project.excludedFiles = {"news/old.html", "top.html"};
  project.excludedFolders = {"news", "works/2005"};
  EXPECT_TRUE(IsExcludedFile(project, "/srv/site/news/old.html"));
  EXPECT_TRUE(IsExcludedFile(project, "/srv/site/top.html"));
  EXPECT_FALSE(IsExcludedFile(project, "/srv/site/news/Old.html"));
  EXPECT_FALSE(IsExcludedFile(project, "/srv/site/news/old.htm"));
  EXPECT_FALSE(IsExcludedFile(project, "/srv/site/sub/top.html"));
  EXPECT_TRUE(IsExcludedFolder(project, "/srv/site/news"));
  EXPECT_TRUE(IsExcludedFolder(project, "/srv/site/works/2005"));
  EXPECT_FALSE(IsExcludedFolder(project, "/srv/site/newsletter"));
  EXPECT_FALSE(IsExcludedFolder(project, "/srv/site/news/2005"));  // beneath: excluded by not being entered
  EXPECT_FALSE(IsExcludedFolder(project, "/srv/site/works"));
  EXPECT_FALSE(IsExcludedFolder(project, "/srv/site"));
  project.excludedFolders.push_back("");
  EXPECT_TRUE(IsExcludedFolder(project, "/srv/site"));
}

TEST_F(PageMapping, ImportedPageGoesFirst) {
  const std::string site = CopyExampleSite();
  UseFolder(project, site, 3);
  for (const char* url : {"https://yamanote.example.jp/a.html", "https://yamanote.example.jp/b.html",
                          "https://yamanote.example.jp/about.html", "https://yamanote.example.jp/c.html"}) {
    auto item = std::make_unique<CRssItem>();
    item->url = url;
    item->category = "cat";
    project.Add(std::move(item));
  }
  CRssItem* third = project.GetAt(2);
  CRssItem* imported = ImportPageFile(project, site + "/about.html");
  EXPECT_EQ(imported, third);  // the same object, refreshed
  EXPECT_EQ(project.GetSize(), 4);
  EXPECT_EQ(project.GetAt(0), third);
  EXPECT_EQ(U(third->title), "このサイトについて");
  EXPECT_EQ(third->category, "cat");
  EXPECT_EQ(project.GetAt(1)->url, "https://yamanote.example.jp/a.html");
  EXPECT_EQ(project.GetAt(3)->url, "https://yamanote.example.jp/c.html");

  // A page without an item becomes a new one, first; importing it again does not duplicate it.
  CRssItem* fresh = ImportPageFile(project, site + "/news/2006/0215.html");
  EXPECT_EQ(project.GetSize(), 5);
  EXPECT_EQ(project.GetAt(0), fresh);
  EXPECT_EQ(fresh->url, "https://yamanote.example.jp/news/2006/0215.html");
  EXPECT_EQ(fresh->date, Local(2006, 1, 1, 0, 0, 0));
  ImportPageFile(project, site + "/about.html");
  ImportPageFile(project, site + "/news/2006/0215.html");
  EXPECT_EQ(project.GetSize(), 5);
  EXPECT_EQ(project.GetAt(0), fresh);
  EXPECT_EQ(project.GetAt(1), third);

  EXPECT_EQ(ItemLocalPath(project, 0), site + "/news/2006/0215.html");
  EXPECT_EQ(ItemLocalPath(project, 2), site + "/a.html");
  EXPECT_EQ(ItemLocalPath(project, 5), "");
  EXPECT_EQ(ItemLocalPath(project, -1), "");
  EXPECT_EQ(project.FindItemByUrl("https://yamanote.example.jp/c.html"), 4);
  EXPECT_EQ(project.FindItemByUrl("https://yamanote.example.jp/C.html"), -1);
}

}  // namespace
