// The JSON Feed 1.1 writer of the project.
//
// The text is produced directly, in the layout of a JSON library's two-space indentation, rather than
// through a JSON tree: a feed of many items is written about as fast as the XML feeds.
#include <cstdio>
#include <functional>
#include <string_view>

#include "feeds/char_refs.h"
#include "feeds/feed_dates.h"
#include "feeds/feed_text.h"
#include "feeds/feed_writers.h"
#include "feeds/feed_writer_support.h"
#include "feeds/xml_escape.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/checked_file.h"
#include "platform/clock.h"
#include "platform/text_codec.h"

namespace {

constexpr const char* kJsonFeedVersion = "https://jsonfeed.org/version/1.1";

// Appends JSON text: objects and arrays in two-space indentation, strings escaped as JSON requires
// (the quotation mark, the backslash and control characters; everything else, non-ASCII text too, as
// it stands).
class CJsonText {
public:
  explicit CJsonText(std::string& out) : m_out(out) {}

  void Open(char bracket) {
    m_out += bracket;
    ++m_depth;
    m_first = true;
  }
  void Close(char bracket) {
    --m_depth;
    if (!m_first) NewLine();
    m_out += bracket;
    m_first = false;
  }
  // The start of a member of the current object: its name and the colon.
  void Name(const char* name) {
    Next();
    m_out += '"';
    m_out += name;
    m_out += "\": ";
  }
  // The start of an element of the current array.
  void Element() { Next(); }

  // Project text (internal text) as a UTF-8 string, without the C0 control characters that the XML
  // feeds drop too: a stray one would otherwise reach the readers of this feed alone.
  void Text(const std::string& text) {
    std::string_view view(text);
    view = view.substr(0, view.find('\0'));
    m_utf8.clear();
    if (HasForbiddenXmlChars(view)) {
      const std::string kept = StripXmlForbiddenChars(std::string(view));
      AppendAnsiAsUtf8(kept, false, m_utf8);
    } else {
      AppendAnsiAsUtf8(view, false, m_utf8);
    }
    Utf8(m_utf8);
  }
  // A number or another value written as it stands.
  void Raw(std::string_view text) { m_out.append(text); }
  // UTF-8 or ASCII text as a string.
  void Utf8(std::string_view text) {
    m_out += '"';
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (c >= 0x20 && c != '"' && c != '\\') continue;
      m_out.append(text.data() + run, i - run);
      run = i + 1;
      switch (c) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\b': m_out += "\\b"; break;
        case '\f': m_out += "\\f"; break;
        case '\n': m_out += "\\n"; break;
        case '\r': m_out += "\\r"; break;
        case '\t': m_out += "\\t"; break;
        default: {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          m_out += escape;
        }
      }
    }
    m_out.append(text.data() + run, text.size() - run);
    m_out += '"';
  }

private:
  void Next() {
    if (!m_first) m_out += ',';
    m_first = false;
    NewLine();
  }
  void NewLine() {
    m_out += '\n';
    m_out.append(static_cast<std::size_t>(2 * m_depth), ' ');
  }

  std::string& m_out;
  std::string m_utf8;
  int m_depth = 0;
  bool m_first = true;
};

void Date(CJsonText& json, const char* name, TimeValue t) {
  char buffer[kDateBufferSize];
  json.Name(name);
  json.Utf8(FormatW3cDateInto(t, buffer));
}

// A site field is markup text in the XML feeds; JSON Feed holds plain text, so its references are
// decoded, as an XML reader would.
void SiteText(CJsonText& json, const char* name, const std::string& text) {
  json.Name(name);
  json.Text(DecodeCharacterReferences(text, true));
}

void Member(CJsonText& json, const char* name, const std::string& text) {
  json.Name(name);
  json.Text(text);
}

void Number(CJsonText& json, const char* name, long long value) {
  json.Name(name);
  json.Raw(std::to_string(value));
}

// The enclosure as the item's one attachment. JSON Feed requires a type: one not known is named as
// plain bytes.
void Attachment(CJsonText& json, const CEnclosure& enclosure) {
  json.Name("attachments");
  json.Open('[');
  json.Element();
  json.Open('{');
  Member(json, "url", enclosure.url);
  Member(json, "mime_type", enclosure.type.empty() ? std::string("application/octet-stream") : enclosure.type);
  if (enclosure.length > 0) Number(json, "size_in_bytes", enclosure.length);
  if (enclosure.duration > 0) Number(json, "duration_in_seconds", enclosure.duration);
  json.Close('}');
  json.Close(']');
}

// One item: its URL as id and url, the title (when it has one), the text by the RSS
// description/content mode (the content as HTML in mode 2 with its description as summary, else the
// description as plain text), its dates, its category as a tag, its image, its enclosure.
void Item(CJsonText& json, const CRssItem& item, bool images) {
  const int mode = CRssFile::rssMode;
  json.Element();
  json.Open('{');
  Member(json, "id", item.url);
  Member(json, "url", item.url);
  // An item without a title has none in JSON Feed, rather than an empty one.
  if (!item.title.empty()) Member(json, "title", item.title);
  if (mode >= 2 && !item.content.empty()) {
    if (!item.description.empty()) Member(json, "summary", item.description);
    Member(json, "content_html", item.content);
  } else {
    // Every item carries content_html or content_text.
    Member(json, "content_text", mode >= 1 ? item.description : std::string());
  }
  Date(json, "date_published", item.published);
  Date(json, "date_modified", item.date);
  if (!item.category.empty()) {
    json.Name("tags");
    json.Open('[');
    json.Element();
    json.Text(item.category);
    json.Close(']');
  }
  if (images && !item.ext.image.empty()) Member(json, "image", item.ext.image);
  if (!item.ext.enclosure.url.empty()) Attachment(json, item.ext.enclosure);
  json.Close('}');
}

}  // namespace

std::string GetJsonFeedUrl(const CRssFile& project) { return PublishedUrl(project, project.ext.jsonFileName); }

namespace {

// Text in the buffer beyond this size goes to `flush` after an item.
constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

// The feed's text into `out`; with `flush`, each time the buffer holds more than kFlushBytes its text
// goes there and the buffer starts again, so a large feed is written as it is made.
void MakeJsonFeed(const CRssFile& project, std::string& out, const std::function<void(std::string&)>& flush) {
  const std::vector<const CRssItem*> items = SelectFeedItems(project, project.ext.jsonCount, CurrentTime());
  CJsonText json(out);
  json.Open('{');
  json.Name("version");
  json.Utf8(kJsonFeedVersion);
  SiteText(json, "title", project.siteTitle);
  Member(json, "home_page_url", project.siteUrl);
  Member(json, "feed_url", GetJsonFeedUrl(project));
  if (!project.siteDescription.empty()) SiteText(json, "description", project.siteDescription);
  Member(json, "language", project.ext.language);
  if (!project.ext.siteImage.empty()) Member(json, "icon", project.ext.siteImage);
  if (!project.ext.siteIcon.empty()) Member(json, "favicon", project.ext.siteIcon);
  if (!project.creator.empty()) {
    json.Name("authors");
    json.Open('[');
    json.Element();
    json.Open('{');
    SiteText(json, "name", project.creator);
    json.Close('}');
    json.Close(']');
  }
  // WebSub: the hubs that readers may subscribe at, as JSON Feed names them.
  if (!project.ext.websubHubs.empty()) {
    json.Name("hubs");
    json.Open('[');
    for (const std::string& hub : project.ext.websubHubs) {
      json.Element();
      json.Open('{');
      Member(json, "type", "WebSub");
      Member(json, "url", hub);
      json.Close('}');
    }
    json.Close(']');
  }
  json.Name("items");
  json.Open('[');
  for (const CRssItem* item : items) {
    Item(json, *item, project.ext.itemImages);
    if (flush && out.size() > kFlushBytes) {
      flush(out);
      out.clear();
    }
  }
  json.Close(']');
  json.Close('}');
  out += '\n';
}

}  // namespace

std::string JsonFeedText(const CRssFile& project) {
  std::string out;
  MakeJsonFeed(project, out, nullptr);
  return out;
}

CFeedWriteResult WriteJsonFeed(const CRssFile& project, const std::string& path) {
  const std::string target = path.empty() ? project.GetJsonPath() : path;
  CFeedWriteResult result;
  if (target.empty()) return result;
  result.value = target;
  try {
    CCheckedFile file;
    file.Open(target, "wb");
    std::string buffer;
    buffer.reserve(kFlushBytes + (std::size_t{64} << 10));
    MakeJsonFeed(project, buffer, [&file](std::string& text) {
      file.Write(text);
      file.StartWriteback();
    });
    file.Write(buffer);
    file.Close();
  } catch (const CVamelFileException& e) {
    return result.Say(e.GetMessage());
  }
  return result.Done();
}
