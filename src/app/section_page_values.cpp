#include "app/section_page_values.h"

#include "app/section_feeds.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"

void CSectionPageValues::Load(const CRssFile& project) {
  sections = project.ext.sections;
  projectFiles = ProjectFileNames(project);
}

void CSectionPageValues::Store(CRssFile& project) const {
  if (Problem().empty()) project.ext.sections = sections;
}

std::string CSectionPageValues::Problem() const { return SectionProblem(sections, projectFiles); }

std::vector<std::string> CSectionPageValues::Columns(const CFeedSection& section) {
  const std::string rule = Lit(section.rule == CFeedSection::Rule::kFolder ? "フォルダ " : "カテゴリ ") + section.value;
  return {section.name, rule, section.rssFileName, section.atomFileName, section.jsonFileName};
}

std::vector<std::string> CSectionPageValues::ColumnTitles() {
  return {Lit("名前"), Lit("規則"), Lit("RSSファイル"), Lit("Atomファイル"), Lit("JSONファイル")};
}

CSectionEditValues CSectionEditValues::Of(const CFeedSection& section) {
  CSectionEditValues values;
  values.name = section.name;
  values.rule = section.rule == CFeedSection::Rule::kFolder ? 1 : 0;
  values.value = section.value;
  values.rssFileName = section.rssFileName;
  values.atomFileName = section.atomFileName;
  values.jsonFileName = section.jsonFileName;
  values.titleSuffix = section.titleSuffix;
  return values;
}

CFeedSection CSectionEditValues::Section(const CSectionPageValues& page) const {
  CFeedSection section;
  section.name = name;
  section.rule = rule == 1 ? CFeedSection::Rule::kFolder : CFeedSection::Rule::kCategory;
  section.value = value;
  if (section.rule == CFeedSection::Rule::kFolder && !section.value.empty() && section.value.back() != '/') section.value += '/';
  SetSectionDefaults(section, page.projectFiles);
  if (!rssFileName.empty()) section.rssFileName = rssFileName;
  if (!atomFileName.empty()) section.atomFileName = atomFileName;
  if (!jsonFileName.empty()) section.jsonFileName = jsonFileName;
  if (!titleSuffix.empty()) section.titleSuffix = titleSuffix;
  return section;
}

std::string CSectionEditValues::Problem() const {
  if (name.empty()) return Lit("セクションの名前を入力してください");
  if (value.empty()) return Lit(rule == 1 ? "フォルダを入力してください" : "カテゴリを入力してください");
  return std::string();
}

std::vector<std::string> CSectionEditValues::RuleEntries() { return {Lit("カテゴリ"), Lit("フォルダ")}; }

CUserMessage SectionProblemMessage(const std::string& problem) { return CUserMessage{problem, MbButtons::Ok, MbIcon::Exclamation}; }
