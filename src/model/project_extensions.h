// Values beyond the classic project file: settings of the project and values of each item that the
// extension block after the file's own data carries. Their defaults give the classic project and the
// classic feeds; a value this version does not know is kept, as JSON text, and written back unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Keys this version does not know, each with its value as JSON text (UTF-8).
using CUnknownValues = std::map<std::string, std::string>;

inline constexpr const char* kDefaultFeedLanguage = "ja";
inline constexpr const char* kDefaultJsonFileName = "feed.json";
inline constexpr int kDefaultJsonCount = 20;

// A section of the site with feeds of its own: the items of one category, or those whose URL lies below
// one folder of the site. Its feeds are written beside the project's, in the same formats.
struct CFeedSection {
  enum class Rule { kCategory, kFolder };
  std::string name;                 // "日記"
  Rule rule = Rule::kCategory;
  std::string value;                // the category, or the folder below the site URL ("diary/")
  std::string rssFileName;          // "" writes no RSS file for the section
  std::string atomFileName;         // "" writes no Atom file
  std::string titleSuffix;          // the feeds' title is the site title followed by this
  std::string jsonFileName = {};    // "" writes no JSON Feed; one is written only while the project's is on

  bool operator==(const CFeedSection& other) const {
    return name == other.name && rule == other.rule && value == other.value && rssFileName == other.rssFileName &&
           atomFileName == other.atomFileName && jsonFileName == other.jsonFileName && titleSuffix == other.titleSuffix;
  }
};

// One feed file of a section that is written and published.
struct CSectionFile {
  enum class Kind { kRss, kAtom, kJson };
  Kind kind;
  std::string name;
};
// The section's feed files: its RSS and Atom files, and its JSON Feed while `jsonFeed` (the project's
// switch) is on; a format without a file name has none.
std::vector<CSectionFile> SectionFiles(const CFeedSection& section, bool jsonFeed);

struct CProjectExtensions {
  std::string language = kDefaultFeedLanguage;  // the feeds' declared language (a BCP 47 tag)
  bool selfLinks = false;   // RSS 2.0 carries an atom:link rel="self"
  bool fullText = false;    // RSS 2.0 carries the description and the content side by side
  bool itemImages = false;  // harvesting takes an item's image; RSS 2.0 and Atom 1.0 carry it
  bool holdFuture = false;  // items dated in the future stay out of the feeds until their date
  std::string siteImage;    // the site's image (RSS channel image, Atom logo); "" none
  std::string siteIcon;     // the site's icon (Atom icon); "" none
  bool jsonFeed = false;    // a JSON Feed is written beside the RSS and Atom files
  std::string jsonFileName = kDefaultJsonFileName;  // the JSON Feed's file name in the local folder
  int jsonCount = kDefaultJsonCount;                // at most this many items in the JSON Feed
  std::vector<std::string> websubHubs;  // WebSub hubs: named in the feeds, notified after each upload
  bool verifyUrl = false;   // after an upload, fetch each feed from the site and compare it
  std::vector<CFeedSection> sections;
  // Podcast: RSS 2.0 carries the tags podcast directories read (itunes: and podcast:), the folder scan
  // takes the site's media files as episodes.
  bool podcast = false;
  std::string podcastAuthor;
  std::string podcastOwnerEmail;
  std::string podcastCategory;  // "Arts/Books": a category of the directories' tree and its subcategory
  std::string podcastExplicit;  // kPodcastYes, kPodcastNo or "" (not said)
  std::string podcastImage;     // the show's artwork URL
  std::string podcastType;      // "episodic", "serial" or "" (not said)
  bool podcastLocked = false;   // podcast:locked yes: other platforms may not import the show
  CUnknownValues unknown;

  bool IsDefault() const;
};

inline constexpr const char* kPodcastYes = "yes";
inline constexpr const char* kPodcastNo = "no";
// The values of the podcast's choices, "" (not said) first, in the order the desktop app offers them.
inline constexpr const char* kPodcastExplicitValues[] = {"", kPodcastYes, kPodcastNo};
inline constexpr const char* kPodcastTypeValues[] = {"", "episodic", "serial"};
inline constexpr const char* kEpisodeTypeValues[] = {"", "full", "trailer", "bonus"};

// The index of `value` among `values`; -1 when it is none of them.
template <std::size_t N>
int IndexOfValue(const char* const (&values)[N], const std::string& value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (value == values[i]) return static_cast<int>(i);
  }
  return -1;
}
// The value at `index` of `values`; "" outside them.
template <std::size_t N>
std::string ValueAtIndex(const char* const (&values)[N], int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? values[index] : "";
}

// A media file an item carries (an episode of a podcast): where readers fetch it and what it is.
struct CEnclosure {
  std::string url;          // "" none
  std::int64_t length = 0;  // in bytes
  std::string type;         // its MIME type ("audio/mpeg")
  int duration = 0;         // in seconds; 0 unknown

  bool operator==(const CEnclosure& other) const {
    return url == other.url && length == other.length && type == other.type && duration == other.duration;
  }
  bool IsDefault() const { return *this == CEnclosure(); }
};

struct CItemExtensions {
  std::string image;    // the item's image URL; "" none
  bool hidden = false;  // kept in the project and out of every feed
  CEnclosure enclosure;
  int episode = 0;          // the episode's number; 0 not said
  int season = 0;           // the season's number; 0 not said
  std::string episodeType;  // "full", "trailer", "bonus" or "" (not said)
  CUnknownValues unknown;

  bool IsDefault() const {
    return image.empty() && !hidden && enclosure.IsDefault() && episode == 0 && season == 0 && episodeType.empty() &&
           unknown.empty();
  }
};

// The values a podcast setting may take (those of the lists above, "" included).
bool IsPodcastExplicitValue(const std::string& value);
bool IsPodcastTypeValue(const std::string& value);
bool IsEpisodeTypeValue(const std::string& value);
bool IsPodcastEmailValue(const std::string& value);     // "owner@example.jp": a local part, "@", a domain
bool IsPodcastImageValue(const std::string& value);     // an http or https URL

// True for a language tag of the form BCP 47 gives: letters, then "-"-separated subtags of letters and
// digits, each of 1 to 8 characters ("ja", "en-US", "zh-Hant-TW").
bool IsLanguageTag(const std::string& tag);
