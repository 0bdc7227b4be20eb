// What a podcast feed adds to RSS 2.0.
#include "feeds/podcast_tags.h"

#include <openssl/sha.h>

#include <cstdio>

#include "feeds/feed_text.h"
#include "feeds/feed_writer_support.h"
#include "feeds/feed_writers.h"
#include "model/podcast_categories.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "xml/vxml_element.h"

namespace {

// The podcast namespace's own UUID, the namespace of every podcast:guid.
constexpr unsigned char kGuidNamespace[16] = {0xea, 0xd4, 0xc2, 0x36, 0xbf, 0x58, 0x58, 0xc6,
                                              0xa2, 0xc6, 0xa6, 0xb2, 0x8d, 0x12, 0x8c, 0xb6};

// The feed URL as the namespace names it: no "scheme://", no "/" at the end.
std::string GuidName(const std::string& feedUrl) {
  std::string name = AnsiToUtf8(feedUrl);
  const std::size_t scheme = name.find("://");
  if (scheme != std::string::npos) name.erase(0, scheme + 3);
  while (!name.empty() && name.back() == '/') name.pop_back();
  return name;
}

}  // namespace

std::string PodcastGuid(const std::string& feedUrl) {
  const std::string name = GuidName(feedUrl);
  std::string input(reinterpret_cast<const char*>(kGuidNamespace), sizeof kGuidNamespace);
  input += name;
  unsigned char digest[SHA_DIGEST_LENGTH];
  SHA1(reinterpret_cast<const unsigned char*>(input.data()), input.size(), digest);
  digest[6] = static_cast<unsigned char>((digest[6] & 0x0F) | 0x50);  // version 5
  digest[8] = static_cast<unsigned char>((digest[8] & 0x3F) | 0x80);  // the RFC 4122 variant
  std::string guid;
  char hex[3];
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) guid += '-';
    std::snprintf(hex, sizeof hex, "%02x", digest[i]);
    guid += hex;
  }
  return guid;
}

void DeclarePodcastNamespaces(CVXMLElement& rss) {
  rss.SetAttribute("xmlns:itunes", kItunesNamespace);
  rss.SetAttribute("xmlns:podcast", kPodcastNamespace);
}

// Author, e-mail address and category are plain text, escaped for an element or an attribute alike.
void AppendPodcastChannelTags(CVXMLElement& channel, const CRssFile& project) {
  const CProjectExtensions& ext = project.ext;
  if (!ext.podcastAuthor.empty()) AddFeedElement(channel, "itunes:author", FeedEscapedText(ext.podcastAuthor));
  if (!ext.podcastAuthor.empty() || !ext.podcastOwnerEmail.empty()) {
    CVXMLElement* owner = AddFeedElement(channel, "itunes:owner");
    if (!ext.podcastAuthor.empty()) AddFeedElement(*owner, "itunes:name", FeedEscapedText(ext.podcastAuthor));
    if (!ext.podcastOwnerEmail.empty()) AddFeedElement(*owner, "itunes:email", FeedEscapedText(ext.podcastOwnerEmail));
  }
  if (!ext.podcastImage.empty()) AddFeedElement(channel, "itunes:image")->SetAttribute("href", FeedAttributeText(ext.podcastImage));
  if (!ext.podcastCategory.empty()) {
    std::string category, subcategory;
    SplitPodcastCategoryPath(ext.podcastCategory, category, subcategory);
    CVXMLElement* element = AddFeedElement(channel, "itunes:category");
    element->SetAttribute("text", FeedEscapedText(category));
    if (!subcategory.empty()) AddFeedElement(*element, "itunes:category")->SetAttribute("text", FeedEscapedText(subcategory));
  }
  // Apple reads "true" and "false" today; the project keeps the older "yes" and "no".
  if (!ext.podcastExplicit.empty()) AddFeedElement(channel, "itunes:explicit", ext.podcastExplicit == kPodcastYes ? "true" : "false");
  if (!ext.podcastType.empty()) AddFeedElement(channel, "itunes:type", ext.podcastType);
  AddFeedElement(channel, "podcast:guid", PodcastGuid(GetRssSelfUrl(project)));
  CVXMLElement* locked = AddFeedElement(channel, "podcast:locked", ext.podcastLocked ? kPodcastYes : kPodcastNo);
  if (!ext.podcastOwnerEmail.empty()) locked->SetAttribute("owner", FeedEscapedText(ext.podcastOwnerEmail));
}
