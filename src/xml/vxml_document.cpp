#include "xml/vxml_document.h"

#include <cstring>

#include "platform/text_codec.h"
#include "platform/checked_file.h"
#include "xml/vxml_encoding.h"
#include "xml/vxml_file_sink.h"
#include "xml/vxml_parser.h"

namespace {

constexpr const char* kXmlHeader = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";
constexpr const char* kHtmlHeader = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">";

inline bool IsLoadSpace(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

void TrimLoadSpace(std::string_view& text) {
  while (!text.empty() && IsLoadSpace(text.back())) text.remove_suffix(1);
  while (!text.empty() && IsLoadSpace(text.front())) text.remove_prefix(1);
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// XML allows comments, processing instructions and white space after the document element; drop them
// so that the root still ends with its own end tag (many feeds end with a generator comment).
void DropTrailingMisc(std::string_view& text) {
  for (;;) {
    while (!text.empty() && IsLoadSpace(text.back())) text.remove_suffix(1);
    size_t start = std::string_view::npos;
    if (EndsWith(text, "-->") && text.size() >= 7) start = text.rfind("<!--", text.size() - 7);
    else if (EndsWith(text, "?>") && text.size() >= 4) start = text.rfind("<?", text.size() - 4);
    if (start == std::string_view::npos || start == 0) return;
    text = text.substr(0, start);
  }
}

}  // namespace

CVXMLDocument::~CVXMLDocument() {
  m_ownArena.StopReuse();
  DeleteChildren();
  DeleteChildList();
  m_nodeName.Release(m_arena);
  m_nodeValue.Release(m_arena);
  // The document itself is not in its arena (it is on the stack or the heap).
  m_arena = nullptr;
}

CVXMLNode* CVXMLDocument::CloneNode() const {
  auto* copy = new CVXMLDocument(m_options);
  copy->m_nodeName.Assign(m_nodeName.View(), copy->m_arena);
  copy->m_nodeValue.Assign(m_nodeValue.View(), copy->m_arena);
  copy->m_encoding = m_encoding;
  for (const CVXMLNode* child : *GetChildNodes()) copy->AddNewChild(child->CloneNode());
  return copy;
}

CVXMLElement* CVXMLDocument::CreateElement(std::string_view name) {
  CVXMLElement* element = Create<CVXMLElement>();
  element->SetNodeName(std::string(name));
  return element;
}

CVXMLElement* CVXMLDocument::CreateElement(std::string_view name, const std::string& text) {
  CVXMLElement* element = CreateElement(name);
  element->SetNodeValue(text);
  return element;
}

CVXMLElement* CVXMLDocument::AppendParsedElement(std::string_view markup) {
  CVXMLElement* element = Create<CVXMLElement>();
  AddNewChild(element);
  element->ParseElement(markup);
  return element;
}

CVXMLElement* CVXMLDocument::GetDocumentElement() const {
  if (!HasChildNodes() || (*m_childNodes)[0]->GetNodeType() != kXmlElementNode) return nullptr;
  return static_cast<CVXMLElement*>((*m_childNodes)[0]);
}

void CVXMLDocument::WriteXml(std::string& out, CVXMLSink* sink, const CVXMLOptions& options) const {
  out += options.IsHtmlMode() ? kHtmlHeader : kXmlHeader;
  if (options.m_layout != kXmlLayoutCompact) out += "\r\n";
  CVXMLOptions rootOptions = options;
  rootOptions.m_indentDepth = 0;
  if (const CVXMLElement* root = GetDocumentElement()) root->WriteXml(out, sink, rootOptions);
}

CResult<> CVXMLDocument::Load(const std::string& path) {
  std::string content;
  try {
    CCheckedFile file;
    file.Open(path, "rb");
    // Read up to the first zero byte, except for UTF-16 text (marked by its byte-order mark), which is
    // full of zero bytes and is converted first thing by LoadText.
    content = file.ReadAllBytes();
    file.Close();
    const bool utf16 = content.size() >= 2 && ((content[0] == '\xFF' && content[1] == '\xFE') ||
                                               (content[0] == '\xFE' && content[1] == '\xFF'));
    if (!utf16) {
      size_t zero = content.find('\0');
      if (zero != std::string::npos) content.resize(zero);
    }
  } catch (const CVamelFileException& e) {
    return Failure(e.GetMessage());
  }
  LoadText(std::move(content));
  return CResult<>().Done();
}

bool CVXMLDocument::LoadText(std::string text) {
  const bool html = m_options.IsHtmlMode();
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

  // Prolog. The text is narrowed as a view; only a conversion makes a new string.
  std::string_view work = text;
  if (html) {
    size_t gt = work.find('>');
    if (gt != std::string_view::npos && work.substr(0, gt).find("<!DOCTYPE") != std::string_view::npos) {
      work.remove_prefix(gt + 1);
    }
  } else {
    size_t at = 0;
    size_t root = std::string_view::npos;
    for (;;) {
      size_t lt = work.find('<', at);
      if (lt == std::string_view::npos) break;
      if (lt + 1 < work.size() && (work[lt + 1] == '?' || work[lt + 1] == '!')) {
        // A comment ends at "-->" and a processing instruction at "?>", so a ">" or "<" inside them
        // is not taken for the end of the item or the start of the root; other items end at ">".
        size_t gt = std::string_view::npos;
        if (work.compare(lt, 4, "<!--") == 0) {
          size_t end = work.find("-->", lt + 4);
          if (end != std::string_view::npos) gt = end + 2;
        } else if (work[lt + 1] == '?') {
          size_t end = work.find("?>", lt + 2);
          if (end != std::string_view::npos) gt = end + 1;
        }
        if (gt == std::string_view::npos) gt = work.find('>', lt + 1);
        if (gt == std::string_view::npos) break;
        CVXMLElement item(work.substr(lt, gt + 1 - lt));
        if (item.NodeName() == "?xml") m_encoding = item.GetAttribute("encoding");
        at = gt + 1;
        continue;
      }
      root = lt;
      break;
    }
    if (root != std::string_view::npos) work.remove_prefix(root);
  }
  TrimLoadSpace(work);
  if (!html) DropTrailingMisc(work);

  // Encoding: UTF-8 when the text is valid UTF-8, else a declared encoding other than Shift_JIS,
  // else internal text already. ISO-2022-JP is 7-bit, so valid UTF-8 as bytes: its escape sequences
  // decide.
  std::string decoded;
  if (!converted) {
    std::string declared = html ? FindHtmlMetaCharset(work) : m_encoding;
    // A lone emoji must not make a whole UTF-8 file read as code page 932.
    const bool valid = IsValidUtf8(work) || IsValidUtf8AllPlanes(work);
    const bool iso2022 = IsIso2022EncodingName(declared) && work.find('\x1B') != std::string_view::npos;
    if (valid && !iso2022) {
      // Converted in place over the text itself: a large feed needs no second buffer.
      size_t offset = static_cast<size_t>(work.data() - text.data());
      Utf8ToAnsiInPlace(text, offset, offset + work.size());
      decoded.swap(text);
      work = decoded;
    } else if (ShouldConvertFromDeclared(declared) && ConvertToAnsi(work, declared, decoded)) {
      work = decoded;
    }
    if (work.data() == decoded.data()) std::string().swap(text);  // the original bytes are done with
  }
  // The document keeps the text that `work` lies in, and the tree points into it.
  std::string& kept = work.data() == decoded.data() ? decoded : text;
  const size_t offset = static_cast<size_t>(work.data() - kept.data());
  const size_t length = work.size();
  m_loadedTexts.push_back(std::make_unique<std::string>(std::move(kept)));
  work = std::string_view(*m_loadedTexts.back()).substr(offset, length);
  CVXMLElement* root = Create<CVXMLElement>();
  AddNewChild(root);
  CVXMLParser parser(work, true);
  parser.ParseElement(*root);
  m_options.m_layout = kXmlLayoutCompact;
  return true;
}

CResult<> CVXMLDocument::Save(const std::string& path) const {
  try {
    CCheckedFile file;
    file.Open(path, "wb");
    // The text goes to the file as it is produced, converted piece by piece: the same bytes as the
    // whole text converted at once, without holding it twice.
    CVXMLFileSink sink(file, !m_options.IsHtmlMode());
    std::string text;
    WriteXml(text, &sink, m_options);
    sink.Finish(text);
    file.Close();
  } catch (const CVamelFileException& e) {
    return Failure(e.GetMessage());
  }
  return CResult<>().Done();
}
