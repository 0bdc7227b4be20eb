#include "settings/options.h"

#include <sys/stat.h>

namespace {

// Sections.
constexpr const char* kSystem = "System";
constexpr const char* kFile = "File";
constexpr const char* kExt = "Ext";
constexpr const char* kWindowSize = "Window size";
constexpr const char* kRecentFileList = "Recent File List";
constexpr const char* kSettings = "Settings";

// Values with their defaults.
constexpr const char* kHeightPercent = "HeightPercent";  // 50
constexpr int kHeightPercentDefault = 50;
constexpr const char* kInitFile = "InitFile";  // 1
constexpr const char* kHtmlEditor = "HtmlEditor";  // default supplied by the caller
constexpr const char* kRssViewer = "RssViewer";    // default supplied by the caller
constexpr const char* kPreviewMode = "PreviewMode";  // 0
constexpr const char* kFtpPassive = "ftppasv";       // 0
constexpr const char* kFtpCaFile = "FtpCaFile";      // ""
constexpr const char* kDownloadTimeout = "DownloadTimeout";  // 120 seconds
constexpr int kDownloadTimeoutDefault = 120;
constexpr const char* kDefaultStartTag = "DefaultStartTag";
constexpr const char* kDefaultStartTagDefault = kBuiltinStartTag;
constexpr const char* kDefaultEndTag = "DefaultEndTag";
constexpr const char* kDefaultEndTagDefault = kBuiltinEndTag;
constexpr const char* kOpenType = "OpenType";  // 1
constexpr const char* kExtCount = "Count";     // 5
constexpr const char* kExtNameFormat = "name";  // "name%d", index from 0
constexpr const char* kExtDefaults[] = {"html", "htm", "shtm", "shtml", "xhtml"};
constexpr const char* kRect = "Rect";          // ""
constexpr const char* kShowCmd = "showCmd";    // 1
constexpr const char* kFlags = "flags";        // 0
constexpr const char* kToolBar = "ToolBar";    // 1
constexpr const char* kStatusBar = "StatusBar";  // 1
constexpr const char* kRecentFileFormat = "File";  // "File%d", 1 to 8
constexpr const char* kPreviewPages = "PreviewPages";  // 0
constexpr const char* kRootDir = "RootDir";  // sibling editor, ""

// The sibling editor's store.
constexpr const char* kSiblingCompany = "Quillstone";
constexpr const char* kSiblingApplication = "Marrowpad";
constexpr const char* kCompany = "Vamel";
constexpr const char* kApplication = "VamelRss";

}  // namespace

CVamelProfile& AppProfile() {
  static CVamelProfile profile(kCompany, kApplication);
  return profile;
}

bool IsSiblingEditorInstalled() {
  struct stat st;
  return ::stat(CVamelProfile(kSiblingCompany, kSiblingApplication).GetStorePath().c_str(), &st) == 0 &&
         S_ISREG(st.st_mode);
}

CVamelProfile& SiblingProfile() {
  static CVamelProfile profile;
  // Decided on every use so that a store created while the program runs is found.
  if (IsSiblingEditorInstalled()) profile.SetKey(kSiblingCompany, kSiblingApplication);
  else profile.SetKey(kCompany, kApplication);
  return profile;
}

int GetHeightPercentOption() {
  int value = AppProfile().GetInt(kSystem, kHeightPercent, kHeightPercentDefault);
  // 0, and anything above 99 as an unsigned number (negative values included), reads as 50.
  if (value == 0 || static_cast<unsigned int>(value) > 99u) return kHeightPercentDefault;
  return value;
}
void SetHeightPercentOption(int percent) { AppProfile().PutInt(kSystem, kHeightPercent, percent); }

int GetInitFileOption() { return AppProfile().GetInt(kSystem, kInitFile, 1); }
void SetInitFileOption(int value) { AppProfile().PutInt(kSystem, kInitFile, value); }

std::string GetHtmlEditorOption(const std::string& def) { return AppProfile().GetString(kSystem, kHtmlEditor, def); }
void SetHtmlEditorOption(const std::string& program) { AppProfile().PutString(kSystem, kHtmlEditor, program); }

std::string GetRssViewerOption(const std::string& def) { return AppProfile().GetString(kSystem, kRssViewer, def); }
void SetRssViewerOption(const std::string& program) { AppProfile().PutString(kSystem, kRssViewer, program); }

int GetPreviewModeOption() { return AppProfile().GetInt(kSystem, kPreviewMode, 0); }
void SetPreviewModeOption(int mode) { AppProfile().PutInt(kSystem, kPreviewMode, mode); }

int GetFtpPassiveOption() { return AppProfile().GetInt(kSystem, kFtpPassive, 0); }
void SetFtpPassiveOption(int passive) { AppProfile().PutInt(kSystem, kFtpPassive, passive); }

std::string GetFtpCaFileOption() { return AppProfile().GetString(kSystem, kFtpCaFile, ""); }
void SetFtpCaFileOption(const std::string& path) { AppProfile().PutString(kSystem, kFtpCaFile, path); }

int GetDownloadTimeoutOption() {
  const int seconds = AppProfile().GetInt(kSystem, kDownloadTimeout, kDownloadTimeoutDefault);
  return seconds > 0 ? seconds : kDownloadTimeoutDefault;
}
void SetDownloadTimeoutOption(int seconds) { AppProfile().PutInt(kSystem, kDownloadTimeout, seconds); }

std::string GetDefaultStartTagOption() { return AppProfile().GetString(kSystem, kDefaultStartTag, kDefaultStartTagDefault); }
void SetDefaultStartTagOption(const std::string& tag) { AppProfile().PutString(kSystem, kDefaultStartTag, tag); }
std::string GetDefaultEndTagOption() { return AppProfile().GetString(kSystem, kDefaultEndTag, kDefaultEndTagDefault); }
void SetDefaultEndTagOption(const std::string& tag) { AppProfile().PutString(kSystem, kDefaultEndTag, tag); }

int GetOpenTypeOption() { return AppProfile().GetInt(kFile, kOpenType, 1); }
void SetOpenTypeOption(int filterEntry) { AppProfile().PutInt(kFile, kOpenType, filterEntry); }

int GetExtCountOption() { return AppProfile().GetInt(kExt, kExtCount, 5); }
void SetExtCountOption(int count) { AppProfile().PutInt(kExt, kExtCount, count); }
std::string GetExtNameOption(int index) {
  std::string def = index >= 0 && index < 5 ? kExtDefaults[index] : "";
  return AppProfile().GetString(kExt, kExtNameFormat + std::to_string(index), def);
}
void SetExtNameOption(int index, const std::string& ext) {
  AppProfile().PutString(kExt, kExtNameFormat + std::to_string(index), ext);
}

std::string GetWindowRectOption() { return AppProfile().GetString(kWindowSize, kRect, ""); }
void SetWindowRectOption(const std::string& rect) { AppProfile().PutString(kWindowSize, kRect, rect); }
int GetShowCmdOption() { return AppProfile().GetInt(kWindowSize, kShowCmd, 1); }
void SetShowCmdOption(int value) { AppProfile().PutInt(kWindowSize, kShowCmd, value); }
int GetWindowFlagsOption() { return AppProfile().GetInt(kWindowSize, kFlags, 0); }
void SetWindowFlagsOption(int value) { AppProfile().PutInt(kWindowSize, kFlags, value); }
int GetToolBarOption() { return AppProfile().GetInt(kWindowSize, kToolBar, 1); }
void SetToolBarOption(int value) { AppProfile().PutInt(kWindowSize, kToolBar, value); }
int GetStatusBarOption() { return AppProfile().GetInt(kWindowSize, kStatusBar, 1); }
void SetStatusBarOption(int value) { AppProfile().PutInt(kWindowSize, kStatusBar, value); }

std::string GetRecentFileOption(int number) {
  return AppProfile().GetString(kRecentFileList, kRecentFileFormat + std::to_string(number), "");
}
void SetRecentFileOption(int number, const std::string& path) {
  AppProfile().PutString(kRecentFileList, kRecentFileFormat + std::to_string(number), path);
}

int GetPreviewPagesOption() { return AppProfile().GetInt(kSettings, kPreviewPages, 0); }

std::string GetSiblingRootDirOption() { return SiblingProfile().GetString(kSystem, kRootDir, ""); }

namespace {

const COptionInfo kOptionTable[] = {
    {kSystem, kHeightPercent, true, "50"},
    {kSystem, kInitFile, true, "1"},
    {kSystem, kHtmlEditor, false, ""},
    {kSystem, kRssViewer, false, ""},
    {kSystem, kPreviewMode, true, "0"},
    {kSystem, kFtpPassive, true, "0"},
    {kSystem, kFtpCaFile, false, ""},
    {kSystem, kDownloadTimeout, true, "120"},
    {kSystem, kDefaultStartTag, false, kDefaultStartTagDefault},
    {kSystem, kDefaultEndTag, false, kDefaultEndTagDefault},
    {kFile, kOpenType, true, "1"},
    {kExt, kExtCount, true, "5"},
    {kExt, "name%d", false, ""},
    {kWindowSize, kRect, false, ""},
    {kWindowSize, kShowCmd, true, "1"},
    {kWindowSize, kFlags, true, "0"},
    {kWindowSize, kToolBar, true, "1"},
    {kWindowSize, kStatusBar, true, "1"},
    {kRecentFileList, "File%d", false, ""},
    {kSettings, kPreviewPages, true, "0"},
};

bool SameNoCase(const std::string& a, const char* b) {
  std::string x = a, y = b;
  for (char& c : x) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (char& c : y) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return x == y;
}

// "name3" matches "name%d"; "File1" matches "File%d".
bool NameMatches(const std::string& name, const char* pattern) {
  std::string p = pattern;
  size_t at = p.find("%d");
  if (at == std::string::npos) return SameNoCase(name, pattern);
  std::string prefix = p.substr(0, at);
  if (name.size() <= prefix.size() || !SameNoCase(name.substr(0, prefix.size()), prefix.c_str())) return false;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

}  // namespace

const COptionInfo* OptionTable(size_t& count) {
  count = sizeof kOptionTable / sizeof kOptionTable[0];
  return kOptionTable;
}

const COptionInfo* FindOptionInfo(const std::string& section, const std::string& name) {
  for (const COptionInfo& info : kOptionTable) {
    if (SameNoCase(section, info.section) && NameMatches(name, info.name)) return &info;
  }
  return nullptr;
}
