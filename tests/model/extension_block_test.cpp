// The extension block after the project file's own data: absent while every value is a default,
// values that follow their items, unknown values kept, damage that costs only extension values, and the
// classic data of an extended file as an independent reader sees it.
#include <nlohmann/json.hpp>

#include "model/extension_block.h"
#include "model/project_file.h"
#include "model/rss_file.h"
#include "support/test_env.h"

namespace {

class ProjectExtensions : public VamelTest {};

void AddItem(CRssFile& project, const std::string& url) {
  auto item = std::make_unique<CRssItem>(1136163784);
  item->url = url;
  item->title = J("記事 ") + url;
  project.Add(std::move(item));
}

void BuildProject(CRssFile& project) {
  project.siteTitle = J("日記");
  project.siteUrl = "https://example.jp/";
  project.ftp.Pass = "secret";
  for (const char* url : {"https://example.jp/a.html", "https://example.jp/b.html", "https://example.jp/c.html"}) {
    AddItem(project, url);
  }
}

std::string Block(const std::string& values, std::uint32_t version = kExtensionVersion) {
  std::string block(kExtensionTag, sizeof kExtensionTag);
  for (std::uint32_t v : {version, static_cast<std::uint32_t>(values.size())}) {
    for (int i = 0; i < 4; ++i) block += static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  return block + values;
}

nlohmann::json BlockValues(const std::string& bytes, size_t classicSize) {
  return nlohmann::json::parse(bytes.substr(classicSize + kExtensionHeaderBytes));
}

const CRssItem* ItemByUrl(const CRssFile& project, const std::string& url) {
  int i = project.FindItemByUrl(url);
  return i < 0 ? nullptr : project.GetAt(i);
}

}  // namespace

TEST_F(ProjectExtensions, DefaultsWriteTheClassicBytesAndResettingAValueRemovesTheBlock) {
  CRssFile project;
  BuildProject(project);
  const std::string classic = SaveProjectBytes(project);
  EXPECT_EQ(ExtensionBlockBytes(project), "");

  const std::vector<std::function<void(bool)>> values = {
      [&](bool on) { project.ext.language = on ? "en-US" : "ja"; },
      [&](bool on) { project.ext.selfLinks = on; },
      [&](bool on) { project.ext.fullText = on; },
      [&](bool on) { project.ext.itemImages = on; },
      [&](bool on) { project.ext.holdFuture = on; },
      [&](bool on) { project.ext.siteImage = on ? "https://example.jp/logo.png" : ""; },
      [&](bool on) { project.ext.siteIcon = on ? "https://example.jp/icon.png" : ""; },
      [&](bool on) { project.GetAt(2)->ext.image = on ? J("https://example.jp/画像.png") : ""; },
      [&](bool on) { project.GetAt(1)->ext.hidden = on; },
      [&](bool on) { project.ext.verifyUrl = on; },
      [&](bool on) { project.ext.websubHubs = on ? std::vector<std::string>{"https://hub.example.jp/"} : std::vector<std::string>{}; },
      [&](bool on) {
        project.ext.sections.clear();
        if (on) project.ext.sections.push_back({J("日記"), CFeedSection::Rule::kFolder, "diary/", "d.rdf", "d.xml", J(" - 日記")});
      },
      [&](bool on) { project.ext.podcast = on; },
      [&](bool on) { project.ext.podcastCategory = on ? "Arts/Books" : ""; },
      [&](bool on) { project.ext.podcastExplicit = on ? kPodcastNo : ""; },
      [&](bool on) { project.GetAt(0)->ext.enclosure = on ? CEnclosure{"https://example.jp/a.mp3", 5, "audio/mpeg", 0} : CEnclosure(); },
      [&](bool on) { project.GetAt(0)->ext.season = on ? 2 : 0; },
  };
  for (size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE(i);
    values[i](true);
    const std::string extended = SaveProjectBytes(project);
    ASSERT_GT(extended.size(), classic.size());
    EXPECT_EQ(extended.substr(0, classic.size()), classic);
    EXPECT_EQ(extended.substr(classic.size(), sizeof kExtensionTag), std::string(kExtensionTag, sizeof kExtensionTag));
    // Only the value that differs from its default is written.
    EXPECT_EQ(BlockValues(extended, classic.size()).size(), 1u) << extended.substr(classic.size());
    values[i](false);
    EXPECT_EQ(SaveProjectBytes(project), classic);
  }

  // Through a real file as well.
  project.ext.fullText = true;
  const std::string path = TempPath("set.fpj");
  std::string message;
  ASSERT_TRUE(Did(SaveProjectFile(project, path), message)) << message;
  EXPECT_EQ(ReadFile(path), SaveProjectBytes(project));
  project.ext.fullText = false;
  ASSERT_TRUE(Did(SaveProjectFile(project, path), message)) << message;
  EXPECT_EQ(ReadFile(path), classic);
}

TEST_F(ProjectExtensions, ValuesRoundTripAndFollowTheirItemsThroughMoveSortDeleteAndInsert) {
  CRssFile project;
  BuildProject(project);
  project.ext.language = "zh-Hant-TW";
  project.ext.selfLinks = project.ext.fullText = project.ext.itemImages = project.ext.holdFuture = true;
  project.ext.siteImage = J("https://example.jp/ロゴ.png");
  project.ext.siteIcon = "https://example.jp/favicon.ico";
  project.GetAt(0)->ext.image = "https://example.jp/a.png";
  project.GetAt(1)->ext.hidden = true;
  project.GetAt(2)->ext.image = J("https://example.jp/寿司🍣.png");

  // Move a to the end, delete b, insert d first: values stay with a and c.
  project.Add(project.RemoveAt(0));
  project.DeleteAt(project.FindItemByUrl("https://example.jp/b.html"));
  auto d = std::make_unique<CRssItem>(0);
  d->url = "https://example.jp/d.html";
  project.InsertAt(0, std::move(d));

  const std::string bytes = SaveProjectBytes(project);
  CRssFile loaded;
  EXPECT_TRUE(LoadProjectBytes(loaded, bytes).empty());
  EXPECT_EQ(loaded.ext.language, "zh-Hant-TW");
  EXPECT_TRUE(loaded.ext.selfLinks && loaded.ext.fullText && loaded.ext.itemImages && loaded.ext.holdFuture);
  EXPECT_EQ(loaded.ext.siteImage, project.ext.siteImage);
  EXPECT_EQ(loaded.ext.siteIcon, project.ext.siteIcon);
  ASSERT_EQ(loaded.GetSize(), 3);
  EXPECT_TRUE(loaded.GetAt(0)->ext.IsDefault());
  EXPECT_EQ(ItemByUrl(loaded, "https://example.jp/a.html")->ext.image, "https://example.jp/a.png");
  EXPECT_EQ(ItemByUrl(loaded, "https://example.jp/c.html")->ext.image, project.GetAt(1)->ext.image);
  EXPECT_EQ(U(ItemByUrl(loaded, "https://example.jp/c.html")->ext.image), "https://example.jp/寿司🍣.png");
  EXPECT_EQ(SaveProjectBytes(loaded), bytes);

  // Reset and a new project's take-over carry the values too.
  CRssFile copy;
  copy.CopyFrom(loaded);
  EXPECT_EQ(copy.ext.language, "zh-Hant-TW");
  copy.Reset();
  EXPECT_TRUE(copy.ext.IsDefault());
}

TEST_F(ProjectExtensions, ValuesOfANewerVersionSurviveLoadAndSave) {
  CRssFile project;
  BuildProject(project);
  const std::string classic = SaveProjectBytes(project);
  const nlohmann::json values = {
      {"language", "fr"},
      {"syndication", {{"file", "feed.json"}, {"authors", {1, 2.5, nullptr, "x"}}}},
      {"chapters", nlohmann::json::array({"a", "b"})},
      {"items", {{"1", {{"podcast", {{"length", 123}}}, {"hidden", true}}}, {"2", {{"chapter", "三"}}}}},
  };
  CRssFile loaded;
  EXPECT_TRUE(LoadProjectBytes(loaded, classic + Block(values.dump())).empty());
  EXPECT_EQ(loaded.ext.language, "fr");
  EXPECT_TRUE(loaded.GetAt(1)->ext.hidden);
  EXPECT_EQ(loaded.GetAt(2)->ext.unknown.count("chapter"), 1u);
  // A value this version knows changes; the others come back unchanged, with their item.
  loaded.ext.selfLinks = true;
  loaded.InsertAt(0, loaded.RemoveAt(2));
  const std::string saved = SaveProjectBytes(loaded);
  nlohmann::json expected = values;
  expected["selfLinks"] = true;
  expected["items"] = {{"0", {{"chapter", "三"}}}, {"2", {{"podcast", {{"length", 123}}}, {"hidden", true}}}};
  EXPECT_EQ(BlockValues(saved, classic.size()), expected);
}

TEST_F(ProjectExtensions, DamagedBlocksCostOnlyExtensionValuesAndSayWhichInOneMessage) {
  CRssFile project;
  BuildProject(project);
  const std::string classic = SaveProjectBytes(project);
  const std::string good = Block(R"({"language":"en","items":{"0":{"hidden":true}}})");
  const std::string all = J("すべての拡張設定（プロジェクトとアイテム）");
  const std::string path = TempPath("damaged.fpj");

  auto load = [&](const std::string& rest, std::string& message) {
    WriteFile(path, classic + rest);
    CRssFile loaded;
    CResult<> result = LoadProjectFile(loaded, path);
    EXPECT_TRUE(result.Ok());
    EXPECT_LE(result.messages.size(), 1u);
    message = result.FirstText();
    // The project's own data is whole, and saving writes a sound block (or none).
    EXPECT_EQ(SaveProjectBytes(loaded).substr(0, classic.size()), classic);
    CRssFile again;
    EXPECT_TRUE(LoadProjectBytes(again, SaveProjectBytes(loaded)).empty());
    return SaveProjectBytes(loaded);
  };

  std::string badTag = good, longer = good, shorter = good + "x", nextVersion = good;
  badTag[1] = 'W';
  longer[12] = static_cast<char>(longer[12] + 1);
  nextVersion[8] = 2;
  std::string invalidUtf8 = Block("{\"siteImage\":\"\xFF\xFE\"}");
  const std::vector<std::pair<std::string, std::string>> wholesale = {
      {"bad tag", badTag},
      {"header cut short", good.substr(0, 11)},
      {"length beyond the file", longer},
      {"bytes after the block", shorter},
      {"another format version", nextVersion},
      {"invalid UTF-8", invalidUtf8},
      {"not JSON", Block("{\"language\":")},
      {"not an object", Block("[1,2]")},
      {"nested too deep", Block("{\"x\":" + std::string(100, '[') + std::string(100, ']') + "}")},
      {"junk", std::string(5000, '\0')},
  };
  for (const auto& [what, rest] : wholesale) {
    SCOPED_TRACE(what);
    std::string message;
    EXPECT_EQ(load(rest, message), classic);
    EXPECT_NE(message.find(all), std::string::npos) << U(message);
  }

  // Values of the wrong type: only those are reset, and named.
  const std::string mixed = Block(R"({"language":5,"selfLinks":"yes","siteImage":"https://example.jp/i.png",)"
                                  R"("fullText":true,"holdFuture":null,"siteIcon":"x","itemImages":1,)"
                                  R"("items":{"0":{"image":3,"hidden":true},"1":[],"2":{"hidden":"no"},"7":{},"01":{}}})");
  std::string message;
  const std::string saved = load(mixed, message);
  EXPECT_EQ(U(message),
            "このプロジェクトの拡張設定の一部が壊れていたため、次の値を既定値に戻しました。"
            "上書き保存すると正しい拡張設定が書き込まれます。\r\n"
            "\r\n・フィードの言語\r\n・RSS 2.0に自己参照リンクを入れる\r\n・アイテムの画像を使う\r\n・日付が未来のアイテムはその日時まで載せない"
            "\r\n・アイテム 1 の画像\r\n・アイテム 2 の拡張設定\r\n・アイテム 3 の「フィードに載せない」"
            "\r\n・アイテムの拡張設定「01」\r\n・アイテムの拡張設定「7」");
  EXPECT_EQ(BlockValues(saved, classic.size()),
            nlohmann::json::parse(R"({"fullText":true,"siteIcon":"x","siteImage":"https://example.jp/i.png",)"
                                  R"("items":{"0":{"hidden":true}}})"));
  // Many bad entries: twenty named, the rest counted; a long key shown in part.
  std::string many = "{\"items\":{";
  for (int i = 0; i < 30; ++i) many += "\"" + std::to_string(100 + i) + "\":{},";
  many += "\"0" + std::string(59, 'k') + "\":{}}}";  // sorts first
  load(Block(many), message);
  EXPECT_NE(U(message).find("・アイテムの拡張設定「0" + std::string(39, 'k') + "...」"), std::string::npos) << U(message);
  EXPECT_NE(U(message).find("\r\n・ほか 11 件"), std::string::npos) << U(message);
  // A language that is no language tag.
  load(Block(R"({"language":"en_US!"})"), message);
  EXPECT_NE(U(message).find("・フィードの言語"), std::string::npos);

  // Hubs and sections of the wrong shape: each reset whole, and named.
  const std::string shapes = load(Block(R"({"websubHubs":["https://hub.example.jp/",3],"verifyUrl":"on",)"
                                        R"("sections":[{"name":"a","rule":"folder","value":"a/","rssFile":"a.rdf","atomFile":"a.xml","title":""},)"
                                        R"({"name":"b","rule":"tag","value":"b","rssFile":"","atomFile":"","title":""}]})"),
                                  message);
  EXPECT_NE(U(message).find("・WebSubのハブ"), std::string::npos) << U(message);
  EXPECT_NE(U(message).find("・転送のあとでサーバのフィードを確かめる"), std::string::npos) << U(message);
  EXPECT_NE(U(message).find("・セクション"), std::string::npos) << U(message);
  EXPECT_EQ(shapes, classic);
  // Sound sections and hubs come back as they were written.
  CRssFile sectioned;
  BuildProject(sectioned);
  sectioned.ext.websubHubs = {"https://hub.example.jp/", "http://hub2.example.jp/?a=1&b=2"};
  sectioned.ext.sections = {{J("日記"), CFeedSection::Rule::kFolder, "diary/", "d.rdf", "", J(" - 日記")},
                            {"news", CFeedSection::Rule::kCategory, J("お知らせ"), "", "n.xml", ""}};
  sectioned.ext.sections[0].jsonFileName = "d.json";
  CRssFile reloaded;
  EXPECT_TRUE(LoadProjectBytes(reloaded, SaveProjectBytes(sectioned)).empty());
  EXPECT_EQ(reloaded.ext.websubHubs, sectioned.ext.websubHubs);
  EXPECT_EQ(reloaded.ext.sections, sectioned.ext.sections);
  // A section without a JSON Feed file, as earlier versions wrote every section, loads and is written
  // back without the key.
  const nlohmann::json older = nlohmann::json::parse(
      R"({"sections":[{"name":"a","rule":"folder","value":"a/","rssFile":"a.rdf","atomFile":"a.xml","title":""}]})");
  EXPECT_EQ(BlockValues(load(Block(older.dump()), message), classic.size()), older);
  EXPECT_EQ(message, "");

  // A sound block says nothing.
  load(good, message);
  EXPECT_EQ(message, "");
}

TEST_F(ProjectExtensions, AnIndependentReaderSeesTheClassicDataOfAnExtendedFileUnchanged) {
  CRssFile project;
  BuildProject(project);
  project.GetAt(0)->content = std::string(300, 'x');
  const std::string classicPath = TempPath("classic.fpj"), extendedPath = TempPath("extended.fpj");
  std::string message;
  ASSERT_TRUE(Did(SaveProjectFile(project, classicPath), message)) << message;
  project.ext.language = "en";
  project.ext.siteImage = "https://example.jp/logo.png";
  project.GetAt(1)->ext.hidden = true;
  ASSERT_TRUE(Did(SaveProjectFile(project, extendedPath), message)) << message;

  auto read = [](const std::string& path) {
    std::string out;
    EXPECT_EQ(RunCommand("/usr/bin/python3 " VAMELRSS_SOURCE_DIR "/tests/support/fpj_reader.py '" + path + "' 2>&1", &out), 0)
        << out;
    return nlohmann::json::parse(out);
  };
  const nlohmann::json classic = read(classicPath), extended = read(extendedPath);
  EXPECT_EQ(extended["fields"], classic["fields"]);
  EXPECT_EQ(extended["end"], ReadFile(classicPath).size());
  EXPECT_EQ(ReadFile(extendedPath).substr(extended["end"].get<size_t>(), sizeof kExtensionTag),
            std::string(kExtensionTag, sizeof kExtensionTag));
  ASSERT_EQ(classic["fields"].size(), 32u);  // the 28 rows of settings, the count and three items
  EXPECT_EQ(classic["fields"][1], "93fa8b4c");  // 日記 in code page 932
}

TEST_F(ProjectExtensions, LanguageTags) {
  for (const char* tag : {"ja", "en-US", "zh-Hant-TW", "de-CH-1996", "x-private"}) EXPECT_TRUE(IsLanguageTag(tag)) << tag;
  for (const char* tag : {"", "en_US", "en-", "-en", "toolongtag", "1en", "en--US", "日本"}) EXPECT_FALSE(IsLanguageTag(tag)) << tag;
}

TEST_F(ProjectExtensions, JsonFeedValuesRoundTripAndBadOnesAreResetByName) {
  CRssFile project;
  BuildProject(project);
  project.ext.jsonFeed = true;
  project.ext.jsonFileName = J("フィード.json");
  project.ext.jsonCount = -1;
  CRssFile loaded;
  EXPECT_TRUE(LoadProjectBytes(loaded, SaveProjectBytes(project)).empty());
  EXPECT_TRUE(loaded.ext.jsonFeed);
  EXPECT_EQ(loaded.ext.jsonFileName, project.ext.jsonFileName);
  EXPECT_EQ(loaded.ext.jsonCount, -1);

  CRssFile classic;
  BuildProject(classic);
  const std::string bytes = SaveProjectBytes(classic);
  for (const char* values : {R"({"jsonFeed":"on"})", R"({"jsonFileName":""})", R"({"jsonCount":4294967296})",
                             R"({"jsonCount":18446744073709551615})", R"({"jsonCount":-2147483649})", R"({"jsonCount":1.5})"}) {
    SCOPED_TRACE(values);
    CRssFile damaged;
    const std::vector<std::string> reset = LoadProjectBytes(damaged, bytes + Block(values));
    ASSERT_EQ(reset.size(), 1u);
    EXPECT_NE(U(reset[0]).find("JSON Feed"), std::string::npos) << U(reset[0]);
    EXPECT_TRUE(damaged.ext.IsDefault());
  }
}

TEST_F(ProjectExtensions, PodcastValuesRoundTripAndBadOnesAreResetByName) {
  CRssFile project;
  BuildProject(project);
  project.ext.podcast = true;
  project.ext.podcastAuthor = J("山田");
  project.ext.podcastOwnerEmail = "owner@example.jp";
  project.ext.podcastCategory = "Arts/Books";
  project.ext.podcastExplicit = kPodcastYes;
  project.ext.podcastImage = "https://example.jp/show.jpg";
  project.ext.podcastType = "serial";
  project.ext.podcastLocked = true;
  CItemExtensions& episode = project.GetAt(1)->ext;
  episode.enclosure = {J("https://example.jp/第1回.mp3"), 5'000'000'000LL, "audio/mpeg", 3723};
  episode.episode = 12;
  episode.season = 3;
  episode.episodeType = "trailer";
  CRssFile loaded;
  EXPECT_TRUE(LoadProjectBytes(loaded, SaveProjectBytes(project)).empty());
  EXPECT_EQ(SaveProjectBytes(loaded), SaveProjectBytes(project));
  EXPECT_EQ(loaded.GetAt(1)->ext.enclosure, episode.enclosure);
  EXPECT_EQ(loaded.ext.podcastType, "serial");

  CRssFile classic;
  BuildProject(classic);
  const std::string bytes = SaveProjectBytes(classic);
  for (const char* values : {R"({"podcastExplicit":"clean"})", R"({"podcastType":3})",
                             R"({"items":{"0":{"enclosure":{"url":"a","length":-1,"type":"","duration":0}}}})",
                             R"({"items":{"0":{"enclosure":{"url":"a","length":18446744073709551615,"type":"","duration":0}}}})",
                             R"({"items":{"0":{"enclosure":{"url":"a","length":1,"type":"","duration":-1}}}})",
                             R"({"items":{"0":{"enclosure":{"url":"a","length":1,"type":""}}}})",
                             R"({"items":{"0":{"episode":-3}}})", R"({"items":{"0":{"episodeType":"pilot"}}})"}) {
    SCOPED_TRACE(values);
    CRssFile damaged;
    const std::vector<std::string> reset = LoadProjectBytes(damaged, bytes + Block(values));
    ASSERT_EQ(reset.size(), 1u);
    EXPECT_TRUE(damaged.ext.IsDefault());
    EXPECT_TRUE(damaged.GetAt(0)->ext.IsDefault());
  }
}
