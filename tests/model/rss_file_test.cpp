#include "model/rss_file.h"
#include "platform/clock.h"
#include "settings/options.h"
#include "support/test_env.h"

namespace {
class Model : public VamelTest {};
}

TEST_F(Model, PreviewHtmlWrapsEachPart) {
  CRssItem item(0);
  const std::string crlf = "\r\n";
  auto preview = [&](const std::string& d, const std::string& c) {
    item.description = d;
    item.content = c;
    return U(item.GetPreviewHtml());
  };
  EXPECT_EQ(preview("", ""), "<HTML><BODY>\r\n<H3>\r\n概要\r\n</H3><P>\r\n\r\n</P><H3>\r\n内容\r\n</H3><P>\r\n\r\n</P>\r\n</BODY></HTML>");
  // A text that already ends with CR LF gets no second line break; a one-byte text always gets one.
  EXPECT_NE(preview("a<b>" + crlf, "x").find("<P>\r\na<b>\r\n</P>"), std::string::npos);
  EXPECT_NE(preview("\n", "x").find("<P>\r\n\n\r\n</P>"), std::string::npos);
  EXPECT_NE(preview("d", "\r\n").find("<P>\r\n\r\n</P>\r\n</BODY>"), std::string::npos);
}

TEST_F(Model, ConstructionResetAndPaths) {
  SetCurrentTimeOverride(1234);
  CRssItem fresh;
  EXPECT_EQ(fresh.date, 1234);
  EXPECT_EQ(fresh.published, 1234);

  CRssFile project;
  EXPECT_EQ(project.importMode, 2);
  EXPECT_EQ(project.rssFileName, "index.rdf");
  EXPECT_EQ(project.GetRssPath(), "/index.rdf");
  project.localFolder = "/srv/site";
  EXPECT_EQ(project.GetRssPath(), "/srv/site/index.rdf");
  project.localFolder = "/srv/site/";
  EXPECT_EQ(project.GetAtomPath(), "/srv/site/atom.xml");
  project.rssFileName.clear();
  EXPECT_EQ(project.GetRssPath(), "");

  project.siteTitle = "t";
  project.rssCount = 5;
  project.feedId = "tag:x";
  project.sourceKind = 4;
  project.ftp.Host = "h";
  project.excludedFiles.push_back("a.html");
  project.Add(std::make_unique<CRssItem>(1));
  CRssFile::rssMode = 0;
  project.Reset();
  EXPECT_EQ(project.siteTitle, "");
  EXPECT_EQ(project.rssFileName, "index.rdf");
  EXPECT_EQ(project.rssCount, 20);
  EXPECT_EQ(project.ftp, CFtpSet());
  EXPECT_TRUE(project.excludedFiles.empty());
  EXPECT_EQ(project.GetSize(), 0);
  EXPECT_EQ(project.feedId, "tag:x");  // kept
  EXPECT_EQ(project.sourceKind, 4);
  EXPECT_EQ(CRssFile::rssMode, 0);
}

TEST_F(Model, CopyFromMovesTheItems) {
  CRssFile wizard;
  wizard.siteTitle = "new";
  wizard.importMode = 1;
  wizard.feedId = "not copied";
  wizard.excludedFolders = {"tmp"};
  wizard.Add(std::make_unique<CRssItem>(7));
  CRssFile doc;
  doc.Add(std::make_unique<CRssItem>(1));
  doc.Add(std::make_unique<CRssItem>(2));
  doc.CopyFrom(wizard);
  EXPECT_EQ(doc.siteTitle, "new");
  EXPECT_EQ(doc.importMode, 1);
  EXPECT_EQ(doc.feedId, "");
  EXPECT_EQ(doc.excludedFolders, wizard.excludedFolders);
  ASSERT_EQ(doc.GetSize(), 1);
  EXPECT_EQ(doc.GetAt(0)->date, 7);
  EXPECT_EQ(wizard.GetSize(), 0);  // moved, so never deleted twice
}

TEST_F(Model, LatestDateCategoriesAndListOperations) {
  CRssFile project;
  EXPECT_EQ(project.GetLatestItemDate(), 0);
  for (int t : {5, 9, 9, 3}) {
    auto item = std::make_unique<CRssItem>(t);
    item->category = t == 9 ? "News" : t == 3 ? "news" : "";
    project.Add(std::move(item));
  }
  EXPECT_EQ(project.GetLatestItemDate(), 9);
  std::vector<std::string> categories = {"Diary", "News"};
  project.CollectCategories(categories);
  EXPECT_EQ(categories, (std::vector<std::string>{"Diary", "News", "news"}));

  CRssItem* third = project.GetAt(2);
  std::unique_ptr<CRssItem> taken = project.RemoveAt(2);
  EXPECT_EQ(taken.get(), third);
  project.InsertAt(0, std::move(taken));
  EXPECT_EQ(project.GetAt(0), third);
  EXPECT_EQ(project.GetSize(), 4);
  std::unique_ptr<CRssItem> old = project.SetAt(1, std::make_unique<CRssItem>(100));
  EXPECT_EQ(old->date, 5);
  project.DeleteAt(0);
  EXPECT_EQ(project.GetAt(0)->date, 100);
}

TEST_F(Model, DefaultMarkerTagsAreTheCallersAndNeverReadFromTheStore) {
  SetDefaultEndTagOption("<!--E-->");  // a stored value reaches the project only through its caller
  CRssFile project;
  EXPECT_EQ(CRssFile::GetDefaultStartTag(), "<!--VAMELRSS START-->");
  EXPECT_EQ(CRssFile::GetDefaultEndTag(), "<!--VAMELRSS END-->");
  CRssFile::SetDefaultStartTag(J("<!--開始-->\r\n"));
  project.Reset();
  EXPECT_EQ(CRssFile::GetDefaultStartTag(), J("<!--開始-->\r\n"));
  EXPECT_EQ(CRssFile::GetDefaultEndTag(), "<!--VAMELRSS END-->");
  EXPECT_EQ(GetDefaultStartTagOption(), "<!--VAMELRSS START-->");  // nor written to it
}
