// "更新通知": the values of the settings page for what follows an upload (the WebSub hubs, the check of
// the feeds the site serves), apart from any window.
#pragma once

#include <string>

#include "platform/user_message.h"

class CRssFile;

struct CNotifyPageValues {
  std::string hubs;  // one hub URL a line (CR LF or LF); blank lines do not count
  bool verifyUrl = false;

  void Load(const CRssFile& project);
  // Only when the hubs are valid (IsHubListField); else the project's hubs stay.
  void Store(CRssFile& project) const;
};

// Whether every non-blank line of the field is an http or https URL.
bool IsHubListField(const std::string& text);
// "WebSubのハブには ... を1行に1つ入力してください", shown when they are not.
CUserMessage NotAHubListMessage();
