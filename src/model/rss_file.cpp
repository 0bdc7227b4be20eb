#include "model/rss_file.h"

#include "model/archive.h"
#include "platform/file_system.h"
#include "settings/options.h"

int CRssFile::rssMode = 2;
int CRssFile::atomMode = 2;

namespace {
std::string g_defaultStartTag = kBuiltinStartTag;
std::string g_defaultEndTag = kBuiltinEndTag;
}  // namespace

CRssFile::CRssFile() = default;

CRssFile::~CRssFile() = default;

const std::string& CRssFile::GetDefaultStartTag() { return g_defaultStartTag; }
const std::string& CRssFile::GetDefaultEndTag() { return g_defaultEndTag; }
void CRssFile::SetDefaultStartTag(const std::string& tag) { g_defaultStartTag = tag; }
void CRssFile::SetDefaultEndTag(const std::string& tag) { g_defaultEndTag = tag; }

int CRssFile::Add(std::unique_ptr<CRssItem> item) {
  m_items.push_back(std::move(item));
  return GetSize() - 1;
}

void CRssFile::InsertAt(int i, std::unique_ptr<CRssItem> item) {
  m_items.insert(m_items.begin() + i, std::move(item));
}

std::unique_ptr<CRssItem> CRssFile::RemoveAt(int i) {
  std::unique_ptr<CRssItem> item = std::move(m_items[static_cast<size_t>(i)]);
  m_items.erase(m_items.begin() + i);
  return item;
}

void CRssFile::DeleteAt(int i) { m_items.erase(m_items.begin() + i); }

std::unique_ptr<CRssItem> CRssFile::SetAt(int i, std::unique_ptr<CRssItem> item) {
  std::unique_ptr<CRssItem> old = std::move(m_items[static_cast<size_t>(i)]);
  m_items[static_cast<size_t>(i)] = std::move(item);
  return old;
}

void CRssFile::DeleteAllItems() { m_items.clear(); }

void CRssFile::Reset() {
  siteTitle.clear();
  siteUrl.clear();
  siteDescription.clear();
  creator.clear();
  localFolder.clear();
  rssFileName = "index.rdf";
  atomFileName = "atom.xml";
  reserved = 0;
  rssCount = 20;
  atomCount = 20;
  rssVersion = 0;
  atomVersion = 0;
  importMode = 2;
  ftp = CFtpSet();
  excludedFiles.clear();
  excludedFolders.clear();
  ext = CProjectExtensions();
  DeleteAllItems();
}

void CRssFile::CopyFrom(CRssFile& other) {
  siteTitle = other.siteTitle;
  siteUrl = other.siteUrl;
  siteDescription = other.siteDescription;
  creator = other.creator;
  rssFileName = other.rssFileName;
  atomFileName = other.atomFileName;
  localFolder = other.localFolder;
  reserved = other.reserved;
  rssCount = other.rssCount;
  atomCount = other.atomCount;
  atomVersion = other.atomVersion;
  rssVersion = other.rssVersion;
  importMode = other.importMode;
  ftp = other.ftp;
  ext = other.ext;
  DeleteAllItems();
  // The items move: the other project no longer holds them, so nothing is deleted twice.
  m_items = std::move(other.m_items);
  other.m_items.clear();
  excludedFiles = other.excludedFiles;
  excludedFolders = other.excludedFolders;
}

void CRssFile::TakeOverLoaded(CRssFile& loaded) {
  CopyFrom(loaded);
  sourceKind = 0;
}

std::string CRssFile::JoinFolderAndName(const std::string& name) const {
  if (name.empty()) return std::string();
  std::string path = localFolder;
  if (path.empty() || path.back() != kPathSep) path += kPathSep;
  return path + name;
}

std::string CRssFile::GetRssPath() const { return JoinFolderAndName(rssFileName); }

std::string CRssFile::GetAtomPath() const { return JoinFolderAndName(atomFileName); }

std::string CRssFile::GetJsonPath() const { return JoinFolderAndName(ext.jsonFileName); }

TimeValue CRssFile::GetLatestItemDate() const {
  TimeValue latest = 0;
  bool first = true;
  for (const auto& item : m_items) {
    if (first || item->date > latest) latest = item->date;
    first = false;
  }
  return latest;
}

bool CRssFile::IsKeptOutOfFeeds(const CRssItem& item, TimeValue now) const {
  return item.ext.hidden || (ext.holdFuture && item.date > now);
}

TimeValue CRssFile::GetLatestFeedItemDate(TimeValue now) const {
  TimeValue latest = 0;
  bool first = true;
  for (const auto& item : m_items) {
    if (IsKeptOutOfFeeds(*item, now)) continue;
    if (first || item->date > latest) latest = item->date;
    first = false;
  }
  return latest;
}

void CRssFile::CollectCategories(std::vector<std::string>& list) const {
  for (const auto& item : m_items) {
    if (item->category.empty()) continue;
    bool known = false;
    for (const std::string& c : list) {
      if (c == item->category) {
        known = true;
        break;
      }
    }
    if (!known) list.push_back(item->category);
  }
}

int CRssFile::FindItemByUrl(const std::string& url) const {
  for (int i = 0; i < GetSize(); ++i) {
    if (GetAt(i)->url == url) return i;
  }
  return -1;
}
