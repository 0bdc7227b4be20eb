#include "model/project_extensions.h"

#include "platform/url_parts.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool CProjectExtensions::IsDefault() const {
  return language == kDefaultFeedLanguage && !selfLinks && !fullText && !itemImages && !holdFuture &&
         siteImage.empty() && siteIcon.empty() && !jsonFeed && jsonFileName == kDefaultJsonFileName &&
         jsonCount == kDefaultJsonCount && websubHubs.empty() && !verifyUrl && sections.empty() && !podcast &&
         podcastAuthor.empty() && podcastOwnerEmail.empty() && podcastCategory.empty() && podcastExplicit.empty() &&
         podcastImage.empty() && podcastType.empty() && !podcastLocked && unknown.empty();
}

std::vector<CSectionFile> SectionFiles(const CFeedSection& section, bool jsonFeed) {
  std::vector<CSectionFile> files;
  if (!section.rssFileName.empty()) files.push_back({CSectionFile::Kind::kRss, section.rssFileName});
  if (!section.atomFileName.empty()) files.push_back({CSectionFile::Kind::kAtom, section.atomFileName});
  if (jsonFeed && !section.jsonFileName.empty()) files.push_back({CSectionFile::Kind::kJson, section.jsonFileName});
  return files;
}

bool IsLanguageTag(const std::string& tag) {
  std::size_t start = 0;
  for (bool first = true;; first = false) {
    std::size_t end = tag.find('-', start);
    if (end == std::string::npos) end = tag.size();
    const std::size_t length = end - start;
    if (length < 1 || length > 8) return false;
    for (std::size_t i = start; i < end; ++i) {
      if (!IsAsciiLetter(tag[i]) && (first || !IsAsciiDigit(tag[i]))) return false;
    }
    if (end == tag.size()) return true;
    start = end + 1;
  }
}

bool IsPodcastExplicitValue(const std::string& value) { return IndexOfValue(kPodcastExplicitValues, value) >= 0; }

bool IsPodcastTypeValue(const std::string& value) { return IndexOfValue(kPodcastTypeValues, value) >= 0; }

bool IsEpisodeTypeValue(const std::string& value) { return IndexOfValue(kEpisodeTypeValues, value) >= 0; }

bool IsPodcastEmailValue(const std::string& value) {
  if (value.empty()) return true;
  const std::size_t at = value.find('@');
  if (at == 0 || at == std::string::npos || at + 1 == value.size() || value.find('@', at + 1) != std::string::npos) return false;
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7F || c == '<' || c == '>' || c == '"' || c == ',' || c == ';') return false;
  }
  return true;
}

bool IsPodcastImageValue(const std::string& value) { return value.empty() || IsWebAddress(value); }
