// What a podcast feed adds to RSS 2.0: the namespaces, the channel's itunes: and podcast: tags, and the
// podcast:guid of a feed URL.
#pragma once

#include <string>

class CRssFile;
class CVXMLElement;

inline constexpr const char* kItunesNamespace = "http://www.itunes.com/dtds/podcast-1.0.dtd";
inline constexpr const char* kPodcastNamespace = "https://podcastindex.org/namespace/1.0";

// The podcast namespace's GUID of a feed: a UUID version 5 (SHA-1) of the feed URL without its scheme
// and its trailing slashes ("podnews.net/rss"), in the namespace ead4c236-bf58-58c6-a2c6-a6b28d128cb6;
// lower-case hexadecimal with hyphens.
std::string PodcastGuid(const std::string& feedUrl);

// Declares both namespaces on the rss element.
void DeclarePodcastNamespaces(CVXMLElement& rss);
// Appends the show's tags to the channel: itunes:author, itunes:owner (name and e-mail), itunes:image,
// itunes:category (nested), itunes:explicit ("true"/"false"), itunes:type where set, then podcast:guid
// of the RSS feed's URL and podcast:locked.
void AppendPodcastChannelTags(CVXMLElement& channel, const CRssFile& project);
