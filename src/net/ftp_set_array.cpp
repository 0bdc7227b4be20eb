#include "net/ftp_set_array.h"

#include <algorithm>

#include "platform/text_folding.h"
#include "model/password_scramble.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "settings/options.h"

namespace {

// Value names of the stored list; a profile's values carry its index as a suffix.
constexpr const char* kSetNo = "SetNo";
constexpr const char* kCount = "Count";
constexpr const char* kName = "Name";
constexpr const char* kHost = "Host";
constexpr const char* kUser = "User";
constexpr const char* kPass = "Pass";
constexpr const char* kText = "Text";
constexpr const char* kLocalDir = "LocalDir";
constexpr const char* kImageDir = "ImageDir";
constexpr const char* kRemoteDir = "RemoteDir";
constexpr const char* kUrl = "Url";
constexpr const char* kPreviewUrl = "PreviewUrl";
constexpr int kTextDefault = 1;
constexpr int kPreviewUrlDefault = 0;
// A corrupt "Count" must not make us read (or allocate) without end.
constexpr int kMaxProfiles = 1000;

CFtpSet ReadProfile(CVamelSettings& store, const std::string& section, const std::string& suffix) {
  CFtpSet set;
  set.Name = store.GetString(section, kName + suffix, "");
  set.Host = store.GetString(section, kHost + suffix, "");
  set.User = store.GetString(section, kUser + suffix, "");
  set.Pass = UnscramblePassword(store.GetString(section, kPass + suffix, ""));
  set.Text = store.GetInt(section, kText + suffix, kTextDefault);
  set.LocalDir = store.GetString(section, kLocalDir + suffix, "");
  set.ImageDir = store.GetString(section, kImageDir + suffix, "");
  set.RemoteDir = store.GetString(section, kRemoteDir + suffix, "");
  set.Url = store.GetString(section, kUrl + suffix, "");
  set.PreviewUrl = store.GetInt(section, kPreviewUrl + suffix, kPreviewUrlDefault);
  return set;
}

void WriteProfile(CVamelSettings& store, const std::string& section, const std::string& suffix, const CFtpSet& set) {
  store.PutString(section, kName + suffix, set.Name);
  store.PutString(section, kHost + suffix, set.Host);
  store.PutString(section, kUser + suffix, set.User);
  store.PutString(section, kPass + suffix, ScramblePassword(set.Pass));
  store.PutInt(section, kText + suffix, set.Text);
  store.PutString(section, kLocalDir + suffix, set.LocalDir);
  store.PutString(section, kImageDir + suffix, set.ImageDir);
  store.PutString(section, kRemoteDir + suffix, set.RemoteDir);
  store.PutString(section, kUrl + suffix, set.Url);
  store.PutInt(section, kPreviewUrl + suffix, set.PreviewUrl);
}

// True when `localDir` names `folder` or one of the folders above it, letters compared without regard
// to case. A bare prefix is not enough: "/srv/site" does not hold "/srv/site2".
bool HoldsFolder(const std::string& localDir, const std::string& folder) {
  int matched = 0;
  if (FindFolded(folder, localDir, FOLD_CASE, &matched) != 0) return false;
  size_t end = static_cast<size_t>(matched);
  if (localDir.empty() || end >= folder.size()) return true;
  return localDir.back() == kPathSep || folder[end] == kPathSep;
}

}  // namespace

void CFtpSetArray::LoadProfiles(const std::string& section) {
  CVamelSettings& store = SiblingProfile();
  m_sets.clear();
  m_setNo = store.GetInt(section, kSetNo, 0);
  int count = std::min(store.GetInt(section, kCount, 0), kMaxProfiles);
  for (int i = 0; i < count; ++i) m_sets.push_back(ReadProfile(store, section, std::to_string(i)));
  if (m_sets.empty()) {
    CFtpSet set = ReadProfile(store, section, "");
    set.Name = Lit("標準の設定");
    set.LocalDir = GetSiblingRootDirOption();
    m_sets.push_back(set);
  }
}

void CFtpSetArray::SaveProfiles(const std::string& section) {
  CVamelSettings& store = SiblingProfile();
  store.PutInt(section, kSetNo, m_setNo);
  store.PutInt(section, kCount, GetSize());
  for (int i = 0; i < GetSize(); ++i) WriteProfile(store, section, std::to_string(i), m_sets[static_cast<size_t>(i)]);
}

int CFtpSetArray::FindProfileForPath(const std::string& path) {
  if (m_setNo < 0 || m_setNo >= GetSize()) m_setNo = 0;
  size_t sep = path.rfind(kPathSep);
  if (path.empty() || sep == std::string::npos) return m_setNo;
  std::string folder = path.substr(0, sep);
  for (int i = 0; i < GetSize(); ++i) {
    if (HoldsFolder(m_sets[static_cast<size_t>(i)].LocalDir, folder)) return i;
  }
  return m_setNo;
}

CFtpSet CFtpSetArray::GetAt(int i) const {
  if (i < 0 || i >= GetSize()) return CFtpSet();
  return m_sets[static_cast<size_t>(i)];
}

void CFtpSetArray::SetAt(int i, const CFtpSet& set) {
  if (i < 0) return;
  if (i >= GetSize()) m_sets.resize(static_cast<size_t>(i) + 1);
  m_sets[static_cast<size_t>(i)] = set;
}

int CFtpSetArray::Add(const CFtpSet& set) {
  m_sets.push_back(set);
  return GetSize() - 1;
}
