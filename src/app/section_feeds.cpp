#include "app/section_feeds.h"

#include "feeds/feed_writers.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"

namespace {

// The folder as a prefix of paths below the site: no leading "/", one trailing "/".
std::string FolderPrefix(std::string folder) {
  while (!folder.empty() && folder.front() == '/') folder.erase(0, 1);
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder.empty() ? folder : folder + "/";
}

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

// The rule's value as a part of a file name: "diary/2006/" gives "diary-2006".
std::string FileKey(const CFeedSection& section) {
  std::string key = section.rule == CFeedSection::Rule::kFolder ? FolderPrefix(section.value) : section.value;
  if (!key.empty() && key.back() == '/') key.pop_back();
  for (char& c : key) {
    if (c == '/' || c == '\\' || c == ' ' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') c = '-';
  }
  return key;
}

// "index.rdf" with "-diary" before its extension.
std::string WithKey(const std::string& fileName, const std::string& key) {
  if (fileName.empty()) return fileName;
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0) return fileName + "-" + key;
  return fileName.substr(0, dot) + "-" + key + fileName.substr(dot);
}

// The bytes the section's part of its feed id keeps as they stand: letters, digits, "-", "_" and ".".
bool IsIdCharacter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
}

}  // namespace

bool ItemInSection(const CRssFile& project, const CRssItem& item, const CFeedSection& section) {
  if (section.rule == CFeedSection::Rule::kCategory) return item.category == section.value;
  const std::string folder = FolderPrefix(section.value);
  return !folder.empty() && StartsWith(item.url, PublishedUrl(project, folder));
}

bool PageInSection(const CRssFile& project, const std::string& relativePath, const CFeedSection& section) {
  if (section.rule == CFeedSection::Rule::kFolder) {
    const std::string folder = FolderPrefix(section.value);
    return !folder.empty() && StartsWith(relativePath, folder);
  }
  const int index = project.FindItemByUrl(PublishedUrl(project, relativePath));
  return index >= 0 && project.GetAt(index)->category == section.value;
}

std::unique_ptr<CRssFile> SectionProject(const CRssFile& project, const CFeedSection& section) {
  auto copy = std::make_unique<CRssFile>();
  copy->importMode = project.importMode;
  copy->siteTitle = project.siteTitle + section.titleSuffix;
  copy->siteUrl = project.siteUrl;
  copy->siteDescription = project.siteDescription;
  copy->creator = project.creator;
  copy->rssFileName = section.rssFileName;
  copy->atomFileName = section.atomFileName;
  copy->localFolder = project.localFolder;
  copy->rssCount = project.rssCount;
  copy->atomCount = project.atomCount;
  copy->rssVersion = project.rssVersion;
  copy->atomVersion = project.atomVersion;
  copy->feedId = GetFeedId(project) + ":" + PercentEncode(AnsiToUtf8(section.name), &IsIdCharacter);
  copy->channelAbout = PublishedUrl(project, section.rssFileName);
  copy->ftp = project.ftp;
  copy->ext = project.ext;
  copy->ext.jsonFileName = section.jsonFileName;  // "": the section's JSON write writes nothing
  copy->ext.sections.clear();
  for (int i = 0; i < project.GetSize(); ++i) {
    const CRssItem& item = *project.GetAt(i);
    if (ItemInSection(project, item, section)) copy->Add(std::make_unique<CRssItem>(item));
  }
  return copy;
}

std::vector<CResult<std::string>> WriteSectionFeeds(const CRssFile& project, SectionFeedWriter write) {
  std::vector<CResult<std::string>> written;
  for (const CFeedSection& section : project.ext.sections) {
    CResult<std::string> result = write(*SectionProject(project, section), std::string());
    if (result || !result.messages.empty()) written.push_back(std::move(result));
  }
  return written;
}

const CFeedSection* FindSection(const CRssFile& project, const std::string& name) {
  for (const CFeedSection& section : project.ext.sections) {
    if (section.name == name) return &section;
  }
  return nullptr;
}

void SetSectionDefaults(CFeedSection& section, const CSectionFileNames& project) {
  const std::string key = FileKey(section);
  section.rssFileName = WithKey(project.rss.empty() ? "index.rdf" : project.rss, key);
  section.atomFileName = WithKey(project.atom.empty() ? "atom.xml" : project.atom, key);
  section.jsonFileName = WithKey(project.json.empty() ? kDefaultJsonFileName : project.json, key);
  section.titleSuffix = " - " + section.name;
}

CResult<CFeedSection> ParseSectionArgument(const std::string& text, const CRssFile& project) {
  CResult<CFeedSection> result;
  CFeedSection& section = result.value;
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return result.Say(Lit("セクションは 名前=category:カテゴリ か 名前=folder:フォルダ で指定してください"));
  section.name = text.substr(0, equals);
  std::vector<std::string> parts;
  for (std::size_t start = equals + 1;;) {
    const std::size_t semi = text.find(';', start);
    parts.push_back(text.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
  const std::string& rule = parts[0];
  if (StartsWith(rule, "category:")) {
    section.rule = CFeedSection::Rule::kCategory;
    section.value = rule.substr(9);
  } else if (StartsWith(rule, "folder:")) {
    section.rule = CFeedSection::Rule::kFolder;
    section.value = FolderPrefix(rule.substr(7));
  } else {
    return result.Say(Lit("セクションの規則は category:カテゴリ か folder:フォルダ です: ") + rule);
  }
  if (section.value.empty()) return result.Say(Lit("セクションのカテゴリかフォルダが空です: ") + section.name);
  SetSectionDefaults(section, ProjectFileNames(project));
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (StartsWith(parts[i], "rss=")) section.rssFileName = parts[i].substr(4);
    else if (StartsWith(parts[i], "atom=")) section.atomFileName = parts[i].substr(5);
    else if (StartsWith(parts[i], "json=")) section.jsonFileName = parts[i].substr(5);
    else if (StartsWith(parts[i], "title=")) section.titleSuffix = parts[i].substr(6);
    else return result.Say(Lit("セクションの指定にわからない部分があります: ") + parts[i]);
  }
  return result.Done();
}

CSectionFileNames ProjectFileNames(const CRssFile& project) {
  return {project.rssFileName, project.atomFileName, project.ext.jsonFileName};
}

std::string SectionProblem(const std::vector<CFeedSection>& sections, const CSectionFileNames& project) {
  std::vector<std::string> names, files{project.rss, project.atom, project.json};
  for (const CFeedSection& section : sections) {
    if (section.name.empty()) return Lit("名前のないセクションがあります");
    if (section.value.empty()) return Lit("セクション ") + section.name + Lit(" のカテゴリかフォルダが空です");
    for (const std::string& name : names) {
      if (name == section.name) return Lit("セクションの名前が重なっています: ") + section.name;
    }
    names.push_back(section.name);
    for (const std::string* file : {&section.rssFileName, &section.atomFileName, &section.jsonFileName}) {
      if (file->empty()) continue;
      for (const std::string& used : files) {
        if (used == *file) return Lit("ファイル名が重なっています: ") + *file;
      }
      files.push_back(*file);
    }
  }
  return std::string();
}
