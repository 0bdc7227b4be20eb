#include "xml/vxml_document.h"

#include "platform/interaction.h"
#include "platform/text_codec.h"
#include "xml/checked_file.h"
#include "xml/vxml_encoding.h"
#include "xml/vxml_options.h"
#include "xml/vxml_parser.h"

namespace {

constexpr const char* kXmlHeader = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";
constexpr const char* kHtmlHeader = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">";

inline bool IsLoadSpace(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

void TrimLoadSpace(std::string& text) {
  size_t end = text.size();
  while (end > 0 && IsLoadSpace(text[end - 1])) --end;
  size_t begin = 0;
  while (begin < end && IsLoadSpace(text[begin])) ++begin;
  text.erase(end);
  text.erase(0, begin);
}

bool EndsWith(const std::string& text, const char* suffix) {
  size_t n = std::char_traits<char>::length(suffix);
  return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

// XML allows comments, processing instructions and white space after the document element; drop them
// so that the root still ends with its own end tag (many feeds end with a generator comment).
void DropTrailingMisc(std::string& text) {
  for (;;) {
    size_t end = text.size();
    while (end > 0 && IsLoadSpace(text[end - 1])) --end;
    text.erase(end);
    size_t start = std::string::npos;
    if (EndsWith(text, "-->") && text.size() >= 7) start = text.rfind("<!--", text.size() - 7);
    else if (EndsWith(text, "?>") && text.size() >= 4) start = text.rfind("<?", text.size() - 4);
    if (start == std::string::npos || start == 0) return;
    text.erase(start);
  }
}

}  // namespace

CVXMLNode* CVXMLDocument::CloneNode() const {
  auto* copy = new CVXMLDocument;
  copy->m_nodeName = m_nodeName;
  copy->m_nodeValue = m_nodeValue;
  copy->m_encoding = m_encoding;
  for (const CVXMLNode* child : m_childNodes) copy->AppendChild(child->CloneNode());
  return copy;
}

CVXMLElement* CVXMLDocument::GetDocumentElement() const {
  if (m_childNodes.empty() || m_childNodes[0]->GetNodeType() != kXmlElementNode) return nullptr;
  return static_cast<CVXMLElement*>(m_childNodes[0]);
}

std::string CVXMLDocument::GetXml() const {
  std::string out;
  AppendXml(out);
  return out;
}

void CVXMLDocument::AppendXml(std::string& out) const {
  out += CVXMLOptions::Instance().IsHtmlMode() ? kHtmlHeader : kXmlHeader;
  const int layout = GetXmlOutputLayout();
  if (layout != kXmlLayoutCompact) out += "\r\n";
  if (layout == kXmlLayoutIndented) SetXmlIndentDepth(0);
  if (const CVXMLElement* root = GetDocumentElement()) root->AppendXml(out);
}

bool CVXMLDocument::Load(const std::string& path) {
  std::string content;
  try {
    CCheckedFile file;
    file.Open(path, "rb");
    content = file.ReadAll();
    file.Close();
  } catch (const CVamelFileException& e) {
    VamelMessageBox(e.GetMessage(), MbButtons::Ok, MbIcon::None);
    return false;
  }
  return LoadText(std::move(content));
}

bool CVXMLDocument::LoadText(std::string text) {
  const bool html = CVXMLOptions::Instance().IsHtmlMode();
  m_encoding.clear();
  // A UTF-16 byte-order mark: convert before anything else.
  bool converted = false;
  {
    std::string decoded;
    if (ConvertUtf16WithBom(text, decoded)) {
      text.swap(decoded);
      converted = true;
    }
  }

  // Prolog.
  if (html) {
    size_t gt = text.find('>');
    if (gt != std::string::npos && text.substr(0, gt).find("<!DOCTYPE") != std::string::npos) text.erase(0, gt + 1);
  } else {
    size_t at = 0;
    size_t root = std::string::npos;
    for (;;) {
      size_t lt = text.find('<', at);
      if (lt == std::string::npos) break;
      if (lt + 1 < text.size() && (text[lt + 1] == '?' || text[lt + 1] == '!')) {
        size_t gt = text.find('>', lt + 1);
        if (gt == std::string::npos) break;
        CVXMLElement item(std::string_view(text).substr(lt, gt + 1 - lt));
        if (item.NodeName() == "?xml") m_encoding = item.GetAttribute("encoding");
        at = gt + 1;
        continue;
      }
      root = lt;
      break;
    }
    if (root != std::string::npos) text.erase(0, root);
  }
  TrimLoadSpace(text);
  if (!html) DropTrailingMisc(text);

  // Encoding: UTF-8 when the text is valid UTF-8, else a declared encoding other than Shift_JIS,
  // else internal text already.
  // ISO-2022-JP is 7-bit, so valid UTF-8 as bytes: its escape sequences decide.
  if (!converted) {
    std::string declared = html ? FindHtmlMetaCharset(text) : m_encoding;
    const bool valid = IsValidUtf8(text);
    const bool iso2022 = IsIso2022EncodingName(declared) && text.find('\x1B') != std::string::npos;
    std::string decoded;
    if (valid && !iso2022) {
      text = Utf8ToAnsi(text);
    } else if (ShouldConvertFromDeclared(declared) && ConvertToAnsi(text, declared, decoded)) {
      text.swap(decoded);
    }
  }

  auto* root = new CVXMLElement;
  AppendChild(root);
  CVXMLParser parser(text);
  parser.ParseElement(*root);
  SetXmlOutputLayout(kXmlLayoutCompact);
  return true;
}

bool CVXMLDocument::Save(const std::string& path) const {
  try {
    CCheckedFile file;
    file.Open(path, "wb");
    std::string text = GetXml();
    if (!CVXMLOptions::Instance().IsHtmlMode()) text = AnsiToUtf8(text);
    file.WriteString(text);
    file.Close();
  } catch (const CVamelFileException& e) {
    VamelMessageBox(e.GetMessage(), MbButtons::Ok, MbIcon::None);
    return false;
  }
  return true;
}
