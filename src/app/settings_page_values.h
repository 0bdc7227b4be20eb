// The values of the project's settings pages apart from any window: each page keeps copies of the
// fields it edits, loads them from the project when it is first shown and stores them back on OK, Next
// or Finish. The front end binds these members to its controls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/user_message.h"

class CFtpSetArray;
class CRssFile;

// "サイト情報": the site's title, URL, description and creator.
struct CSitePageValues {
  std::string title;
  std::string url;
  std::string description;
  std::string creator;

  void Load(const CRssFile& project);
  void Store(CRssFile& project) const;
};

// "ファイル": the local folder and the page import mode (an index of ImportModeEntries()).
struct CDirPageValues {
  std::string localFolder;
  int importMode = 0;

  void Load(const CRssFile& project);
  void Store(CRssFile& project) const;
};

// "RSS" and "Atom": the feed file's name, version (an index of the page's version entries), output
// count and description/content mode (an index of FeedModeEntries(), held once per running program).
struct CFeedPageValues {
  std::string fileName;
  int version = 0;
  int count = 0;
  int mode = 0;
};

struct CRssPageValues : CFeedPageValues {
  void Load(const CRssFile& project);
  void Store(CRssFile& project) const;
};

struct CAtomPageValues : CFeedPageValues {
  void Load(const CRssFile& project);
  void Store(CRssFile& project) const;
};

// "ftp設定": the four FTP values of the project and the program-wide passive switch. In profile mode
// (before an upload from an open feed file) the values come from the sibling editor's profile for the
// project's folder, and storing writes them into that profile too.
struct CFtpPageValues {
  std::string host;
  std::string user;
  std::string password;
  std::string remoteDir;
  int passive = 0;

  void SetProfileMode(bool on) { m_profileMode = on; }
  bool IsProfileMode() const { return m_profileMode; }

  void Load(const CRssFile& project);
  // Writes the project's FTP values and "System"/"ftppasv"; in profile mode also the profile shown,
  // then saves the profile list.
  void Store(CRssFile& project) const;

private:
  bool m_profileMode = false;
  // Profile mode: the list as loaded and the index of the profile shown (-1: none, the project's own
  // values are shown and no profile is written).
  std::shared_ptr<CFtpSetArray> m_profiles;
  int m_profileIndex = -1;
};

// The entries of the pages' lists, in index order (internal text).
std::vector<std::string> ImportModeEntries();   // "詳細も設定しない" ... "詳細・内容とも設定（指定部分）"
std::vector<std::string> RssVersionEntries();   // "1.0", "2.0"
std::vector<std::string> AtomVersionEntries();  // "0.3", "1.0"
std::vector<std::string> FeedModeEntries();     // "なし", "説明のみ", "内容あり"

// An integer field as typed: optional blanks around an optional sign and decimal digits, within the
// range of int. Zero and negative numbers are integers too.
bool ParseIntegerField(const std::string& text, int& value);
// The same within the range of long long (a file's length in bytes).
bool ParseLongField(const std::string& text, long long& value);
// "整数を入力してください。", shown when a number field holds no integer.
CUserMessage NotAnIntegerMessage();
// "%1 から %2 までの整数を入力してください。" with the bounds filled in.
CUserMessage IntegerRangeMessage(int low, int high);
