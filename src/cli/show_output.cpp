#include "cli/show_output.h"

#include <nlohmann/json.hpp>

#include "app/vamel_rss_doc.h"
#include "model/extension_block.h"
#include "platform/text_codec.h"

namespace {

const char* KindName(int kind) {
  switch (kind) {
    case kKindProject: return "project";
    case kKindRss10: return "rss10";
    case kKindRss20: return "rss20";
    case kKindAtom03: return "atom03";
    case kKindAtom10: return "atom10";
    case kKindJson: return "json";
  }
  return "unknown";
}

const char* ModeName(int mode) {
  if (mode <= 0) return "none";
  return mode == 1 ? "description" : "content";
}

std::string Utc(TimeValue t) {
  std::time_t tt = t;
  std::tm tm{};
  gmtime_r(&tt, &tm);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return buffer;
}

nlohmann::ordered_json StringList(const std::vector<std::string>& list) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (const std::string& s : list) array.push_back(AnsiToUtf8(s));
  return array;
}

// A value on its line: a line feed in it is shown as "\x0a" rather than starting a line that would
// look like another field or item (the other controls are made visible on output).
std::string OneLine(const std::string& value) {
  if (value.find('\n') == std::string::npos) return value;
  std::string out;
  for (char c : value) {
    if (c == '\n') out += "\\x0a";
    else out += c;
  }
  return out;
}

}  // namespace

std::string ShowText(const CVamelRssDoc& doc) {
  const CRssFile& p = doc.GetProject();
  std::string out;
  auto line = [&out](const char* label, const std::string& value) {
    std::string l = label;
    l.resize(18, ' ');
    out += l + OneLine(value) + "\n";
  };
  line("kind", KindName(doc.GetKind()));
  line("siteTitle", p.siteTitle);
  line("siteUrl", p.siteUrl);
  line("siteDescription", p.siteDescription);
  line("creator", p.creator);
  line("localFolder", p.localFolder);
  line("rssFileName", p.rssFileName);
  line("atomFileName", p.atomFileName);
  line("rssVersion", p.rssVersion == 0 ? "1.0" : "2.0");
  line("atomVersion", p.atomVersion == 0 ? "0.3" : "1.0");
  line("rssCount", std::to_string(p.rssCount));
  line("atomCount", std::to_string(p.atomCount));
  line("rssMode", ModeName(CRssFile::rssMode));
  line("atomMode", ModeName(CRssFile::atomMode));
  line("importMode", std::to_string(p.importMode));
  line("ftpHost", p.ftp.Host);
  line("ftpUser", p.ftp.User);
  line("ftpPassword", p.ftp.Pass.empty() ? "(not set)" : "(set)");
  line("ftpRemoteDir", p.ftp.RemoteDir);
  for (const std::string& f : p.excludedFiles) line("excludedFile", f);
  for (const std::string& f : p.excludedFolders) line("excludedFolder", f);
  // Extensions only when used: a classic project shows what it always showed.
  if (!p.ext.IsDefault()) line("extensions", Utf8ToAnsi(ExtensionValuesJson(p.ext, false)));
  line("items", std::to_string(p.GetSize()));
  for (int i = 0; i < p.GetSize(); ++i) {
    const CRssItem* item = p.GetAt(i);
    out += "  " + std::to_string(i + 1) + ". " + Utc(item->date) + "  " + OneLine(item->title) + "\n";
    out += "     " + OneLine(item->url) + "\n";
    if (!item->category.empty()) out += "     [" + OneLine(item->category) + "]\n";
    if (!item->ext.IsDefault()) out += "     " + Utf8ToAnsi(ExtensionValuesJson(item->ext, false)) + "\n";
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string ShowJson(const CVamelRssDoc& doc) {
  const CRssFile& p = doc.GetProject();
  nlohmann::ordered_json j;
  j["kind"] = doc.GetKind();
  j["siteTitle"] = AnsiToUtf8(p.siteTitle);
  j["siteUrl"] = AnsiToUtf8(p.siteUrl);
  j["siteDescription"] = AnsiToUtf8(p.siteDescription);
  j["creator"] = AnsiToUtf8(p.creator);
  j["rssFileName"] = AnsiToUtf8(p.rssFileName);
  j["atomFileName"] = AnsiToUtf8(p.atomFileName);
  j["localFolder"] = AnsiToUtf8(p.localFolder);
  j["rssCount"] = p.rssCount;
  j["atomCount"] = p.atomCount;
  j["rssVersion"] = p.rssVersion;
  j["atomVersion"] = p.atomVersion;
  j["importMode"] = p.importMode;
  j["reserved"] = p.reserved;
  j["rssMode"] = CRssFile::rssMode;
  j["atomMode"] = CRssFile::atomMode;
  j["feedId"] = AnsiToUtf8(p.feedId);
  j["ftp"] = {{"Name", AnsiToUtf8(p.ftp.Name)},
              {"Host", AnsiToUtf8(p.ftp.Host)},
              {"User", AnsiToUtf8(p.ftp.User)},
              {"passwordSet", !p.ftp.Pass.empty()},
              {"Text", p.ftp.Text},
              {"LocalDir", AnsiToUtf8(p.ftp.LocalDir)},
              {"ImageDir", AnsiToUtf8(p.ftp.ImageDir)},
              {"RemoteDir", AnsiToUtf8(p.ftp.RemoteDir)},
              {"Url", AnsiToUtf8(p.ftp.Url)},
              {"PreviewUrl", p.ftp.PreviewUrl}};
  j["excludedFiles"] = StringList(p.excludedFiles);
  j["excludedFolders"] = StringList(p.excludedFolders);
  j["extensions"] = nlohmann::ordered_json::parse(ExtensionValuesJson(p.ext, true));
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (int i = 0; i < p.GetSize(); ++i) {
    const CRssItem* item = p.GetAt(i);
    items.push_back({{"title", AnsiToUtf8(item->title)},
                     {"url", AnsiToUtf8(item->url)},
                     {"description", AnsiToUtf8(item->description)},
                     {"category", AnsiToUtf8(item->category)},
                     {"content", AnsiToUtf8(item->content)},
                     {"date", item->date},
                     {"published", item->published},
                     {"startTag", AnsiToUtf8(item->startTag)},
                     {"endTag", AnsiToUtf8(item->endTag)},
                     {"extensions", nlohmann::ordered_json::parse(ExtensionValuesJson(item->ext, true))}});
  }
  j["items"] = items;
  return j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
