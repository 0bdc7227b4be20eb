#include "app/options_model.h"

#include "app/interaction.h"
#include "app/list_layout.h"
#include "app/settings_pages.h"
#include "model/rss_file.h"
#include "settings/options.h"
#include "settings/program_lookup.h"

void COptionValues::Load() {
  openLastFile = GetInitFileOption();
  startTag = CRssFile::GetDefaultStartTag();
  endTag = CRssFile::GetDefaultEndTag();
  htmlEditor = EffectiveHtmlEditor();
  rssViewer = EffectiveRssViewer();
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

bool RunOptionsCommand(CInteraction& ui) {
  COptionValues values;
  values.Load();
  if (!ui.RunOptionsDialog(values)) return false;
  values.Store();
  return true;
}
