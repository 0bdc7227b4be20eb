#include "harvest/page_reader.h"

#include <string_view>

#include "feeds/char_refs.h"
#include "harvest/page_links.h"
#include "harvest/text_utils.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/checked_file.h"
#include "xml/vxml.h"

namespace {

// The description of a page is at most this long before it is cut.
constexpr std::size_t kDescriptionBytes = 255;

// Pages are HTML: names are matched with ASCII letters folded, and markup taken from a page is written
// as it stands there (compact, start tags without " />").
constexpr const CVXMLOptions& kPage = kHtmlCompact;

// The links that content from a page carries, every attribute that makes a reader follow or load a
// URL: element name, attribute name, and whether the value is a srcset (candidates separated by commas,
// each a URL and its descriptors).
struct LinkPair {
  const char* element;
  const char* attribute;
  bool srcset;
};
constexpr LinkPair kLinkPairs[] = {
    {"A", "HREF", false},     {"IMG", "SRC", false},    {"IMG", "SRCSET", true},  {"SOURCE", "SRC", false},
    {"SOURCE", "SRCSET", true}, {"VIDEO", "POSTER", false}, {"VIDEO", "SRC", false}, {"AUDIO", "SRC", false},
    {"TRACK", "SRC", false},  {"OBJECT", "DATA", false},
};

// The whole page file, or false. A page that starts with a UTF-16 byte-order mark keeps its zero bytes;
// any other page ends at its first zero byte, as text read from a file does everywhere in the program.
bool ReadPageFile(const std::string& path, std::string& raw) {
  if (!FileExists(path)) return false;  // also keeps FIFOs and devices from blocking the read
  try {
    CCheckedFile file;
    file.Open(path, "rb");
    long long length = file.GetLength();
    if (length < 0 || static_cast<unsigned long long>(length) > kMaxPageBytes) return false;
    raw.resize(static_cast<std::size_t>(length));
    raw.resize(raw.empty() ? 0 : file.Read(raw.data(), raw.size()));
    file.Close();
  } catch (const CVamelFileException&) {
    return false;
  }
  const bool utf16 = raw.size() >= 2 && ((raw[0] == '\xFF' && raw[1] == '\xFE') || (raw[0] == '\xFE' && raw[1] == '\xFF'));
  if (!utf16) {
    std::size_t zero = raw.find('\0');
    if (zero != std::string::npos) raw.resize(zero);
  }
  return true;
}

inline bool IsLoadSpace(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

// The encoding an XML declaration at the start of a page names ("" when there is none).
std::string XmlDeclaredEncoding(std::string_view raw) {
  std::size_t start = 0;
  if (raw.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  while (start < raw.size() && IsLoadSpace(raw[start])) ++start;
  if (raw.compare(start, 5, "<?xml") != 0) return std::string();
  std::size_t gt = raw.find('>', start);
  if (gt == std::string_view::npos) return std::string();
  return CVXMLElement(raw.substr(start, gt + 1 - start)).GetAttribute("encoding", kPage);
}

// True when `text` holds "</" + name + ">" at `at`, letters compared without regard to case.
bool IsEndTagAt(std::string_view text, std::size_t at, std::string_view name) {
  return text.size() - at >= name.size() + 3 && text.compare(at, 2, "</") == 0 &&
         CompareNoCaseAscii(text.substr(at + 2, name.size()), name) == 0 && text[at + 2 + name.size()] == '>';
}

// The markup of the page's root element, ready for the element parser. Whatever a page may carry around
// its root is set aside: an XML declaration, a document type in any letter case, comments and white
// space before it, and comments, scripts or text after its end tag. A root whose end tag is missing
// gets one (in `storage`). Otherwise every such page would parse as an empty root and give neither title
// nor body; for the usual page (document type, then <html>...</html>) the markup is exactly what the
// XML library's own load would parse.
std::string_view RootMarkup(const std::string& text, std::string& storage) {
  std::string_view work = text;
  if (work.compare(0, 3, "\xEF\xBB\xBF") == 0) work.remove_prefix(3);  // a byte-order mark left in
  for (;;) {
    while (!work.empty() && IsLoadSpace(work.front())) work.remove_prefix(1);
    std::size_t end = std::string_view::npos;
    if (work.compare(0, 4, "<!--") == 0) {
      end = work.find("-->", 4);
      if (end != std::string_view::npos) end += 3;
    } else if (work.compare(0, 2, "<!") == 0 || work.compare(0, 2, "<?") == 0) {
      end = work.find('>');
      if (end != std::string_view::npos) end += 1;
    }
    if (end == std::string_view::npos) break;
    work.remove_prefix(end);
  }
  while (!work.empty() && IsLoadSpace(work.back())) work.remove_suffix(1);
  if (work.empty() || work.front() != '<') return work;

  // The root's name, as the start tag parser reads it.
  std::size_t gt = work.find('>');
  if (gt == std::string_view::npos) return work;
  std::string_view part = work.substr(1, gt - 1);
  if (!part.empty() && part.back() == '/') return work;  // an empty root: nothing to find
  std::size_t nameEnd = 0;
  while (nameEnd < part.size() && !IsLoadSpace(part[nameEnd])) ++nameEnd;
  std::string_view name = part.substr(0, nameEnd);
  if (name.empty() || name.front() == '/' || name.front() == '%') return work;

  for (std::size_t at = work.rfind("</"); at != std::string_view::npos && at > gt; at = at == 0 ? std::string_view::npos : work.rfind("</", at - 1)) {
    if (IsEndTagAt(work, at, name)) return work.substr(0, at + name.size() + 3);
  }
  storage.assign(work.data(), work.size());
  storage += "</";
  storage.append(name.data(), name.size());
  storage += '>';
  return storage;
}

// The first `what` in `text` at or after `from` that starts a character; `from` starts one.
std::size_t FindAtCharacter(const std::string& text, const std::string& what, std::size_t from) {
  std::size_t boundary = from;
  std::size_t pos = from;
  for (;;) {
    std::size_t hit = text.find(what, pos);
    if (hit == std::string::npos) return hit;
    while (boundary < hit) boundary += CharLengthAt(text, boundary);
    if (boundary == hit) return hit;
    pos = hit + 1;  // the hit began on the second byte of a character
  }
}

// Mode 1: the body's text as one line. References are decoded before the cut, so that "&amp;" counts
// as the one byte it stands for and is never cut in half.
std::string DescriptionFromBodyText(const std::string& bodyText) {
  std::string text = DecodeCharacterReferences(StripTags(bodyText), true);
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      line += ' ';
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  std::size_t first = line.find_first_not_of(' ');
  line.erase(0, first == std::string::npos ? line.size() : first);
  return CollapseRuns(CutForDescription(line), ' ');
}

// Mode 3: the text of the marked part's top-level nodes, as much as the description can hold.
std::string DescriptionFromNodes(const CVXMLNodeList& nodes) {
  std::string text;
  for (const CVXMLNode* node : nodes) {
    text += node->GetText();
    if (text.size() > kDescriptionBytes) break;
  }
  return CutForDescription(DecodeCharacterReferences(text, true));
}

void MakeLinkAbsolute(CVXMLElement& element, const LinkPair& pair, const std::string& pageUrl) {
  std::string value = element.GetAttribute(pair.attribute, kPage);
  if (value.empty()) return;
  std::string absolute;
  if (pair.srcset) absolute = ResolveSrcset(pageUrl, value);
  else if (value.find("://") == std::string::npos) absolute = ResolvePageLink(pageUrl, value);
  else return;
  if (absolute != value) element.SetAttribute(pair.attribute, absolute, kPage);
}

void MakeLinksAbsolute(CVXMLElement& element, const std::string& pageUrl) {
  for (const LinkPair& pair : kLinkPairs) {
    if (NamesMatch(element.NodeName(), pair.element, kPage)) MakeLinkAbsolute(element, pair, pageUrl);
  }
}

// The first IMG with a source in `scope`, else the page's og:image, as an absolute URL with its
// character references decoded (a URL, not markup); "" for none.
std::string FindItemImage(const CVXMLElement& root, const CVXMLElement* scope, const std::string& pageUrl) {
  if (scope) {
    for (CVXMLNode* node : scope->GetElementsByTagName("IMG", kPage)) {
      std::string source = static_cast<CVXMLElement*>(node)->GetAttribute("SRC", kPage);
      if (!source.empty()) return ResolvePageLink(pageUrl, DecodeCharacterReferences(source, true));
    }
  }
  for (CVXMLNode* node : root.GetElementsByTagName("META", kPage)) {
    auto* meta = static_cast<CVXMLElement*>(node);
    std::string property = meta->GetAttribute("PROPERTY", kPage);
    if (property.empty()) property = meta->GetAttribute("NAME", kPage);
    if (CompareNoCaseAscii(property, "og:image") != 0) continue;
    std::string image = meta->GetAttribute("CONTENT", kPage);
    if (!image.empty()) return ResolvePageLink(pageUrl, DecodeCharacterReferences(image, true));
  }
  return std::string();
}

}  // namespace

std::string PageTextToInternal(const std::string& raw) {
  std::string out;
  if (ConvertUtf16WithBom(raw, out)) return out;
  std::string declared = FindHtmlMetaCharset(raw);
  if (declared.empty()) declared = XmlDeclaredEncoding(raw);
  const bool iso2022 = IsIso2022EncodingName(declared) && raw.find('\x1B') != std::string::npos;
  if ((IsValidUtf8(raw) || IsValidUtf8AllPlanes(raw)) && !iso2022) return Utf8ToAnsi(raw);
  if (ShouldConvertFromDeclared(declared) && ConvertToAnsi(raw, declared, out)) return out;
  return raw;
}

std::unique_ptr<CVXMLDocument> ParsePage(const std::string& text) {
  std::string storage;
  std::string_view markup = RootMarkup(text, storage);
  auto page = std::make_unique<CVXMLDocument>(kPage);
  page->AppendParsedElement(markup);
  return page;
}

std::string ExtractMarkedText(const std::string& pageText, const CRssItem& item) {
  const std::string start = item.startTag.empty() ? CRssFile::GetDefaultStartTag() : item.startTag;
  const std::string end = item.endTag.empty() ? CRssFile::GetDefaultEndTag() : item.endTag;
  std::string result;
  if (end.empty()) return result;  // marks nothing (and with an empty start tag would never advance)
  std::size_t rest = 0;
  for (;;) {
    std::size_t open = FindAtCharacter(pageText, start, rest);
    if (open == std::string::npos) break;
    std::size_t inner = open + start.size();
    std::size_t close = FindAtCharacter(pageText, end, inner);
    if (close == std::string::npos) break;
    result.append(pageText, inner, close - inner);
    rest = close + end.size();
  }
  return result;
}

void SetContentFromNodes(CRssItem& item, const CVXMLNodeList& nodes) {
  for (CVXMLNode* node : nodes) {
    if (node->GetNodeType() != kXmlElementNode) continue;
    auto* element = static_cast<CVXMLElement*>(node);
    MakeLinksAbsolute(*element, item.url);
    for (CVXMLNode* below : element->GetElementsByTagName(nullptr, kPage)) {
      MakeLinksAbsolute(*static_cast<CVXMLElement*>(below), item.url);
    }
  }
  // Content is markup as it stands in the page, never indented as a feed is.
  item.content = nodes.GetXml(kPage);
}

void ReadPageIntoItem(const CRssFile& project, const std::string& url, const std::string& pagePath, CRssItem& item) {
  item.url = url;

  std::string raw;
  if (!ReadPageFile(pagePath, raw)) return;
  // One conversion serves the parse and the marked part, which is cut from the page as internal text
  // (so UTF-8 and EUC-JP pages give correct content).
  const std::string pageText = PageTextToInternal(raw);
  std::string().swap(raw);
  std::unique_ptr<CVXMLDocument> page = ParsePage(pageText);
  CVXMLElement* root = page->GetDocumentElement();

  CVXMLNodeList titles = root->GetElementsByTagName("TITLE", kPage);
  if (titles.GetCount() > 0) item.title = DecodeCharacterReferences(titles.Item(0)->GetText(), true);
  CVXMLNodeList bodies = root->GetElementsByTagName("BODY", kPage);
  CVXMLNode* body = bodies.Item(0);
  // Where the item's image is looked for: the marked part in mode 3, else the body.
  const CVXMLElement* imageScope = body && body->GetNodeType() == kXmlElementNode ? static_cast<CVXMLElement*>(body) : nullptr;

  switch (project.importMode) {
    case kImportModeDescription: item.description = DescriptionFromBodyText(body ? body->GetText() : std::string()); break;
    case kImportModeBody:
      if (body) SetContentFromNodes(item, *body->GetChildNodes());
      break;
    case kImportModeMarked: {
      std::string marked = ExtractMarkedText(pageText, item);
      if (marked.empty()) break;
      // Parsed as the content of an element of the page's document (never put in its tree).
      CVXMLElement* part = page->CreateElement(std::string_view());
      part->SetNodeValue(marked);
      SetContentFromNodes(item, *part->GetChildNodes());
      item.description = DescriptionFromNodes(*part->GetChildNodes());
      imageScope = part;
      break;
    }
    default: break;
  }
  if (project.ext.itemImages) item.ext.image = FindItemImage(*root, imageScope, url);

  TimeValue modified = 0;
  if (GetFileModifiedTime(pagePath, modified)) item.date = modified;
}
