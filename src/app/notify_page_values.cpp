#include "app/notify_page_values.h"

#include <algorithm>
#include <vector>

#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"

namespace {

// The non-blank lines of the field, each without the blanks around it.
std::vector<std::string> HubLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first != std::string::npos) lines.push_back(line.substr(first, line.find_last_not_of(" \t\r") + 1 - first));
    start = end + 1;
  }
  return lines;
}

}  // namespace

void CNotifyPageValues::Load(const CRssFile& project) {
  hubs.clear();
  for (const std::string& hub : project.ext.websubHubs) hubs += hub + "\r\n";
  verifyUrl = project.ext.verifyUrl;
}

void CNotifyPageValues::Store(CRssFile& project) const {
  if (IsHubListField(hubs)) project.ext.websubHubs = HubLines(hubs);
  project.ext.verifyUrl = verifyUrl;
}

bool IsHubListField(const std::string& text) {
  const std::vector<std::string> lines = HubLines(text);
  return std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return IsWebAddress(line); });
}

CUserMessage NotAHubListMessage() {
  return CUserMessage{Lit("WebSubのハブには http:// か https:// で始まるURLを1行に1つ入力してください"), MbButtons::Ok,
                      MbIcon::Exclamation};
}
