// The Options dialog "設定" apart from its window: what it shows, how it checks the list height, and
// what OK stores.
#pragma once

#include <string>

#include "platform/user_message.h"
#include "settings/program_lookup.h"


struct COptionValues {
  int openLastFile = 1;       // "前回のファイルを開く(&O)": "System"/"InitFile"
  int listHeight = 50;        // the item list's share of the height, in percent
  std::string htmlEditor;     // "System"/"HtmlEditor"
  std::string rssViewer;      // "System"/"RssViewer"
  std::string startTag;       // the default marker tags
  std::string endTag;
  CProgramChoice foundEditor;  // the editor used when none is set
  std::string defaultViewer;   // the viewer used when none is set: the program associated with HTML

  // What a program field's text means, said under the field: where the program in effect comes from,
  // or what happens without one.
  std::string HtmlEditorNote(const std::string& field) const;
  std::string RssViewerNote(const std::string& field) const;

  // The options in effect: "InitFile", the marker defaults in memory, the effective HTML editor and
  // feed viewer, and this run's list height (the splitter may have changed it since start-up).
  void Load();
  // OK: "InitFile", both marker defaults (memory and store), "HtmlEditor" and "RssViewer" as entered
  // (an emptied field is stored empty), then this run's list height and "HeightPercent".
  void Store() const;
};

// The marker defaults of the profile become the project's (CRssFile's) in memory: when a project is
// built or reset to its defaults.
void LoadMarkerDefaults();

// The list height field: an integer from 1 to 99. Otherwise false, with the message to show:
// "整数を入力してください。" for no integer at all, "1 から 99 までの整数を入力してください。" else.
bool ParseListHeight(const std::string& text, int& percent, CUserMessage& error);
inline constexpr int kMinListHeight = 1;
inline constexpr int kMaxListHeight = 99;

// The programs in effect, whether stored or defaulted: what the dialog shows and the command line lists.
std::string EffectiveHtmlEditor();
std::string EffectiveRssViewer();

