#include "model/extension_block.h"

#include <algorithm>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "model/project_extensions.h"
#include "model/rss_file.h"
#include "platform/json_depth.h"
#include "platform/text_codec.h"

using nlohmann::json;

namespace {

constexpr const char* kItemsKey = "items";

// The values of each kind, with the key in the block and the name the user is told (the label of its
// control on the settings page "拡張").
struct TextField {
  const char* key;
  const char* label;  // UTF-8
  std::string CProjectExtensions::*member;
  bool (*valid)(const std::string&);  // null: any text
};
struct FlagField {
  const char* key;
  const char* label;
  bool CProjectExtensions::*member;
};

struct CountField {
  const char* key;
  const char* label;
  int CProjectExtensions::*member;
};

bool IsFileNameText(const std::string& name) { return !name.empty(); }

const TextField kProjectTexts[] = {
    {"language", "フィードの言語", &CProjectExtensions::language, IsLanguageTag},
    {"siteImage", "サイトの画像", &CProjectExtensions::siteImage, nullptr},
    {"siteIcon", "サイトのアイコン", &CProjectExtensions::siteIcon, nullptr},
    {"jsonFileName", "JSON Feedのファイル名", &CProjectExtensions::jsonFileName, IsFileNameText},
    {"podcastAuthor", "ポッドキャストの作者", &CProjectExtensions::podcastAuthor, nullptr},
    {"podcastOwnerEmail", "ポッドキャストの所有者のメールアドレス", &CProjectExtensions::podcastOwnerEmail, nullptr},
    {"podcastCategory", "ポッドキャストのカテゴリ", &CProjectExtensions::podcastCategory, nullptr},
    {"podcastExplicit", "ポッドキャストの露骨な表現", &CProjectExtensions::podcastExplicit, IsPodcastExplicitValue},
    {"podcastImage", "ポッドキャストの画像", &CProjectExtensions::podcastImage, nullptr},
    {"podcastType", "ポッドキャストの種類", &CProjectExtensions::podcastType, IsPodcastTypeValue},
};
const FlagField kProjectFlags[] = {
    {"selfLinks", "RSS 2.0に自己参照リンクを入れる", &CProjectExtensions::selfLinks},
    {"fullText", "RSS 2.0に要約と全文を両方入れる", &CProjectExtensions::fullText},
    {"itemImages", "アイテムの画像を使う", &CProjectExtensions::itemImages},
    {"holdFuture", "日付が未来のアイテムはその日時まで載せない", &CProjectExtensions::holdFuture},
    {"verifyUrl", "転送のあとでサーバのフィードを確かめる", &CProjectExtensions::verifyUrl},
    {"jsonFeed", "JSON Feedを作成する", &CProjectExtensions::jsonFeed},
    {"podcast", "ポッドキャストのフィードにする", &CProjectExtensions::podcast},
    {"podcastLocked", "ほかのサービスへの移転を禁じる", &CProjectExtensions::podcastLocked},
};
const CountField kProjectCounts[] = {
    {"jsonCount", "JSON Feedの記事数", &CProjectExtensions::jsonCount},
};
// The WebSub hubs: an array of URLs.
constexpr const char* kHubsKey = "websubHubs";
constexpr const char* kHubsLabel = "WebSubのハブ";
// The sections: an array of objects.
constexpr const char* kSectionsKey = "sections";
constexpr const char* kSectionsLabel = "セクション";
constexpr const char* kRuleCategory = "category";
constexpr const char* kRuleFolder = "folder";

constexpr const char* kSectionJsonKey = "jsonFile";

json SectionObject(const CFeedSection& section, bool withDefaults) {
  json object{{"name", AnsiToUtf8(section.name)},
              {"rule", section.rule == CFeedSection::Rule::kFolder ? kRuleFolder : kRuleCategory},
              {"value", AnsiToUtf8(section.value)},
              {"rssFile", AnsiToUtf8(section.rssFileName)},
              {"atomFile", AnsiToUtf8(section.atomFileName)},
              {"title", AnsiToUtf8(section.titleSuffix)}};
  // Without a JSON Feed the section's object stays as earlier versions wrote it.
  if (withDefaults || !section.jsonFileName.empty()) object[kSectionJsonKey] = AnsiToUtf8(section.jsonFileName);
  return object;
}

// A section from its object: every member present and of its type, the rule one of the two.
bool ReadSection(const json& object, CFeedSection& section) {
  if (!object.is_object()) return false;
  std::string* texts[] = {&section.name, &section.value, &section.rssFileName, &section.atomFileName, &section.titleSuffix};
  const char* keys[] = {"name", "value", "rssFile", "atomFile", "title"};
  for (std::size_t i = 0; i < 5; ++i) {
    auto value = object.find(keys[i]);
    if (value == object.end() || !value->is_string()) return false;
    *texts[i] = Utf8ToAnsi(value->get<std::string>());
  }
  // Earlier versions wrote no JSON Feed file: a section without one has none.
  if (auto jsonFile = object.find(kSectionJsonKey); jsonFile != object.end()) {
    if (!jsonFile->is_string()) return false;
    section.jsonFileName = Utf8ToAnsi(jsonFile->get<std::string>());
  }
  auto rule = object.find("rule");
  if (rule == object.end() || !rule->is_string()) return false;
  if (*rule == kRuleFolder) section.rule = CFeedSection::Rule::kFolder;
  else if (*rule == kRuleCategory) section.rule = CFeedSection::Rule::kCategory;
  else return false;
  return !section.name.empty();
}
constexpr const char* kItemImageKey = "image";
// A message names at most this many values, and shows at most this much of a key.
constexpr std::size_t kMaxNamesShown = 20;
constexpr std::size_t kMaxKeyShown = 40;
constexpr const char* kItemHiddenKey = "hidden";
constexpr const char* kItemEnclosureKey = "enclosure";
constexpr const char* kItemEpisodeKey = "episode";
constexpr const char* kItemSeasonKey = "season";
constexpr const char* kItemEpisodeTypeKey = "episodeType";

json EnclosureObject(const CEnclosure& enclosure) {
  return json{{"url", AnsiToUtf8(enclosure.url)},
              {"length", enclosure.length},
              {"type", AnsiToUtf8(enclosure.type)},
              {"duration", enclosure.duration}};
}


void PutUint32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetUint32(std::string_view in, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
  return v;
}

void PutUnknown(json& object, const CUnknownValues& unknown) {
  for (const auto& [key, text] : unknown) {
    json value = json::parse(text, nullptr, false);
    if (!value.is_discarded()) object[key] = std::move(value);
  }
}

json ItemObject(const CItemExtensions& ext, bool withDefaults) {
  json object = json::object();
  PutUnknown(object, ext.unknown);
  if (withDefaults || !ext.image.empty()) object[kItemImageKey] = AnsiToUtf8(ext.image);
  if (withDefaults || ext.hidden) object[kItemHiddenKey] = ext.hidden;
  if (withDefaults || !ext.enclosure.IsDefault()) object[kItemEnclosureKey] = EnclosureObject(ext.enclosure);
  if (withDefaults || ext.episode != 0) object[kItemEpisodeKey] = ext.episode;
  if (withDefaults || ext.season != 0) object[kItemSeasonKey] = ext.season;
  if (withDefaults || !ext.episodeType.empty()) object[kItemEpisodeTypeKey] = ext.episodeType;
  return object;
}

json ProjectObject(const CProjectExtensions& ext, bool withDefaults) {
  json object = json::object();
  PutUnknown(object, ext.unknown);
  const CProjectExtensions defaults;
  for (const TextField& field : kProjectTexts) {
    if (withDefaults || ext.*field.member != defaults.*field.member) object[field.key] = AnsiToUtf8(ext.*field.member);
  }
  for (const FlagField& field : kProjectFlags) {
    if (withDefaults || ext.*field.member != defaults.*field.member) object[field.key] = ext.*field.member;
  }
  for (const CountField& field : kProjectCounts) {
    if (withDefaults || ext.*field.member != defaults.*field.member) object[field.key] = ext.*field.member;
  }
  if (withDefaults || !ext.websubHubs.empty()) {
    json hubs = json::array();
    for (const std::string& hub : ext.websubHubs) hubs.push_back(AnsiToUtf8(hub));
    object[kHubsKey] = std::move(hubs);
  }
  if (withDefaults || !ext.sections.empty()) {
    json sections = json::array();
    for (const CFeedSection& section : ext.sections) sections.push_back(SectionObject(section, withDefaults));
    object[kSectionsKey] = std::move(sections);
  }
  return object;
}

std::string Dump(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

// The longest start of `utf8` that is at most `bytes` long and ends on a character boundary.
std::string ValidUtf8Prefix(const std::string& utf8, std::size_t bytes) {
  while (bytes > 0 && (static_cast<unsigned char>(utf8[bytes]) & 0xC0) == 0x80) --bytes;
  return utf8.substr(0, bytes);
}

// A JSON integer that an int holds.
bool IntValue(const json& value, int& out) {
  if (value.is_number_unsigned()) {
    if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT32_MAX)) return false;
  } else if (!value.is_number_integer() || value.get<std::int64_t>() < INT32_MIN || value.get<std::int64_t>() > INT32_MAX) {
    return false;
  }
  out = static_cast<int>(value.get<std::int64_t>());
  return true;
}

// A JSON integer from 0 to INT64_MAX.
bool LengthValue(const json& value, std::int64_t& out) {
  if (value.is_number_unsigned()) {
    if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) return false;
  } else if (!value.is_number_integer() || value.get<std::int64_t>() < 0) {
    return false;
  }
  out = value.get<std::int64_t>();
  return true;
}

// An enclosure from its object: every member present and of its type, the numbers not negative.
bool ReadEnclosure(const json& object, CEnclosure& enclosure) {
  if (!object.is_object()) return false;
  auto url = object.find("url");
  auto length = object.find("length");
  auto type = object.find("type");
  auto duration = object.find("duration");
  if (url == object.end() || !url->is_string() || type == object.end() || !type->is_string()) return false;
  if (length == object.end() || !LengthValue(*length, enclosure.length)) return false;
  if (duration == object.end() || !IntValue(*duration, enclosure.duration) || enclosure.duration < 0) return false;
  enclosure.url = Utf8ToAnsi(url->get<std::string>());
  enclosure.type = Utf8ToAnsi(type->get<std::string>());
  return true;
}

bool IsKnownKey(const std::string& key) {
  if (key == kItemsKey || key == kHubsKey || key == kSectionsKey) return true;
  for (const TextField& field : kProjectTexts) {
    if (key == field.key) return true;
  }
  for (const FlagField& field : kProjectFlags) {
    if (key == field.key) return true;
  }
  for (const CountField& field : kProjectCounts) {
    if (key == field.key) return true;
  }
  return false;
}

std::string ItemLabel(std::size_t index, const char* what) {
  return Lit("アイテム ") + std::to_string(index + 1) + Lit(" の") + Lit(what);
}

// Reads one item's values from `object`; the names of the values reset go to `reset`.
void ReadItem(const json& object, std::size_t index, CItemExtensions& ext, std::vector<std::string>& reset) {
  for (const auto& [key, value] : object.items()) {
    if (key == kItemImageKey) {
      if (value.is_string()) ext.image = Utf8ToAnsi(value.get<std::string>());
      else reset.push_back(ItemLabel(index, "画像"));
    } else if (key == kItemHiddenKey) {
      if (value.is_boolean()) ext.hidden = value.get<bool>();
      else reset.push_back(ItemLabel(index, "「フィードに載せない」"));
    } else if (key == kItemEnclosureKey) {
      CEnclosure enclosure;
      if (ReadEnclosure(value, enclosure)) ext.enclosure = std::move(enclosure);
      else reset.push_back(ItemLabel(index, "添付ファイル"));
    } else if (key == kItemEpisodeKey || key == kItemSeasonKey) {
      int number = 0;
      if (IntValue(value, number) && number >= 0) (key == kItemEpisodeKey ? ext.episode : ext.season) = number;
      else reset.push_back(ItemLabel(index, key == kItemEpisodeKey ? "エピソード番号" : "シーズン番号"));
    } else if (key == kItemEpisodeTypeKey) {
      if (value.is_string() && IsEpisodeTypeValue(value.get<std::string>())) ext.episodeType = value.get<std::string>();
      else reset.push_back(ItemLabel(index, "エピソードの種類"));
    } else {
      ext.unknown[key] = Dump(value);
    }
  }
}

// The item index that a key of "items" names: decimal, without leading zeros, below `count`.
bool ParseIndex(const std::string& key, std::size_t count, std::size_t& index) {
  if (key.empty() || key.size() > 9 || (key.size() > 1 && key[0] == '0')) return false;
  index = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return false;
    index = index * 10 + static_cast<std::size_t>(c - '0');
  }
  return index < count;
}

// Items in index order, then the keys that name no item.
void ReadItems(const json& items, CRssFile& project, std::vector<std::string>& reset) {
  const std::size_t count = static_cast<std::size_t>(project.GetSize());
  for (std::size_t index = 0; index < count; ++index) {
    auto at = items.find(std::to_string(index));
    if (at == items.end()) continue;
    if (at->is_object()) ReadItem(*at, index, project.GetAt(static_cast<int>(index))->ext, reset);
    else reset.push_back(ItemLabel(index, "拡張設定"));
  }
  for (const auto& [key, value] : items.items()) {
    std::size_t index = 0;
    if (ParseIndex(key, count, index)) continue;
    // A key is shown as far as a message can hold it.
    const std::string shown = key.size() > kMaxKeyShown ? Utf8ToAnsi(ValidUtf8Prefix(key, kMaxKeyShown)) + "..." : Utf8ToAnsi(key);
    reset.push_back(Lit("アイテムの拡張設定「") + shown + Lit("」"));
  }
}

// Puts every value back to its default.
void ResetAll(CRssFile& project) {
  project.ext = CProjectExtensions();
  for (int i = 0; i < project.GetSize(); ++i) project.GetAt(i)->ext = CItemExtensions();
}

}  // namespace

std::string ExtensionValuesJson(const CProjectExtensions& ext, bool withDefaults) { return Dump(ProjectObject(ext, withDefaults)); }

std::string ExtensionValuesJson(const CItemExtensions& ext, bool withDefaults) { return Dump(ItemObject(ext, withDefaults)); }

std::string ExtensionBlockBytes(const CRssFile& project) {
  json root = ProjectObject(project.ext, false);
  json items = json::object();
  for (int i = 0; i < project.GetSize(); ++i) {
    const CItemExtensions& ext = project.GetAt(i)->ext;
    if (!ext.IsDefault()) items[std::to_string(i)] = ItemObject(ext, false);
  }
  if (!items.empty()) root[kItemsKey] = std::move(items);
  if (root.empty()) return std::string();

  const std::string values = Dump(root);
  std::string block(kExtensionTag, sizeof kExtensionTag);
  PutUint32(block, kExtensionVersion);
  PutUint32(block, static_cast<std::uint32_t>(values.size()));
  return block + values;
}

std::vector<std::string> ReadExtensionBlock(std::string_view rest, CRssFile& project) {
  std::vector<std::string> reset;
  if (rest.empty()) return reset;
  auto damaged = [&]() {
    ResetAll(project);
    return std::vector<std::string>{Lit("すべての拡張設定（プロジェクトとアイテム）")};
  };
  if (rest.size() < kExtensionHeaderBytes || rest.compare(0, sizeof kExtensionTag, std::string_view(kExtensionTag, sizeof kExtensionTag)) != 0) {
    return damaged();
  }
  if (GetUint32(rest, 8) != kExtensionVersion || GetUint32(rest, 12) != rest.size() - kExtensionHeaderBytes) return damaged();
  const std::string_view values = rest.substr(kExtensionHeaderBytes);
  if (values.size() > kMaxExtensionBytes || !IsValidUtf8AllPlanes(values) || JsonNestsDeeperThan(values, kMaxExtensionDepth)) return damaged();
  const json root = json::parse(values, nullptr, false);
  if (root.is_discarded() || !root.is_object()) return damaged();

  // Known values in the order of the settings page, then the items; the rest is kept as it is.
  CProjectExtensions& ext = project.ext;
  for (const TextField& field : kProjectTexts) {
    auto value = root.find(field.key);
    if (value == root.end()) continue;
    std::string text = value->is_string() ? Utf8ToAnsi(value->get<std::string>()) : std::string();
    if (value->is_string() && (!field.valid || field.valid(text))) ext.*field.member = std::move(text);
    else reset.push_back(Lit(field.label));
  }
  for (const FlagField& field : kProjectFlags) {
    auto value = root.find(field.key);
    if (value == root.end()) continue;
    if (value->is_boolean()) ext.*field.member = value->get<bool>();
    else reset.push_back(Lit(field.label));
  }
  for (const CountField& field : kProjectCounts) {
    auto value = root.find(field.key);
    if (value == root.end()) continue;
    int count = 0;
    if (IntValue(*value, count)) ext.*field.member = count;
    else reset.push_back(Lit(field.label));
  }
  if (auto hubs = root.find(kHubsKey); hubs != root.end()) {
    const bool strings = hubs->is_array() && std::all_of(hubs->begin(), hubs->end(), [](const json& v) { return v.is_string(); });
    if (strings) {
      for (const json& hub : *hubs) ext.websubHubs.push_back(Utf8ToAnsi(hub.get<std::string>()));
    } else {
      reset.push_back(Lit(kHubsLabel));
    }
  }
  if (auto sections = root.find(kSectionsKey); sections != root.end()) {
    std::vector<CFeedSection> read(sections->is_array() ? sections->size() : 0);
    bool sound = sections->is_array();
    for (std::size_t i = 0; sound && i < read.size(); ++i) sound = ReadSection((*sections)[i], read[i]);
    if (sound) ext.sections = std::move(read);
    else reset.push_back(Lit(kSectionsLabel));
  }
  if (auto items = root.find(kItemsKey); items != root.end()) {
    if (items->is_object()) ReadItems(*items, project, reset);
    else reset.push_back(Lit("すべてのアイテムの拡張設定"));
  }
  for (const auto& [key, value] : root.items()) {
    if (!IsKnownKey(key)) ext.unknown[key] = Dump(value);
  }
  return reset;
}

std::string ExtensionResetMessage(const std::vector<std::string>& resetValues) {
  std::string message = Lit("このプロジェクトの拡張設定の一部が壊れていたため、次の値を既定値に戻しました。"
                            "上書き保存すると正しい拡張設定が書き込まれます。\r\n");
  const std::size_t shown = std::min(resetValues.size(), kMaxNamesShown);
  for (std::size_t i = 0; i < shown; ++i) message += "\r\n" + Lit("・") + resetValues[i];
  if (shown < resetValues.size()) message += "\r\n" + Lit("・ほか ") + std::to_string(resetValues.size() - shown) + Lit(" 件");
  return message;
}
