#include "model/rss_item.h"

#include "model/archive.h"
#include "platform/text_codec.h"

namespace {

constexpr std::int32_t kItemVersion = 100;
constexpr const char* kCrLf = "\r\n";

// Start tag, CR LF, the text, CR LF unless the text (two bytes or more) already ends with one, end tag.
void AppendWrapped(std::string& out, const char* tag, const std::string& text) {
  out += "<";
  out += tag;
  out += ">";
  out += kCrLf;
  out += text;
  if (!(text.size() >= 2 && text.compare(text.size() - 2, 2, kCrLf) == 0)) out += kCrLf;
  out += "</";
  out += tag;
  out += ">";
}

}  // namespace

CRssItem::CRssItem() : CRssItem(CurrentTime()) {}

CRssItem::CRssItem(TimeValue t) : date(t), published(t) {}

void CRssItem::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(kItemVersion);
    ar.WriteString(title);
    ar.WriteString(url);
    ar.WriteString(description);
    ar.WriteString(category);
    ar.WriteTime(date);
    ar.WriteString(content);
    ar.WriteTime(published);
    ar.WriteString(startTag);
    ar.WriteString(endTag);
  } else {
    ar.ReadInt32();  // version: any value is accepted
    title = ar.ReadString();
    url = ar.ReadString();
    description = ar.ReadString();
    category = ar.ReadString();
    date = ar.ReadTime();
    content = ar.ReadString();
    published = ar.ReadTime();
    startTag = ar.ReadString();
    endTag = ar.ReadString();
  }
}

std::string CRssItem::GetPreviewHtml() const {
  std::string html = "<HTML><BODY>";
  html += kCrLf;
  AppendWrapped(html, "H3", Lit("概要"));
  AppendWrapped(html, "P", description);
  AppendWrapped(html, "H3", Lit("内容"));
  AppendWrapped(html, "P", content);
  html += kCrLf;
  html += "</BODY></HTML>";
  return html;
}
