#include "feeds/feed_reader.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "feeds/char_refs.h"
#include "feeds/feed_dates.h"
#include "feeds/feed_reader_index.h"
#include "feeds/json_feed_reader.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "xml/vxml_document.h"

namespace {

std::string TrimSpace(const std::string& text) {
  const char* const kSpace = " \t\r\n";
  size_t begin = text.find_first_not_of(kSpace);
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(kSpace);
  return text.substr(begin, end + 1 - begin);
}

// Work allowed for one read: generous for any real feed (each byte and node is taken about once or
// twice), small enough to stop hostile nesting within a second or so. The allowance grows with what
// the walk has seen so far.
constexpr size_t kBudgetBase = 32u << 20;
constexpr size_t kBudgetPerUnit = 8;
constexpr size_t kCostPerItem = 256;

// Takes the texts of elements and attributes, decoded, and keeps the whole read within a budget of
// work: items nested inside item fields would otherwise make each field hold the text of all the items
// inside it, which grows with the square of the file.
class CFeedTextReader {
public:
  bool Exhausted() const { return m_exhausted; }
  // The allowance for what the walk has seen so far.
  void Allow(const CFeedIndex& index) {
    m_allowance = kBudgetBase + kBudgetPerUnit * (index.TextBytes() + index.NodeCount());
  }
  void Spend(size_t units) {
    m_spent += units;
    if (m_spent > m_allowance) m_exhausted = true;
  }

  // The element's text: its descendants' text nodes with their references decoded and its CDATA
  // sections as they stand, in document order; comments give nothing. "" for no element.
  std::string Text(const CFeedIndex& index, const CVXMLElement* element) {
    if (!element || m_exhausted) return std::string();
    const bool shared = index.HasShared() && index.IsShared(element);
    if (shared) {
      auto found = m_memo.find(element);
      if (found != m_memo.end()) {
        Spend(found->second.size());
        return m_exhausted ? std::string() : found->second;
      }
    }
    std::string out = Collect(*element);
    if (m_exhausted) return std::string();
    if (shared) m_memo.emplace(element, out);
    return out;
  }

  // An attribute value with its references decoded; "" when absent.
  std::string Attribute(const CVXMLElement* element, const char* name) {
    if (!element || m_exhausted) return std::string();
    std::string value = element->GetAttribute(name);
    Spend(value.size());
    return m_exhausted ? std::string() : DecodeCharacterReferences(value, false);
  }

private:
  std::string Collect(const CVXMLElement& element) {
    std::string out;
    // Most elements hold one text or CDATA node: no walk needed.
    const CVXMLNodeList& top = *element.GetChildNodes();
    if (top.size() <= 1) {
      const CVXMLNode* only = top.empty() ? nullptr : top[0];
      if (!only) return out;
      const int type = only->GetNodeType();
      if (type == kXmlTextNode || type == kXmlCDATASectionNode) {
        const std::string_view value = only->NodeValue();
        Spend(value.size() + 1);
        if (m_exhausted) return out;
        if (type == kXmlTextNode && value.find('&') != std::string::npos) return DecodeCharacterReferences(value, false);
        return std::string(value);
      }
    }
    if (m_exhausted) return out;
    VisitDescendants(element, [&](const CVXMLNode* child) {
      Spend(1);
      switch (child->GetNodeType()) {
        case kXmlTextNode: {
          const std::string_view value = child->NodeValue();
          Spend(value.size());
          if (value.find('&') == std::string::npos) out += value;
          else out += DecodeCharacterReferences(value, false);
          break;
        }
        case kXmlCDATASectionNode:
          Spend(child->NodeValue().size());
          out.append(child->NodeValue());
          break;
        default: break;
      }
      return !m_exhausted;
    });
    return out;
  }

  size_t m_allowance = kBudgetBase;
  size_t m_spent = 0;
  bool m_exhausted = false;
  std::unordered_map<const CVXMLElement*, std::string> m_memo;
};

// What a read collects; the project takes it over only when the whole read succeeded.
struct FeedContent {
  int format = 0;
  TimeValue now = 0;  // the time of the import
  std::optional<std::string> siteTitle;
  std::optional<std::string> siteUrl;
  std::optional<std::string> siteDescription;
  std::optional<std::string> creator;
  std::optional<std::string> feedId;
  std::vector<std::unique_ptr<CRssItem>> items;  // in document order
};

void Place(FeedContent& content, size_t ordinal, std::unique_ptr<CRssItem> item) {
  if (content.items.size() <= ordinal) content.items.resize(ordinal + 1);
  content.items[ordinal] = std::move(item);
}

TimeValue ParsedW3c(CFeedTextReader& reader, const CFeedIndex& index, const CVXMLElement* element) {
  return element ? ParseW3cDate(TrimSpace(reader.Text(index, element))) : 0;
}

// One RSS item: a link replaces rdf:about; the date element follows the format. URLs never hold white
// space, so what surrounds one is layout.
void ReadRssItem(CFeedTextReader& reader, const CFeedIndex& index, const FeedScope& scope, FeedContent& content,
                 size_t ordinal) {
  reader.Spend(kCostPerItem);
  auto item = std::make_unique<CRssItem>(content.now);
  item->url = TrimSpace(reader.Attribute(scope.element, "rdf:about"));
  item->title = reader.Text(index, scope.First(kFeedTitle));
  if (const CVXMLElement* link = scope.First(kFeedLink)) item->url = TrimSpace(reader.Text(index, link));
  item->description = reader.Text(index, scope.First(kFeedDescription));
  item->content = reader.Text(index, scope.First(kFeedContentEncoded));
  TimeValue date = 0;
  if (content.format == kFeedRss10) {
    date = ParsedW3c(reader, index, scope.First(kFeedDcDate));
    item->category = reader.Text(index, scope.First(kFeedDcSubject));
  } else {
    if (const CVXMLElement* pubDate = scope.First(kFeedPubDate)) {
      date = ParseRfc822Date(TrimSpace(reader.Text(index, pubDate)));
    }
    item->category = reader.Text(index, scope.First(kFeedCategory));
  }
  if (date != 0) item->date = date;
  Place(content, ordinal, std::move(item));
}

// One Atom entry: created at its issued (0.3) or published (1.0) time, dated by modified or updated.
void ReadAtomEntry(CFeedTextReader& reader, const CFeedIndex& index, const FeedScope& scope, FeedContent& content,
                   size_t ordinal) {
  const bool atom03 = content.format == kFeedAtom03;
  reader.Spend(kCostPerItem);
  TimeValue created = ParsedW3c(reader, index, scope.First(atom03 ? kFeedIssued : kFeedPublished));
  auto item = std::make_unique<CRssItem>(created != 0 ? created : content.now);
  item->title = reader.Text(index, scope.First(kFeedTitle));
  if (const CVXMLElement* link = scope.First(kFeedLink)) item->url = TrimSpace(reader.Attribute(link, "href"));
  item->description = reader.Text(index, scope.First(kFeedSummary));
  item->content = reader.Text(index, scope.First(kFeedContent));
  TimeValue date = ParsedW3c(reader, index, scope.First(atom03 ? kFeedModified : kFeedUpdated));
  if (date != 0) item->date = date;
  if (atom03) {
    item->category = reader.Text(index, scope.First(kFeedDcSubject));
  } else if (const CVXMLElement* category = scope.First(kFeedCategory)) {
    // Atom 1.0 names the category in its term attribute and leaves the element empty.
    item->category = reader.Text(index, category);
    if (item->category.empty()) item->category = reader.Attribute(category, "term");
  }
  Place(content, ordinal, std::move(item));
}

std::optional<std::string> TextIfPresent(CFeedTextReader& reader, const CFeedIndex& index, const CVXMLElement* element) {
  if (!element) return std::nullopt;
  return reader.Text(index, element);
}

// The RSS site fields, each only when the channel has the element; false without a channel.
bool ReadRssChannel(CFeedTextReader& reader, const CFeedIndex& index, FeedContent& content) {
  const FeedScope* channel = index.Channel();
  if (!channel) return false;
  content.siteTitle = TextIfPresent(reader, index, channel->First(kFeedTitle));
  if (const CVXMLElement* link = channel->First(kFeedLink)) content.siteUrl = TrimSpace(reader.Text(index, link));
  content.siteDescription = TextIfPresent(reader, index, channel->First(kFeedDescription));
  return true;
}

// The Atom site fields: Atom 0.3 takes the first link whatever its rel, Atom 1.0 the first one that
// points at the site itself (rel "alternate", empty or absent) and the feed's id.
void ReadAtomFeed(CFeedTextReader& reader, const CFeedIndex& index, FeedContent& content) {
  const FeedScope& root = index.Root();
  content.siteTitle = TextIfPresent(reader, index, root.First(kFeedTitle));
  if (content.format == kFeedAtom03) {
    if (const CVXMLElement* link = root.First(kFeedLink)) content.siteUrl = TrimSpace(reader.Attribute(link, "href"));
    content.siteDescription = TextIfPresent(reader, index, root.First(kFeedTagline));
  } else {
    if (const CVXMLElement* link = root.First(kFeedAlternateLink)) {
      content.siteUrl = TrimSpace(reader.Attribute(link, "href"));
    }
    content.siteDescription = TextIfPresent(reader, index, root.First(kFeedSubtitle));
    if (const CVXMLElement* id = root.First(kFeedId)) content.feedId = TrimSpace(reader.Text(index, id));
  }
  if (const FeedScope* author = index.Author()) content.creator = TextIfPresent(reader, index, author->First(kFeedName));
}

}  // namespace

CResult<> ReadFeed(CRssFile& project, const std::string& path) {
  if (IsJsonFeedFile(path)) return ReadJsonFeed(project, path);
  CVXMLDocument document;  // XML mode
  CResult<> result;
  if (CResult<> loaded = document.Load(path); !loaded) return loaded;
  const CVXMLElement* root = document.GetDocumentElement();
  // Text without any element (an empty file among them) loads as an unnamed root: there is no feed.
  if (!root || root->NodeName().empty()) return result;

  FeedContent content;
  const std::string_view rootName = root->NodeName();
  const bool atom = rootName == "feed";
  if (atom) {
    content.format = DecodeCharacterReferences(root->GetAttribute("version"), false) == "0.3" ? kFeedAtom03 : kFeedAtom10;
  } else {
    content.format = rootName == "rss" ? kFeedRss20 : kFeedRss10;
  }

  // Items are read as the walk leaves them, while their nodes are still in the cache.
  content.now = CurrentTime();
  CFeedTextReader reader;
  CFeedIndex index(*root, atom ? "entry" : "item",
                   [&](const CFeedIndex& walked, const FeedScope& item, size_t ordinal) {
                     reader.Allow(walked);
                     if (atom) ReadAtomEntry(reader, walked, item, content, ordinal);
                     else ReadRssItem(reader, walked, item, content, ordinal);
                   });
  reader.Allow(index);
  if (atom) ReadAtomFeed(reader, index, content);
  else if (!ReadRssChannel(reader, index, content)) return result;
  if (reader.Exhausted()) return result;

  const std::string fullPath = AbsoluteFeedPath(path);
  project.localFolder = FolderOf(fullPath);
  (atom ? project.atomFileName : project.rssFileName) = NameOf(fullPath);
  project.sourceKind = content.format;
  if (content.siteTitle) project.siteTitle = *content.siteTitle;
  if (content.siteUrl) project.siteUrl = *content.siteUrl;
  if (content.siteDescription) project.siteDescription = *content.siteDescription;
  if (content.creator) project.creator = *content.creator;
  if (content.feedId) project.feedId = *content.feedId;
  project.Reserve(project.GetSize() + static_cast<int>(content.items.size()));
  for (auto& item : content.items) project.Add(std::move(item));
  return result.Done();
}

std::string AbsoluteFeedPath(const std::string& path) {
  std::filesystem::path native(NativePath(path));
  if (path.empty() || native.is_absolute()) return path;
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(native, error);
  return error ? path : FromNativePath(absolute.string());
}

void SetOutputFileName(CRssFile& project, int formatCode, const std::string& path) {
  project.rssFileName.clear();
  project.atomFileName.clear();
  if (formatCode == kFeedRss10 || formatCode == kFeedRss20) project.rssFileName = NameOf(path);
  else if (formatCode == kFeedAtom03 || formatCode == kFeedAtom10) project.atomFileName = NameOf(path);
}
