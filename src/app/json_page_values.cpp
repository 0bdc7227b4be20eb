#include "app/json_page_values.h"

#include "model/rss_file.h"
#include "platform/text_codec.h"

void CJsonPageValues::Load(const CRssFile& project) {
  enabled = project.ext.jsonFeed;
  fileName = project.ext.jsonFileName;
  count = project.ext.jsonCount;
}

void CJsonPageValues::Store(CRssFile& project) const {
  project.ext.jsonFeed = enabled;
  // The file keeps a name even while the field is empty and the feed off.
  project.ext.jsonFileName = fileName.empty() ? kDefaultJsonFileName : fileName;
  project.ext.jsonCount = count;
}

CUserMessage JsonFileNameMissingMessage() {
  return CUserMessage{Lit("JSON Feedのファイル名を入力してください"), MbButtons::Ok, MbIcon::Exclamation};
}
