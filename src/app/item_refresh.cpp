#include "app/item_refresh.h"

#include "app/interaction.h"
#include "harvest/page_mapping.h"
#include "harvest/page_reader.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "net/download_page.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "settings/options.h"

std::string RefreshQuestionText() { return Lit("HTMLファイルから最新の情報を得ます。よろしいですか？"); }

std::string RefreshDownloadQuestionText() {
  return Lit("ローカルファイルが見つかりません。ネット上のhtmlから最新の情報を得ます。よろしいですか？");
}

std::string DownloadWindowTitle() { return Lit("ダウンロード"); }

std::string CancelDownloadQuestionText() { return Lit("中止しますか？"); }

std::string NoUrlMessageText() { return Lit("URLが指定されていません。参照ボタンでhtmlファイルを指定してください"); }

std::string DuplicateUrlMessageText() {
  return Lit("このURLを持つアイテムがすでにあります。編集後、既存URLを削除するか、URLを変更してください。");
}

void CItemEditorValues::LoadFrom(const CRssItem& source) {
  title = source.title;
  url = source.url;
  category = source.category;
  description = source.description;
  content = source.content;
  date = source.date;
  image = source.ext.image;
  hidden = source.ext.hidden;
  enclosure = source.ext.enclosure;
  episode = source.ext.episode;
  season = source.ext.season;
  episodeType = source.ext.episodeType;
}

void CItemEditorValues::StoreInto(CRssItem& target) const {
  target.title = title;
  target.url = url;
  target.category = category;
  target.description = description;
  target.content = content;
  target.date = date;
  target.ext.image = image;
  target.ext.hidden = hidden;
  target.ext.enclosure = enclosure.url.empty() ? CEnclosure() : enclosure;
  target.ext.episode = episode;
  target.ext.season = season;
  target.ext.episodeType = episodeType;
}

namespace {

CUserMessage Question(const std::string& text) { return CUserMessage{text, MbButtons::YesNo, MbIcon::Question}; }

}  // namespace

void RefreshFromLocalFile(const CRssFile& project, CItemEditorValues& editor, const std::string& path, CInteraction& ui) {
  CRssItem scratch;
  if (editor.item) {
    scratch.startTag = editor.item->startTag;
    scratch.endTag = editor.item->endTag;
  }
  ReadPageIntoItem(project, editor.url, path, scratch);

  for (int i = 0; i < project.GetSize(); ++i) {
    const CRssItem* other = project.GetAt(i);
    if (other == editor.item) continue;
    if (other->url == scratch.url) {
      ui.Show(CUserMessage{DuplicateUrlMessageText()});
      break;
    }
  }

  editor.title = scratch.title;
  editor.url = scratch.url;
  editor.date = scratch.date;
  editor.description = scratch.description;
  editor.content = scratch.content;
  if (project.ext.itemImages) editor.image = scratch.ext.image;
}

RefreshOutcome RefreshItem(const CRssFile& project, CItemEditorValues& editor, CInteraction& ui, int downloadTimeout) {
  if (editor.url.empty()) {
    ui.Show(CUserMessage{NoUrlMessageText()});
    return RefreshOutcome::kNoUrl;
  }
  if (ui.Ask(QuestionId::kRefreshFromPage, Question(RefreshQuestionText())) == MbAnswer::No) {
    return RefreshOutcome::kDeclined;
  }
  const std::string local = UrlToLocalPath(project, editor.url);
  if (!local.empty() && FileExists(local)) {
    RefreshFromLocalFile(project, editor, local, ui);
    return RefreshOutcome::kRefreshed;
  }
  if (ui.Ask(QuestionId::kDownloadPage, Question(RefreshDownloadQuestionText())) == MbAnswer::No) {
    return RefreshOutcome::kNoLocalPage;
  }
  // The downloaded page stays in the private temporary folder until the program ends. The window's
  // "キャンセル" asks before it stops.
  CDownloadOptions options;
  options.totalTimeout = downloadTimeout > 0 ? downloadTimeout : GetDownloadTimeoutOption();
  options.confirmCancel = [&ui] {
    const CUserMessage question{CancelDownloadQuestionText(), MbButtons::OkCancel, MbIcon::Question};
    return ui.Ask(QuestionId::kCancelDownload, question) == MbAnswer::Ok;
  };
  const CResult<std::string> downloaded = DownloadPage(
      editor.url, PrivateTempFolder(), [&ui] { return ui.CreateProgress(DownloadWindowTitle(), true); }, options);
  ui.ShowAll(downloaded.messages);
  if (!downloaded || !FileExists(downloaded.value)) return RefreshOutcome::kDownloadFailed;
  RefreshFromLocalFile(project, editor, downloaded.value, ui);
  return RefreshOutcome::kRefreshed;
}

CMarkerTagValues MarkerTagsOf(const CRssFile& project, const CItemEditorValues& editor) {
  CMarkerTagValues values;
  const CRssItem* item = editor.item;
  const std::string start = item ? item->startTag : std::string(), end = item ? item->endTag : std::string();
  values.startTag = start.empty() ? CRssFile::GetDefaultStartTag() : start;
  values.endTag = end.empty() ? CRssFile::GetDefaultEndTag() : end;
  values.localFile = UrlToLocalPath(project, editor.url);
  return values;
}

void StoreMarkerTags(const CMarkerTagValues& values, CItemEditorValues& editor) {
  if (!editor.item) return;
  const std::string defaultStart = CRssFile::GetDefaultStartTag();
  const std::string defaultEnd = CRssFile::GetDefaultEndTag();
  editor.item->startTag = values.startTag == defaultStart ? std::string() : values.startTag;
  editor.item->endTag = values.endTag == defaultEnd ? std::string() : values.endTag;
}
