// Small helpers over libxml2's tree for the rules: names, namespaces, children, attributes, text.
#pragma once

#include <libxml/tree.h>

#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

// Namespaces of the four formats and their modules.
inline constexpr const char* kRss10Ns = "http://purl.org/rss/1.0/";
inline constexpr const char* kRdfNs = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
inline constexpr const char* kDcNs = "http://purl.org/dc/elements/1.1/";
inline constexpr const char* kAtom10Ns = "http://www.w3.org/2005/Atom";
inline constexpr const char* kAtom03Ns = "http://purl.org/atom/ns#";
inline constexpr const char* kXhtmlNs = "http://www.w3.org/1999/xhtml";
// Namespaces some RSS 2.0 feeds declare for the vocabulary that has none.
inline constexpr const char* kUserlandRssNs = "http://backend.userland.com/rss2";
inline constexpr const char* kHarvardRssNs = "http://blogs.law.harvard.edu/tech/rss";
// Formats that are feeds, but not ones this check reads.
inline constexpr const char* kRss090Ns = "http://my.netscape.com/rdf/simple/0.9/";
inline constexpr const char* kRss11Ns = "http://purl.org/net/rss1.1#";
// The common modules.
inline constexpr const char* kContentNs = "http://purl.org/rss/1.0/modules/content/";
inline constexpr const char* kSyNs = "http://purl.org/rss/1.0/modules/syndication/";
inline constexpr const char* kSlashNs = "http://purl.org/rss/1.0/modules/slash/";
inline constexpr const char* kWfwNs = "http://wellformedweb.org/CommentAPI/";
inline constexpr const char* kItunesNs = "http://www.itunes.com/dtds/podcast-1.0.dtd";
inline constexpr const char* kMediaNs = "http://search.yahoo.com/mrss/";
inline constexpr const char* kGeoNs = "http://www.w3.org/2003/01/geo/wgs84_pos#";
inline constexpr const char* kGeoRssNs = "http://www.georss.org/georss";
inline constexpr const char* kPodcastNs = "https://podcastindex.org/namespace/1.0";

// True when the node's local name is `name` (the first byte compared first: most names differ there).
inline bool IsNamed(const xmlNode* node, const char* name) {
  const char* own = reinterpret_cast<const char*>(node->name);
  return own[0] == name[0] && std::strcmp(own, name) == 0;
}
// True for an element named `name` in namespace `ns` (nullptr: in no namespace).
bool IsElement(const xmlNode* node, const char* ns, const char* name);
// The first child element `name` in `ns`, or nullptr.
const xmlNode* FirstChild(const xmlNode* parent, const char* ns, const char* name);
// The node after `node` in a walk of the tree below `root` in document order: its first child when
// `descend` (callers descend into elements only: the children of an entity reference belong to the
// entity's declaration), else the next sibling of it or of its nearest ancestor below `root`; nullptr
// at the end of the walk.
const xmlNode* NextInWalk(const xmlNode* node, const xmlNode* root, bool descend);

// The first child element of any name, or nullptr; the next sibling element after `node`.
const xmlNode* FirstElement(const xmlNode* parent);
const xmlNode* NextElement(const xmlNode* node);
bool HasChildElements(const xmlNode* node);

// The value of an attribute in no namespace (`ns` nullptr) or in `ns`; `found` says whether it is there.
std::string Attribute(const xmlNode* node, const char* name, const char* ns = nullptr, bool* found = nullptr);
// Whether the attribute is there.
bool HasAttribute(const xmlNode* node, const char* name, const char* ns = nullptr);
// The same without a copy when the value is one text node; otherwise built in `storage`.
std::string_view AttributeView(const xmlNode* node, const char* name, std::string& storage, const char* ns = nullptr,
                               bool* found = nullptr);

// The text of an element: its text and CDATA children and the text of its entity references, without
// the text of child elements.
std::string OwnText(const xmlNode* node);
// The same without a copy when the element holds one text node; otherwise built in `storage`.
std::string_view OwnTextView(const xmlNode* node, std::string& storage);
// All the text below an element, child elements included.
std::string AllText(const xmlNode* node);

inline bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
std::string_view TrimSpace(std::string_view s);
inline bool IsBlank(std::string_view s) { return TrimSpace(s).empty(); }
// True when `s` starts with `prefix` (lower case) in ASCII letters of any case.
bool StartsWithNoCase(std::string_view s, std::string_view prefix);

// Ids seen so far (guid, rdf:about, Atom id) and their elements. Keys point into the tree, or into
// `built` for ids made of more than one text node.
struct CIdSet {
  std::unordered_map<std::string_view, const xmlNode*> ids;
  std::deque<std::string> built;

  // The element that had `id` first, or nullptr when `id` is new. `storage` is the buffer that
  // OwnTextView may have built `id` in.
  const xmlNode* Add(const xmlNode* element, std::string_view id, const std::string& storage);
};
