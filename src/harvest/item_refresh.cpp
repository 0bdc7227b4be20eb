#include "harvest/item_refresh.h"

#include "harvest/page_reader.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "net/download_page.h"
#include "platform/file_system.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"

std::string RefreshQuestionText() { return Lit("HTMLファイルから最新の情報を得ます。よろしいですか？"); }

std::string RefreshDownloadQuestionText() {
  return Lit("ローカルファイルが見つかりません。ネット上のhtmlから最新の情報を得ます。よろしいですか？");
}

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
}

void CItemEditorValues::StoreInto(CRssItem& target) const {
  target.title = title;
  target.url = url;
  target.category = category;
  target.description = description;
  target.content = content;
  target.date = date;
}

void RefreshFromLocalFile(const CRssFile& project, CItemEditorValues& editor, const std::string& path) {
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
      VamelMessageBox(DuplicateUrlMessageText(), MbButtons::Ok);
      break;
    }
  }

  editor.title = scratch.title;
  editor.url = scratch.url;
  editor.date = scratch.date;
  editor.description = scratch.description;
  editor.content = scratch.content;
}

RefreshOutcome RefreshItem(const CRssFile& project, CItemEditorValues& editor) {
  if (editor.url.empty()) {
    VamelMessageBox(NoUrlMessageText(), MbButtons::Ok);
    return RefreshOutcome::kNoUrl;
  }
  if (VamelMessageBox(RefreshQuestionText(), MbButtons::YesNo, MbIcon::Question) == MbAnswer::No) {
    return RefreshOutcome::kDeclined;
  }
  const std::string local = project.UrlToLocalPath(editor.url);
  if (!local.empty() && FileExists(local)) {
    RefreshFromLocalFile(project, editor, local);
    return RefreshOutcome::kRefreshed;
  }
  if (VamelMessageBox(RefreshDownloadQuestionText(), MbButtons::YesNo, MbIcon::Question) == MbAnswer::No) {
    return RefreshOutcome::kNoLocalPage;
  }
  // The downloaded page stays in the temporary folder.
  const std::string downloaded = DownloadPage(editor.url, TempFolder(), 1);
  if (downloaded.empty() || !FileExists(downloaded)) return RefreshOutcome::kDownloadFailed;
  RefreshFromLocalFile(project, editor, downloaded);
  return RefreshOutcome::kRefreshed;
}

bool EditItemTags(const CRssFile& project, CItemEditorValues& editor) {
  if (!editor.item) return false;
  CRssItem& item = *editor.item;
  const std::string defaultStart = CRssFile::GetDefaultStartTag();
  const std::string defaultEnd = CRssFile::GetDefaultEndTag();
  CMarkerTagValues values;
  values.startTag = item.startTag.empty() ? defaultStart : item.startTag;
  values.endTag = item.endTag.empty() ? defaultEnd : item.endTag;
  values.localFile = project.UrlToLocalPath(editor.url);
  if (!Interaction().RunMarkerTagDialog(values)) return false;
  item.startTag = values.startTag == defaultStart ? std::string() : values.startTag;
  item.endTag = values.endTag == defaultEnd ? std::string() : values.endTag;
  return true;
}
