// Reading one HTML page of the site into the fields of a feed item.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class CRssFile;
class CRssItem;
class CVXMLDocument;
class CVXMLElement;
class CVXMLNodeList;

// Page import modes of a project: what reading a page puts into an item besides URL, title and date.
inline constexpr int kImportModeNone = 0;         // nothing more
inline constexpr int kImportModeDescription = 1;  // the text of the whole body as the description
inline constexpr int kImportModeBody = 2;         // the markup of the whole body as the content
inline constexpr int kImportModeMarked = 3;       // text and markup of the marked part

// Pages larger than this are not read (a page, not a disk image).
inline constexpr std::size_t kMaxPageBytes = 64u << 20;

// Fills `item` from the page file at `pagePath`: the URL becomes `url`, the title the page's TITLE
// (character references decoded), the date the file's last-write time, and description and content as
// the project's import mode says. The page is read in HTML mode. A file that is missing, not a regular
// file, too large or unreadable changes the URL alone; no message.
void ReadPageIntoItem(const CRssFile& project, const std::string& url, const std::string& pagePath, CRssItem& item);

// The text between the item's marker tags (or the default ones where the item's are empty) in
// `pageText`, every complete region in page order joined with nothing between them; the tags are not
// part of it. Matching is exact and character-aware. An empty end tag marks nothing.
std::string ExtractMarkedText(const std::string& pageText, const CRssItem& item);

// Makes the A/HREF and IMG/SRC links in `nodes` (and beneath them) absolute against the item's URL
// (ResolvePageLink), then stores the nodes' markup, in HTML mode, as the item's content.
void SetContentFromNodes(CRssItem& item, const CVXMLNodeList& nodes);

// The raw bytes of a page as internal text, decided the way the XML library decides when it loads a
// page: UTF-16 with a byte-order mark, valid UTF-8, the encoding that the page's meta tag (or, without
// one, its XML declaration) names (EUC-JP, ISO-2022-JP, ...), else internal text already.
std::string PageTextToInternal(const std::string& raw);

// The page, parsed from internal text into a document in HTML mode whose document element is the
// page's root element (normally HTML); look it up and write it in HTML mode (kHtmlCompact). What
// surrounds the root is set aside first: an XML declaration, a document type in any letter case and
// comments before it, anything after its end tag; a missing end tag of the root is supplied.
std::unique_ptr<CVXMLDocument> ParsePage(const std::string& text);
