// Refreshing the item that the item editor holds from its page, and the item's own marker tags.
//
// The editor's state is a plain record: the edited item and one value per field. The desktop dialog
// transfers its controls into the values before each call and shows the values again afterwards; the
// command line fills the values from an item and stores them back as the dialog's OK would.
#pragma once

#include <string>

#include "model/project_extensions.h"
#include "platform/clock.h"

class CInteraction;
class CRssFile;
class CRssItem;

struct CItemEditorValues {
  CRssItem* item = nullptr;  // the item being edited (not owned); its marker tags are used
  std::string url;
  std::string title;
  std::string category;
  std::string description;
  std::string content;
  TimeValue date = 0;  // the date and the time picker together
  std::string image;    // the item's image URL (an extension value)
  bool hidden = false;  // kept out of every feed (an extension value)
  CEnclosure enclosure;     // the media file the item carries (extension values from here on)
  int episode = 0;          // 0 not said
  int season = 0;           // 0 not said
  std::string episodeType;  // "", "full", "trailer", "bonus"

  // The editor's opening: the values take the item's fields.
  void LoadFrom(const CRssItem& source);
  // The editor's OK: title, URL, category, description, content, date, image, the hidden mark, the
  // enclosure (none without its URL) and the episode values go into the item.
  void StoreInto(CRssItem& target) const;
};

// Refills the values from the page file at `path`, read into a scratch item that has the edited item's
// marker tags and the URL value. Shows "このURLを持つアイテムがすでにあります。..." once when another
// item of the project has that URL, and refills regardless. The category stays, and so does the image
// unless the project takes items' images from their pages.
void RefreshFromLocalFile(const CRssFile& project, CItemEditorValues& editor, const std::string& path, CInteraction& ui);

enum class RefreshOutcome {
  kRefreshed,       // the values were refilled (from the local page or a downloaded one)
  kNoUrl,           // the URL value is empty (the message said so)
  kDeclined,        // the user answered No to the first question
  kNoLocalPage,     // no local page, and the user declined the download
  kDownloadFailed,  // the download failed (its message has been shown) or was cancelled
};

// The item editor's "取り込み(&U)..." command: asks, then refreshes from the local page, or downloads
// the page into the process's private temporary folder after a second question when there is no local
// page. The download may take `downloadTimeout` seconds in all (0: the option "DownloadTimeout").
RefreshOutcome RefreshItem(const CRssFile& project, CItemEditorValues& editor, CInteraction& ui,
                           int downloadTimeout = 0);

// The marker tag dialog ("更新内容指定タグ"): the two tags an item's page is harvested between, and the
// local page that its "ローカルファイルを開く(&R)" button opens ("" disables the button).
struct CMarkerTagValues {
  std::string startTag;
  std::string endTag;
  std::string localFile;
};

// The item editor's "更新内容指定タグ(&Y)..." command: the dialog opens on the edited item's tags (empty
// ones shown as the defaults) and its local page; on OK the tags go into the item at once, a tag equal
// to the current default stored empty, so that the item keeps following the default.
CMarkerTagValues MarkerTagsOf(const CRssFile& project, const CItemEditorValues& editor);
void StoreMarkerTags(const CMarkerTagValues& values, CItemEditorValues& editor);

// The questions and messages of the refresh, as shown (internal text).
std::string RefreshQuestionText();        // "HTMLファイルから最新の情報を得ます。よろしいですか？"
std::string RefreshDownloadQuestionText();  // "ローカルファイルが見つかりません。..."
std::string NoUrlMessageText();           // "URLが指定されていません。..."
std::string DuplicateUrlMessageText();    // "このURLを持つアイテムがすでにあります。..."
std::string DownloadWindowTitle();        // "ダウンロード"
std::string CancelDownloadQuestionText();  // "中止しますか？", asked when the download window's "キャンセル" is pressed
