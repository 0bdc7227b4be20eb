// The project file: the project's settings, then its items as tagged object records.
#include "model/archive.h"
#include "model/password_scramble.h"
#include "model/rss_file.h"

namespace {
constexpr std::int32_t kProjectVersion = 100;
}

void CRssFile::Serialize(CArchive& ar) {
  sourceKind = 0;
  if (ar.IsStoring()) {
    ar.WriteInt32(kProjectVersion);
    ar.WriteString(siteTitle);
    ar.WriteString(siteUrl);
    ar.WriteString(siteDescription);
    ar.WriteString(creator);
    ar.WriteString(rssFileName);
    ar.WriteString(atomFileName);
    ar.WriteString(localFolder);
    ar.WriteInt32(reserved);
    ar.WriteInt32(importMode);
    ar.WriteInt32(rssCount);
    ar.WriteInt32(atomCount);
    ar.WriteInt32(rssVersion);
    ar.WriteInt32(atomVersion);
    ar.WriteInt32(rssMode);
    ar.WriteInt32(atomMode);
    ar.WriteStringList(excludedFiles);
    ar.WriteStringList(excludedFolders);
    ar.WriteString(ftp.Name);
    ar.WriteString(ftp.Host);
    ar.WriteString(ftp.User);
    ar.WriteString(ScramblePassword(ftp.Pass));
    ar.WriteInt32(ftp.Text);
    ar.WriteString(ftp.LocalDir);
    ar.WriteString(ftp.ImageDir);
    ar.WriteString(ftp.RemoteDir);
    ar.WriteString(ftp.Url);
    ar.WriteInt32(ftp.PreviewUrl);
    ar.WriteCount(static_cast<std::uint32_t>(m_items.size()));
    for (auto& item : m_items) ar.WriteItemObject(*item);
    return;
  }

  ar.ReadInt32();  // version: any value is accepted
  siteTitle = ar.ReadString();
  siteUrl = ar.ReadString();
  siteDescription = ar.ReadString();
  creator = ar.ReadString();
  rssFileName = ar.ReadString();
  atomFileName = ar.ReadString();
  localFolder = ar.ReadString();
  reserved = ar.ReadInt32();
  importMode = ar.ReadInt32();
  rssCount = ar.ReadInt32();
  atomCount = ar.ReadInt32();
  rssVersion = ar.ReadInt32();
  atomVersion = ar.ReadInt32();
  rssMode = ar.ReadInt32();
  atomMode = ar.ReadInt32();
  ar.ReadStringList(excludedFiles);
  ar.ReadStringList(excludedFolders);
  ftp.Name = ar.ReadString();
  ftp.Host = ar.ReadString();
  ftp.User = ar.ReadString();
  ftp.Pass = UnscramblePassword(ar.ReadString());
  ftp.Text = ar.ReadInt32();
  ftp.LocalDir = ar.ReadString();
  ftp.ImageDir = ar.ReadString();
  ftp.RemoteDir = ar.ReadString();
  ftp.Url = ar.ReadString();
  ftp.PreviewUrl = ar.ReadInt32();
  std::uint32_t count = ar.ReadCount();
  if (count > ar.MaxItemsRemaining()) throw CArchiveException();
  DeleteAllItems();
  m_items.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) m_items.push_back(ar.ReadItemObject());
}
