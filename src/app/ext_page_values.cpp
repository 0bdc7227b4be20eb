#include "app/ext_page_values.h"

#include "model/rss_file.h"
#include "platform/text_codec.h"

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

}  // namespace

void CExtPageValues::Load(const CRssFile& project) {
  language = project.ext.language;
  selfLinks = project.ext.selfLinks;
  fullText = project.ext.fullText;
  itemImages = project.ext.itemImages;
  holdFuture = project.ext.holdFuture;
  siteImage = project.ext.siteImage;
  siteIcon = project.ext.siteIcon;
}

void CExtPageValues::Store(CRssFile& project) const {
  // The page validates the field; a value that is still no tag keeps the project's language.
  if (IsLanguageField(language)) project.ext.language = Trimmed(language);
  project.ext.selfLinks = selfLinks;
  project.ext.fullText = fullText;
  project.ext.itemImages = itemImages;
  project.ext.holdFuture = holdFuture;
  project.ext.siteImage = Trimmed(siteImage);
  project.ext.siteIcon = Trimmed(siteIcon);
}

bool IsLanguageField(const std::string& text) { return IsLanguageTag(Trimmed(text)); }

CUserMessage NotALanguageTagMessage() {
  return CUserMessage{Lit("言語タグを入力してください。（例: ja、en、en-US）"), MbButtons::Ok, MbIcon::Exclamation};
}
