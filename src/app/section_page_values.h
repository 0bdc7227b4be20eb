// "セクション": the values of the settings page that lists the project's sections, and of the editor of
// one section, apart from any window.
#pragma once

#include <string>
#include <vector>

#include "app/section_feeds.h"
#include "model/project_extensions.h"
#include "platform/user_message.h"

class CRssFile;

struct CSectionPageValues {
  std::vector<CFeedSection> sections;
  CSectionFileNames projectFiles;  // the project's own feed files: the defaults of a new section's files, and
                                   // names no section may take

  void Load(const CRssFile& project);
  // Only a list without problems (Problem() empty) is stored; else the project's sections stay.
  void Store(CRssFile& project) const;
  std::string Problem() const;  // internal text; "" when there is none

  // The list's columns of a section: name, rule ("フォルダ diary/", "カテゴリ news"), RSS file, Atom file,
  // JSON Feed file.
  static std::vector<std::string> Columns(const CFeedSection& section);
  static std::vector<std::string> ColumnTitles();
};

// The editor of one section: the rule's choice is 0 for a category, 1 for a folder.
struct CSectionEditValues {
  std::string name;
  int rule = 0;
  std::string value;
  std::string rssFileName;
  std::string atomFileName;
  std::string jsonFileName;
  std::string titleSuffix;

  static CSectionEditValues Of(const CFeedSection& section);
  // A new section with the rule, filling what was left empty with the defaults.
  CFeedSection Section(const CSectionPageValues& page) const;
  // "名前を入力してください" and its kin; "" when the values can make a section.
  std::string Problem() const;
  static std::vector<std::string> RuleEntries();  // "カテゴリ", "フォルダ"
};

CUserMessage SectionProblemMessage(const std::string& problem);
