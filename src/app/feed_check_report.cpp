#include "app/feed_check_report.h"

#include "platform/text_codec.h"

int CFeedCheckReport::ErrorCount() const {
  int count = 0;
  for (const CFeedCheckEntry& feed : feeds) count += feed.result.ErrorCount();
  return count;
}

int CFeedCheckReport::WarningCount() const {
  int count = 0;
  for (const CFeedCheckEntry& feed : feeds) count += feed.result.WarningCount();
  return count;
}

CFeedCheckReport CheckWrittenFeeds(const std::vector<std::string>& paths) {
  CFeedCheckOptions options;
  options.language = CheckLanguage::Japanese;
  options.useSchema = !FindAtomSchema(options).empty();
  CFeedCheckReport report;
  for (const std::string& path : paths) report.feeds.push_back({path, CheckFeedFile(path, options)});
  return report;
}

std::string FeedCheckSummary(const CFeedCheckReport& report) {
  return Lit("フィードの検査: エラー ") + std::to_string(report.ErrorCount()) + Lit(" 件、警告 ") +
         std::to_string(report.WarningCount()) + Lit(" 件");
}
