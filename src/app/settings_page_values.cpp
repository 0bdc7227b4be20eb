#include "app/settings_page_values.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "model/rss_file.h"
#include "net/ftp_set_array.h"
#include "platform/path_names.h"
#include "platform/text_codec.h"
#include "settings/options.h"

namespace {

constexpr const char* kProfileSection = "ftp";
// Only turns the local folder into a path whose folder is matched against the profiles.
constexpr const char* kProbeFileName = "test.xml";

std::vector<std::string> Entries(std::initializer_list<const char*> utf8) {
  std::vector<std::string> entries;
  for (const char* text : utf8) entries.push_back(Lit(text));
  return entries;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void CSitePageValues::Load(const CRssFile& project) {
  title = project.siteTitle;
  url = project.siteUrl;
  description = project.siteDescription;
  creator = project.creator;
}

void CSitePageValues::Store(CRssFile& project) const {
  project.siteTitle = title;
  project.siteUrl = url;
  project.siteDescription = description;
  project.creator = creator;
}

void CDirPageValues::Load(const CRssFile& project) {
  localFolder = project.localFolder;
  importMode = project.importMode;
}

void CDirPageValues::Store(CRssFile& project) const {
  project.localFolder = localFolder;
  project.importMode = importMode;
}

void CRssPageValues::Load(const CRssFile& project) {
  fileName = project.rssFileName;
  version = project.rssVersion;
  count = project.rssCount;
  mode = CRssFile::rssMode;
}

void CRssPageValues::Store(CRssFile& project) const {
  project.rssFileName = fileName;
  project.rssVersion = version;
  project.rssCount = count;
  CRssFile::rssMode = mode;
}

void CAtomPageValues::Load(const CRssFile& project) {
  fileName = project.atomFileName;
  version = project.atomVersion;
  count = project.atomCount;
  mode = CRssFile::atomMode;
}

void CAtomPageValues::Store(CRssFile& project) const {
  project.atomFileName = fileName;
  project.atomVersion = version;
  project.atomCount = count;
  CRssFile::atomMode = mode;
}

void CFtpPageValues::Load(const CRssFile& project) {
  host = project.ftp.Host;
  user = project.ftp.User;
  password = project.ftp.Pass;
  remoteDir = project.ftp.RemoteDir;
  passive = GetFtpPassiveOption();
  m_profiles.reset();
  m_profileIndex = -1;
  if (!m_profileMode) return;

  auto profiles = std::make_shared<CFtpSetArray>();
  profiles->LoadProfiles(kProfileSection);
  // The list is never empty after loading; should it be, the project's own values stay on the page.
  if (profiles->GetSize() == 0) return;
  m_profileIndex = profiles->FindProfileForPath(JoinPath(project.localFolder, kProbeFileName));
  const CFtpSet profile = profiles->GetAt(m_profileIndex);
  host = profile.Host;
  user = profile.User;
  password = profile.Pass;
  remoteDir = profile.RemoteDir;
  m_profiles = std::move(profiles);
}

void CFtpPageValues::Store(CRssFile& project) const {
  project.ftp.Host = host;
  project.ftp.User = user;
  project.ftp.Pass = password;
  project.ftp.RemoteDir = remoteDir;
  SetFtpPassiveOption(passive);
  if (!m_profileMode || !m_profiles || m_profileIndex < 0) return;

  // Corrections made before an upload reach the sibling editor's list.
  CFtpSet profile = m_profiles->GetAt(m_profileIndex);
  profile.Host = host;
  profile.User = user;
  profile.Pass = password;
  profile.RemoteDir = remoteDir;
  m_profiles->SetAt(m_profileIndex, profile);
  m_profiles->SaveProfiles(kProfileSection);
}

std::vector<std::string> ImportModeEntries() {
  return Entries({"詳細も設定しない", "詳細のみ設定", "詳細・内容とも設定（全て）", "詳細・内容とも設定（指定部分）"});
}

std::vector<std::string> RssVersionEntries() { return Entries({"1.0", "2.0"}); }

std::vector<std::string> AtomVersionEntries() { return Entries({"0.3", "1.0"}); }

std::vector<std::string> FeedModeEntries() { return Entries({"なし", "説明のみ", "内容あり"}); }

bool ParseLongField(const std::string& text, long long& value) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string number = text.substr(begin, end - begin);
  size_t digits = number.empty() || (number[0] != '+' && number[0] != '-') ? 0 : 1;
  if (digits >= number.size()) return false;
  for (size_t i = digits; i < number.size(); ++i) {
    if (number[i] < '0' || number[i] > '9') return false;
  }
  errno = 0;
  const long long parsed = std::strtoll(number.c_str(), nullptr, 10);
  if (errno == ERANGE) return false;
  value = parsed;
  return true;
}

bool ParseIntegerField(const std::string& text, int& value) {
  long long parsed = 0;
  if (!ParseLongField(text, parsed) || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

CUserMessage NotAnIntegerMessage() {
  return CUserMessage{Lit("整数を入力してください。"), MbButtons::Ok, MbIcon::Exclamation};
}

CUserMessage IntegerRangeMessage(int low, int high) {
  std::string text = Lit("%1 から %2 までの整数を入力してください。");
  text.replace(text.find("%1"), 2, std::to_string(low));
  text.replace(text.find("%2"), 2, std::to_string(high));
  return CUserMessage{text, MbButtons::Ok, MbIcon::Exclamation};
}
