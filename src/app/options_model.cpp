#include "app/options_model.h"

#include "app/interaction.h"
#include "app/list_layout.h"
#include "app/settings_page_values.h"
#include "model/rss_file.h"
#include "settings/options.h"
#include "platform/text_codec.h"
#include "settings/program_lookup.h"

void COptionValues::Load() {
  openLastFile = GetInitFileOption();
  startTag = CRssFile::GetDefaultStartTag();
  endTag = CRssFile::GetDefaultEndTag();
  foundEditor = FindHtmlEditor();
  defaultViewer = GetDefaultHtmlProgram();
  htmlEditor = GetHtmlEditorOption(foundEditor.program);
  rssViewer = GetRssViewerOption(defaultViewer);
  listHeight = ListHeightPercent();
}

void COptionValues::Store() const {
  SetInitFileOption(openLastFile);
  CRssFile::SetDefaultStartTag(startTag);
  CRssFile::SetDefaultEndTag(endTag);
  SetDefaultStartTagOption(startTag);
  SetDefaultEndTagOption(endTag);
  SetHtmlEditorOption(htmlEditor);
  SetRssViewerOption(rssViewer);
  SetListHeightPercent(listHeight);
  SetHeightPercentOption(listHeight);
}

void LoadMarkerDefaults() {
  CRssFile::SetDefaultStartTag(GetDefaultStartTagOption());
  CRssFile::SetDefaultEndTag(GetDefaultEndTagOption());
}

std::string COptionValues::HtmlEditorNote(const std::string& field) const {
  if (field.empty()) return Lit("HTMLエディタがありません。エディタのプログラムを指定してください。");
  if (field != foundEditor.program) return Lit("指定したプログラムを使います。");
  switch (foundEditor.source) {
    case ProgramSource::kSibling: return Lit("Marrowpad を使います。");
    case ProgramSource::kDesktop: return Lit("デスクトップのHTMLの既定のエディタを使います。");
    case ProgramSource::kVisual: return Lit("環境変数 VISUAL のエディタを使います。");
    default: return Lit("このマシンで見つかったエディタを使います。");
  }
}

std::string COptionValues::RssViewerNote(const std::string& field) const {
  if (field.empty()) return Lit("空欄のときは、デスクトップが選ぶプログラムで開きます（xdg-open）。");
  if (field == defaultViewer) return Lit("HTMLファイルに関連付けられたプログラムを使います。");
  return Lit("指定したプログラムを使います。");
}

bool ParseListHeight(const std::string& text, int& percent, CUserMessage& error) {
  int value = 0;
  if (!ParseIntegerField(text, value)) {
    error = NotAnIntegerMessage();
    return false;
  }
  if (value < kMinListHeight || value > kMaxListHeight) {
    error = IntegerRangeMessage(kMinListHeight, kMaxListHeight);
    return false;
  }
  percent = value;
  return true;
}

std::string EffectiveHtmlEditor() { return GetHtmlEditorProgram(); }

std::string EffectiveRssViewer() { return GetRssViewerProgram(); }
