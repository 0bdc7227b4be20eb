// "拡張": the values of the settings page for the project's extensions (feed language, self links,
// summary beside full text, item images, site image and icon, held-back items), apart from any window.
#pragma once

#include <string>

#include "platform/user_message.h"

class CRssFile;

struct CExtPageValues {
  std::string language;
  bool selfLinks = false;
  bool fullText = false;
  bool itemImages = false;
  bool holdFuture = false;
  std::string siteImage;
  std::string siteIcon;

  void Load(const CRssFile& project);
  void Store(CRssFile& project) const;
};

// Whether the language field holds a language tag (blanks around it do not count).
bool IsLanguageField(const std::string& text);
// "言語タグを入力してください。...", shown when it does not.
CUserMessage NotALanguageTagMessage();
