#include "app/podcast_page_values.h"

#include <algorithm>

#include "model/podcast_categories.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"

namespace {

// The category entries of the tree: none, then every path.
std::vector<std::string> TreeEntries() {
  std::vector<std::string> entries = PodcastCategoryPaths();
  entries.insert(entries.begin(), std::string());
  return entries;
}

}  // namespace

CPodcastPageValues::CPodcastPageValues() : categories(TreeEntries()) {}

void CPodcastPageValues::Load(const CRssFile& project) {
  const CProjectExtensions& ext = project.ext;
  enabled = ext.podcast;
  author = ext.podcastAuthor;
  ownerEmail = ext.podcastOwnerEmail;
  image = ext.podcastImage;
  categories = TreeEntries();
  auto at = std::find(categories.begin(), categories.end(), ext.podcastCategory);
  if (at == categories.end()) at = categories.insert(categories.end(), ext.podcastCategory);
  category = static_cast<int>(at - categories.begin());
  explicitness = std::max(0, IndexOfValue(kPodcastExplicitValues, ext.podcastExplicit));
  type = std::max(0, IndexOfValue(kPodcastTypeValues, ext.podcastType));
  locked = ext.podcastLocked;
}

void CPodcastPageValues::Store(CRssFile& project) const {
  CProjectExtensions& ext = project.ext;
  ext.podcast = enabled;
  ext.podcastAuthor = author;
  if (IsPodcastEmailValue(ownerEmail)) ext.podcastOwnerEmail = ownerEmail;
  if (IsPodcastImageValue(image)) ext.podcastImage = image;
  if (category >= 0 && static_cast<std::size_t>(category) < categories.size()) ext.podcastCategory = categories[category];
  ext.podcastExplicit = ValueAtIndex(kPodcastExplicitValues, explicitness);
  ext.podcastType = ValueAtIndex(kPodcastTypeValues, type);
  ext.podcastLocked = locked;
}

std::vector<std::string> CPodcastPageValues::CategoryLabels() const {
  std::vector<std::string> labels = categories;
  if (!labels.empty() && labels[0].empty()) labels[0] = Lit("（なし）");
  return labels;
}

std::vector<std::string> PodcastExplicitLabels() { return {Lit("指定しない"), Lit("あり (yes)"), Lit("なし (no)")}; }

std::vector<std::string> PodcastTypeLabels() {
  return {Lit("指定しない"), Lit("エピソード形式 (episodic)"), Lit("連続形式 (serial)")};
}

CUserMessage PodcastOwnerEmailMessage() {
  return CUserMessage{Lit("ポッドキャストの所有者のメールアドレスには owner@example.jp のようなアドレスを入力してください"),
                      MbButtons::Ok, MbIcon::Exclamation};
}

CUserMessage PodcastImageMessage() {
  return CUserMessage{Lit("ポッドキャストの画像には http:// か https:// で始まるURLを入力してください"), MbButtons::Ok,
                      MbIcon::Exclamation};
}
