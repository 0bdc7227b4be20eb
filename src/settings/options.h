// The application profile: every option of the program, one typed accessor pair each.
//
// Section and value names, types and defaults are in options.cpp, in one table-like block.
#pragma once

#include <string>

#include "settings/vamel_profile.h"

// The application's own store ("Vamel"/"VamelRss"), alive for the whole run.
CVamelProfile& AppProfile();

// The second, freely keyed store: the sibling editor's ("Quillstone"/"Marrowpad") when that editor is
// installed for this user, else the application's own key.
CVamelProfile& SiblingProfile();
bool IsSiblingEditorInstalled();

// "System"
int GetHeightPercentOption();  // a stored 0 or a value above 99 reads as 50
void SetHeightPercentOption(int percent);
int GetInitFileOption();
void SetInitFileOption(int value);
std::string GetHtmlEditorOption(const std::string& def);
void SetHtmlEditorOption(const std::string& program);
std::string GetRssViewerOption(const std::string& def);
void SetRssViewerOption(const std::string& program);
int GetPreviewModeOption();
void SetPreviewModeOption(int mode);
int GetFtpPassiveOption();
void SetFtpPassiveOption(int passive);
// One more certificate authority (a PEM file) that publishing over FTP with TLS trusts; "" for none.
std::string GetFtpCaFileOption();
void SetFtpCaFileOption(const std::string& path);
// The time a page download may take in all, in seconds; 0 or less reads as the default, 120.
int GetDownloadTimeoutOption();
void SetDownloadTimeoutOption(int seconds);
// The marker tags that hold when the user has set none.
inline constexpr const char* kBuiltinStartTag = "<!--VAMELRSS START-->";
inline constexpr const char* kBuiltinEndTag = "<!--VAMELRSS END-->";
std::string GetDefaultStartTagOption();
void SetDefaultStartTagOption(const std::string& tag);
std::string GetDefaultEndTagOption();
void SetDefaultEndTagOption(const std::string& tag);

// "File"
int GetOpenTypeOption();
void SetOpenTypeOption(int filterEntry);

// "Ext": the folder scan's extension list
int GetExtCountOption();
void SetExtCountOption(int count);
std::string GetExtNameOption(int index);  // "html", "htm", "shtm", "shtml", "xhtml" for 0 to 4, else ""
void SetExtNameOption(int index, const std::string& ext);

// "Window size"
std::string GetWindowRectOption();  // "" when never stored
void SetWindowRectOption(const std::string& rect);
int GetShowCmdOption();
void SetShowCmdOption(int value);
int GetWindowFlagsOption();
void SetWindowFlagsOption(int value);
int GetToolBarOption();
void SetToolBarOption(int value);
int GetStatusBarOption();
void SetStatusBarOption(int value);

// "Recent File List": File1 (newest) to File8
inline constexpr int kRecentFileCount = 8;
std::string GetRecentFileOption(int number);
void SetRecentFileOption(int number, const std::string& path);

// "Settings"
int GetPreviewPagesOption();

// "System"/"RootDir" of the sibling editor's store: its site folder.
std::string GetSiblingRootDirOption();

// The table of the application profile, for generic access (the command line's `options`).
struct COptionInfo {
  const char* section;
  const char* name;  // "name%d" and "File%d" stand for numbered values
  bool isInt;
  const char* def;   // the default as text; "" for defaults that depend on the machine
};
const COptionInfo* FindOptionInfo(const std::string& section, const std::string& name);
const COptionInfo* OptionTable(size_t& count);
