// The feed project: one web site, its feed settings, and the ordered list of its items.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/ftp_set.h"
#include "model/project_extensions.h"
#include "model/rss_item.h"

class CArchive;

class CRssFile {
public:
  CRssFile();  // construction defaults
  virtual ~CRssFile();
  CRssFile(const CRssFile&) = delete;
  CRssFile& operator=(const CRssFile&) = delete;

  // Settings, in declaration order.
  int importMode = 2;  // page import mode 0 to 3
  std::string siteTitle;
  std::string siteUrl;
  std::string siteDescription;
  std::string creator;
  std::string rssFileName = "index.rdf";
  std::string atomFileName = "atom.xml";
  std::string localFolder;
  int rssCount = 20;
  int atomCount = 20;
  int rssVersion = 0;   // 0: RSS 1.0, else RSS 2.0
  int atomVersion = 0;  // 0: Atom 0.3, else Atom 1.0
  std::string feedId;   // from an imported Atom 1.0 file; not stored
  std::string channelAbout;  // the RSS 1.0 channel's rdf:about when not the site URL (a section's feeds); not stored
  int reserved = 0;
  int sourceKind = 0;   // kind of the feed file last read into the project; not stored
  CFtpSet ftp;
  std::vector<std::string> excludedFiles;    // relative page paths the folder scan skips
  std::vector<std::string> excludedFolders;  // relative folder paths the folder scan skips
  CProjectExtensions ext;  // settings beyond the classic file (its extension block)

  // Description/content modes, shared by every project of the process: 0 none, 1 description only,
  // 2 description and content. Project files store and restore them.
  static int rssMode;
  static int atomMode;

  // Default marker tags, shared by the process (the built-in ones until set). The project never reads
  // the settings store: its caller sets them (the application, from the profile, whenever a project is
  // built or reset and when the user changes them).
  static const std::string& GetDefaultStartTag();
  static const std::string& GetDefaultEndTag();
  static void SetDefaultStartTag(const std::string& tag);
  static void SetDefaultEndTag(const std::string& tag);

  // The item list. Index 0 is the first item shown and written.
  int GetSize() const { return static_cast<int>(m_items.size()); }
  CRssItem* GetAt(int i) const { return m_items[static_cast<size_t>(i)].get(); }
  CRssItem* GetItem(int i) const { return GetAt(i); }
  int Add(std::unique_ptr<CRssItem> item);
  void InsertAt(int i, std::unique_ptr<CRssItem> item);
  std::unique_ptr<CRssItem> RemoveAt(int i);  // takes the item out; the caller owns it
  void DeleteAt(int i);                       // removes and deletes
  std::unique_ptr<CRssItem> SetAt(int i, std::unique_ptr<CRssItem> item);  // returns the item replaced
  void DeleteAllItems();
  void Reserve(int count) { m_items.reserve(static_cast<size_t>(count)); }

  // Back to the defaults; feedId, sourceKind, the two modes and the marker tags are kept.
  void Reset();
  // Takes over the other project's settings, FTP profile, items (moved out of `other`) and lists.
  void CopyFrom(CRssFile& other);
  // Takes over everything the project file holds, items included, from a freshly loaded project.
  void TakeOverLoaded(CRssFile& loaded);

  std::string GetRssPath() const;   // localFolder + separator + rssFileName; "" without a name
  std::string GetAtomPath() const;  // the same with atomFileName
  std::string GetJsonPath() const;  // the same with the JSON Feed's file name (ext.jsonFileName)
  std::string JoinFolderAndName(const std::string& name) const;  // localFolder + separator + name; "" without a name
  TimeValue GetLatestItemDate() const;
  // Whether the feeds leave the item out: a hidden item always, one dated after `now` while the project
  // holds such items back.
  bool IsKeptOutOfFeeds(const CRssItem& item, TimeValue now) const;
  // The largest date among the items that the feeds carry (GetLatestItemDate when none is kept out).
  TimeValue GetLatestFeedItemDate(TimeValue now) const;
  void CollectCategories(std::vector<std::string>& list) const;

  // Stores or loads the project file (see archive.h for the bytes).
  virtual void Serialize(CArchive& ar);

  // The index of the first item whose URL is exactly `url`, or -1.
  int FindItemByUrl(const std::string& url) const;

  // Writing the feeds (feeds/feed_writers.h) and reading pages (harvest/page_mapping.h) are free
  // functions over the project in their own layers.

private:

  std::vector<std::unique_ptr<CRssItem>> m_items;
};
