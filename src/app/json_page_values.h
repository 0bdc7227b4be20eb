// "JSON Feed": the values of the settings page for the project's JSON Feed, apart from any window.
#pragma once

#include <string>

#include "platform/user_message.h"

class CRssFile;

struct CJsonPageValues {
  bool enabled = false;
  std::string fileName;
  int count = 0;

  void Load(const CRssFile& project);
  void Store(CRssFile& project) const;
};

// "JSON Feedのファイル名を入力してください", shown when the page is left with the feed on and no name.
CUserMessage JsonFileNameMissingMessage();
