// The feed tags kept in the site's pages: every page the folder scan finds (its extensions and
// exclusions) carries the <LINK rel="alternate"> tags of the project's feeds, between the markers
// kLinkStartMarker and kLinkEndMarker. A page without the markers gets them, with the tags, just before
// its </head> (before <body> when it has no head). Every other byte of a page stays as it is, and a
// page whose tags are right already is not written, so its modification time does not change.
#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

class CInteraction;
class CRssFile;

inline constexpr const char* kLinkStartMarker = "<!--VAMELRSS LINK START-->";
inline constexpr const char* kLinkEndMarker = "<!--VAMELRSS LINK END-->";

// What a page needs.
enum class PageTagState {
  kCurrent,   // its tags are right (between the markers, or every tag already in the page)
  kMissing,   // no markers: the block goes before </head>
  kOutdated,  // the markers hold other tags
  kNoPlace,   // neither markers, nor </head>, nor <body>; or a start marker without its end
  kUnreadable,
};

struct CPageTags {
  std::string relativePath;  // "news/a.html"
  std::string path;          // the page's file
  PageTagState state = PageTagState::kCurrent;
  bool written = false;      // the page was rewritten
};

// The tags a page at `relativePath` should carry, in order: the RSS and the Atom feed of the project
// (those with a file name), then those of each section the page belongs to (TITLE "RSS <section>"),
// with HREF relative to the page. Pure ASCII: a name beyond ASCII is
// percent-encoded as UTF-8 in HREF, so the tags mean the same in every encoding of a page.
std::vector<std::string> PageFeedTags(const CRssFile& project, const std::string& relativePath);

// Puts `tags` into `page` (its bytes, any ASCII-compatible encoding), with the page's own line break
// (CR LF when its first line ends so, else LF). Returns the page's state before; `page` is changed only
// for kMissing and kOutdated.
PageTagState PlaceLinkTags(std::string& page, const std::vector<std::string>& tags);

// Every page of the site, each with its state; with `write`, the pages missing or with outdated tags
// are rewritten through the one file replace. Done unless a page could not be read or written (the
// messages say which); the payload lists every page that is not kCurrent.
CResult<std::vector<CPageTags>> UpdatePageLinkTags(CRssFile& project, bool write);

// One line for a page of the report: its state and its relative path (internal text).
std::string PageTagLine(const CPageTags& page);

// "ページのLINKタグを更新": shows the pages that need new tags, asks, rewrites them and tells how many.
void RunUpdatePageLinkTags(CRssFile& project, CInteraction& ui);
