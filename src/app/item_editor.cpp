#include "app/item_editor.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "app/enclosure_source.h"
#include "app/launch_commands.h"
#include "app/settings_page_values.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"

std::vector<std::string> EditorCategories(const CRssFile& project) {
  std::vector<std::string> categories;
  project.CollectCategories(categories);
  return categories;
}

bool EditorHasLocalFolder(const CRssFile& project) { return !project.localFolder.empty(); }

CFileDialogRequest LocalFileBrowseRequest() {
  CFileDialogRequest request;
  request.title = Lit("ローカルファイルの参照");
  request.filter = Lit("htmlﾌｧｲﾙ(*.htm*) |*.htm*| 全てのﾌｧｲﾙ(*.*) |*.*||");
  request.fileName = "*.htm*";
  request.defaultExt = "htm*";
  request.mustExist = true;
  return request;
}

void TakeLocalFile(const CRssFile& project, CItemEditorValues& values, const std::string& path, CInteraction& ui) {
  values.url = LocalPathToUrl(project, path);
  RefreshFromLocalFile(project, values, path, ui);
}

void SetEditorTimeToNow(CItemEditorValues& values) { values.date = CurrentTime(); }

void OpenEditorPage(const CRssFile& project, const std::string& url, CInteraction& ui) {
  OpenInHtmlEditor(ui, UrlToLocalPath(project, url));
}

void OpenMarkerTagPage(const CMarkerTagValues& values, CInteraction& ui) {
  if (!values.localFile.empty()) OpenInHtmlEditor(ui, values.localFile);
}

bool EditorDateTime(int year, int month, int day, int hour, int minute, int second, TimeValue& out) {
  long long t = 0;
  if (!LocalFieldsToTime(year, month, day, hour, minute, second, t)) return false;
  if (t < std::numeric_limits<TimeValue>::min() || t > std::numeric_limits<TimeValue>::max()) return false;
  out = static_cast<TimeValue>(t);
  return true;
}

CFileDialogRequest EnclosureBrowseRequest(const CRssFile& project, const std::string& enclosureUrl) {
  CFileDialogRequest request;
  request.title = Lit("添付ファイルの参照");
  request.filter = Lit("ﾒﾃﾞｨｱﾌｧｲﾙ(*.mp3;*.m4a;*.mp4;*.ogg;*.opus) |*.mp3;*.m4a;*.mp4;*.ogg;*.opus| 全てのﾌｧｲﾙ(*.*) |*.*||");
  request.mustExist = true;
  // A proposed path opens the chooser in its folder.
  const std::string local = UrlToLocalPath(project, enclosureUrl);
  if (!local.empty() && FileExists(local)) request.fileName = local;
  else if (!project.localFolder.empty()) request.fileName = JoinLocalPath(project.localFolder, "");
  return request;
}

bool TakeEnclosure(const CRssFile& project, CItemEditorValues& values, const std::string& source, CInteraction& ui) {
  return UseEnclosure(values, EnclosureFor(project, source), ui);
}

bool UseEnclosure(CItemEditorValues& values, const CResult<CEnclosure>& found, CInteraction& ui) {
  if (!found) {
    ui.ShowAll(found.messages);
    return false;
  }
  values.enclosure = found.value;
  const std::vector<CUserMessage> missing = MissingEnclosureFacts(found.value);
  if (!missing.empty()) {
    CUserMessage told = missing.front();
    for (auto it = std::next(missing.begin()); it != missing.end(); ++it) told.text += "\r\n" + it->text;
    ui.Show(told);
  }
  return true;
}

bool SettleEnclosureField(const CRssFile& project, CItemEditorValues& values, CInteraction& ui) {
  const std::string typed = values.enclosure.url;
  if (typed.empty()) {
    values.enclosure = CEnclosure();
    return true;
  }
  // The item's own URL, whatever its form, stays as it was.
  if (IsWebAddress(typed) || (values.item && typed == values.item->ext.enclosure.url)) return true;
  return TakeEnclosure(project, values, typed, ui);
}

bool ParseEnclosureNumbers(const std::string& length, const std::string& duration, CEnclosure& enclosure,
                           CUserMessage& error, int& which) {
  long long bytes = 0;
  int seconds = 0;
  const auto blank = [](const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; };
  if (!blank(length) && (!ParseLongField(length, bytes) || bytes < 0)) {
    which = 0;
  } else if (!blank(duration) && (!ParseIntegerField(duration, seconds) || seconds < 0)) {
    which = 1;
  } else {
    enclosure.length = bytes;
    enclosure.duration = seconds;
    return true;
  }
  error = CUserMessage{Lit("0以上の整数を入力してください。"), MbButtons::Ok, MbIcon::Exclamation};
  return false;
}

std::vector<std::string> EpisodeTypeEntries() {
  return {Lit("指定なし"), Lit("full（本編）"), Lit("trailer（予告）"), Lit("bonus（おまけ）")};
}

int EpisodeTypeEntryOf(const std::string& episodeType) { return std::max(0, IndexOfValue(kEpisodeTypeValues, episodeType)); }

std::string EpisodeTypeOfEntry(int entry) { return ValueAtIndex(kEpisodeTypeValues, entry); }
