#include "xml/vxml_element.h"

#include <utility>

#include "xml/vxml_character_data.h"
#include "xml/vxml_names.h"
#include "xml/vxml_parser.h"

namespace {

constexpr const char* kLineBreak = "\r\n";
// How much serialised text is gathered before it goes to a sink.
constexpr size_t kSinkPiece = 256 * 1024;
constexpr const char* kWhiteSpace = " \t\r\n\v\f";

// The name of a start tag ends at the first of these.
inline bool IsNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimLeft(std::string_view text) {
  size_t first = text.find_first_not_of(kWhiteSpace);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  size_t last = text.find_last_not_of(kWhiteSpace);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace

CVXMLElement::CVXMLElement(std::string_view name, const std::string& text) {
  if (!name.empty()) m_nodeName.Assign(name, m_arena);
  SetNodeValue(text);
}

CVXMLElement::CVXMLElement(std::string_view markup) { ParseElement(markup); }

CVXMLElement::CVXMLElement(const CVXMLElement& other, CopyFlagsTag)
    : m_selfClosing(other.m_selfClosing), m_scriptTag(other.m_scriptTag), m_hasEndTag(other.m_hasEndTag) {
  m_nodeName.Assign(other.m_nodeName.View(), nullptr);
  for (const CVXMLAttribute& attribute : other.GetAttributes()) {
    CVXMLAttribute& copy = AddAttribute();
    copy.m_nodeName.Assign(attribute.m_nodeName.View(), nullptr);
    copy.m_nodeValue.Assign(attribute.m_nodeValue.View(), nullptr);
  }
}

CVXMLElement::~CVXMLElement() {
  m_nodeName.Release(m_arena);
  if (!m_attributes) return;
  m_attributes->~AttributeArray();
  VXMLFree(m_arena, m_attributes, sizeof(AttributeArray));
}

const CVXMLAttributes& CVXMLElement::NoAttributes() {
  static const CVXMLAttributes none;
  return none;
}

CVXMLAttributes& CVXMLElement::Attributes() {
  if (!m_attributes) m_attributes = ::new (VXMLAllocate(m_arena, sizeof(AttributeArray))) AttributeArray(m_arena);
  return m_attributes->list;
}

CVXMLAttribute& CVXMLElement::AddAttribute() {
  CVXMLAttributes& list = Attributes();
  list.push_back(CVXMLAttribute(m_arena));
  return list.back();
}

CVXMLElement::CVXMLElement(const CVXMLElement& other) : CVXMLElement(other, CopyFlagsTag{}) {
  // Deep copy without recursion: element children are copied flat and queued for their own children.
  std::vector<std::pair<const CVXMLElement*, CVXMLElement*>> pending{{&other, this}};
  while (!pending.empty()) {
    auto [source, target] = pending.back();
    pending.pop_back();
    for (const CVXMLNode* child : *source->GetChildNodes()) {
      if (child->GetNodeType() == kXmlElementNode) {
        const auto* element = static_cast<const CVXMLElement*>(child);
        auto* copy = new CVXMLElement(*element, CopyFlagsTag{});  // on the heap, as the copy
        target->AddNewChild(copy);
        pending.emplace_back(element, copy);
      } else {
        target->AddNewChild(child->CloneNode());
      }
    }
  }
}

void CVXMLElement::SetNodeValue(const std::string& text) {
  DeleteChildren();
  if (text.find('<') == std::string::npos) {
    // Plain text (the common case for the feed writers): one text child, as the parser would make.
    if (!text.empty()) {
      CVXMLTextNode* child = NewIn<CVXMLTextNode>(m_arena);
      AddNewChild(child);
      child->m_nodeValue.Assign(text, m_arena);
    }
    return;
  }
  CVXMLParser parser(text);
  parser.ParseContent(this, nullptr);
}

std::string CVXMLElement::GetText() const {
  std::string out;
  VisitDescendants(*this, [&out](const CVXMLNode* node) {
    switch (node->GetNodeType()) {
      case kXmlElementNode:
      case kXmlCommentNode: break;
      case kXmlTextNode:
      case kXmlCDATASectionNode: out.append(node->NodeValue()); break;
      default: out += node->GetText(); break;
    }
    return true;
  });
  return out;
}

int CVXMLElement::FindAttribute(std::string_view name, const CVXMLOptions& options) const {
  const CVXMLAttributes& attributes = GetAttributes();
  for (size_t i = 0; i < attributes.size(); ++i) {
    if (NamesMatch(attributes[i].NodeName(), name, options)) return static_cast<int>(i);
  }
  return -1;
}

std::string CVXMLElement::GetAttribute(std::string_view name, const CVXMLOptions& options) const {
  int index = FindAttribute(name, options);
  return index < 0 ? std::string() : std::string(m_attributes->list[static_cast<size_t>(index)].NodeValue());
}

void CVXMLElement::SetAttribute(const std::string& name, const std::string& value, const CVXMLOptions& options) {
  const bool usable = !value.empty() && value != "\"\"";
  int index = FindAttribute(name, options);
  if (index >= 0) {
    if (usable) m_attributes->list[static_cast<size_t>(index)].SetValue(value);
    else m_attributes->list.erase(m_attributes->list.begin() + index);
  } else if (usable) {
    // As the attribute constructor: every leading and trailing double quote goes.
    std::string_view stripped = value;
    while (!stripped.empty() && stripped.front() == '"') stripped.remove_prefix(1);
    while (!stripped.empty() && stripped.back() == '"') stripped.remove_suffix(1);
    CVXMLAttribute& attribute = AddAttribute();
    attribute.m_nodeName.Assign(name, m_arena);
    attribute.m_nodeValue.Assign(stripped, m_arena);
  }
}

void CVXMLElement::SetAttributeBorrowing(std::string_view name, std::string_view value) {
  const bool usable = !value.empty() && value != "\"\"";
  if (!usable || FindAttribute(name) >= 0) {
    SetAttribute(std::string(name), std::string(value));
    return;
  }
  // As the attribute constructor: every leading and trailing double quote goes.
  while (!value.empty() && value.front() == '"') value.remove_prefix(1);
  while (!value.empty() && value.back() == '"') value.remove_suffix(1);
  CVXMLAttribute& attribute = AddAttribute();
  attribute.BorrowName(name);
  attribute.m_nodeValue.Borrow(value, m_arena);
}

CVXMLNodeList CVXMLElement::GetElementsByTagName(const char* name, const CVXMLOptions& options) const {
  CVXMLNodeList found;
  const std::string_view wanted = name ? std::string_view(name) : std::string_view();
  // A match comes before its own descendants.
  VisitDescendants(*this, [&](CVXMLNode* node) {
    if (node->GetNodeType() == kXmlElementNode && (!name || NamesMatch(node->NodeName(), wanted, options))) {
      found.AddTail(node);
    }
    return true;
  });
  return found;
}

// ---- Writer ----

void CVXMLElement::AppendStartTag(std::string& out, bool html) const {
  if (m_nodeName.empty()) return;
  out += '<';
  out.append(m_nodeName.View());
  if (m_attributes) {
    for (const CVXMLAttribute& attribute : m_attributes->list) {
      out += ' ';
      attribute.AppendXml(out, kXmlCompact);
    }
  }
  if (html || HasChildNodes()) out += '>';
  else out += " />";
}

void CVXMLElement::AppendEndTag(std::string& out) const {
  if (m_nodeName.empty() || m_hasEndTag != 1) return;
  out += "</";
  out.append(m_nodeName.View());
  out += '>';
}

std::string CVXMLElement::GetStartTag(const CVXMLOptions& options) const {
  std::string out;
  AppendStartTag(out, options.IsHtmlMode());
  return out;
}

std::string CVXMLElement::GetEndTag() const {
  std::string out;
  AppendEndTag(out);
  return out;
}

void CVXMLElement::WriteXml(std::string& out, CVXMLSink* sink, const CVXMLOptions& options) const {
  // Every child element starts on a new line in the indented layout, indented by its depth; text stays
  // on the line of what precedes it; an end tag gets its own indented line only after an element child.
  // Iterative, so any depth is safe.
  const int layout = options.m_layout;
  const bool html = options.IsHtmlMode();
  int depth = options.m_indentDepth;
  struct Frame {
    const CVXMLElement* element;
    size_t next;
    int lastType;
  };
  std::vector<Frame> stack;
  auto open = [&](const CVXMLElement* element) {
    if (layout == kXmlLayoutIndented && depth > 0) out.append(static_cast<size_t>(depth), '\t');
    element->AppendStartTag(out, html);
    stack.push_back({element, 0, 0});
  };
  open(this);
  while (!stack.empty()) {
    if (sink && out.size() >= kSinkPiece) sink->Take(out);
    Frame& frame = stack.back();
    const CVXMLNodeList& children = *frame.element->GetChildNodes();
    if (frame.next < children.size()) {
      const CVXMLNode* child = children[frame.next++];
      ++depth;
      frame.lastType = child->GetNodeType();
      switch (frame.lastType) {
        case kXmlElementNode:
          if (layout != kXmlLayoutCompact) out += kLineBreak;
          open(static_cast<const CVXMLElement*>(child));  // its depth is restored when it is closed
          continue;
        case kXmlTextNode: out.append(child->NodeValue()); break;  // the common cases without a call
        case kXmlCDATASectionNode:
          out += "<![CDATA[";
          out.append(child->NodeValue());
          out += "]]>";
          break;
        default: child->AppendXml(out, options); break;
      }
      --depth;
      continue;
    }
    if (frame.lastType == kXmlElementNode && layout != kXmlLayoutCompact) out += kLineBreak;
    if (!children.empty()) {
      if (frame.lastType == kXmlElementNode && layout == kXmlLayoutIndented && depth > 0) {
        out.append(static_cast<size_t>(depth), '\t');
      }
      frame.element->AppendEndTag(out);
    }
    stack.pop_back();
    if (!stack.empty()) --depth;
  }
}

// ---- Parsing ----

void CVXMLElement::ParseElement(std::string_view markup) {
  CVXMLParser parser(markup);
  parser.ParseElement(*this);
}

void CVXMLElement::ParseStartTag(std::string_view markup) { ReadStartTag(markup, false); }

void CVXMLElement::ParseAttributes(std::string_view text) { ReadAttributes(text, false); }

void CVXMLElement::ReadStartTag(std::string_view markup, bool borrow) {
  m_nodeName.Release(m_arena);
  m_selfClosing = 0;
  m_scriptTag = 0;
  if (m_attributes) m_attributes->list.clear();
  auto setName = [&](std::string_view name) {
    if (borrow) m_nodeName.Borrow(name, m_arena);
    else m_nodeName.Assign(name, m_arena);
  };
  size_t lt = FindByteNear(markup, '<');
  if (lt == std::string_view::npos) {
    CVXMLTextNode* text = NewIn<CVXMLTextNode>(m_arena);
    AddNewChild(text);
    if (borrow) text->m_nodeValue.Borrow(markup, m_arena);
    else text->m_nodeValue.Assign(markup, m_arena);
    return;
  }
  size_t gt = FindByteNear(markup, '>', lt + 1);
  if (gt == std::string_view::npos) return;
  std::string_view part = markup.substr(lt + 1, gt - lt - 1);
  if (part.empty()) return;
  if (part.back() == '/') {
    m_selfClosing = 1;
    part.remove_suffix(1);
  }
  if (part.size() > 2 && part.front() == '%' && part.back() == '%') {
    setName(Trim(part.substr(1, part.size() - 2)));
    m_scriptTag = 1;
    return;
  }
  size_t separator = 0;
  while (separator < part.size() && !IsNameEnd(part[separator])) ++separator;
  if (separator == part.size()) {
    setName(part);
    return;
  }
  setName(part.substr(0, separator));
  ReadAttributes(TrimLeft(part.substr(separator + 1)), borrow);
}

void CVXMLElement::ReadAttributes(std::string_view text, bool borrow) {
  // A four-state scan: 0 in a name, 1 between name and value, 2 in a value, 3 after a value.
  CVXMLAttribute pending(m_arena);
  size_t start = 0;
  bool seenEquals = false, inDouble = false, inSingle = false;
  int state = 0;
  auto add = [&]() { Attributes().push_back(std::move(pending)); };
  auto setName = [&](std::string_view name) {
    if (borrow) pending.BorrowName(name);
    else pending.SetName(name);
  };
  auto setValue = [&](std::string_view value) {
    if (borrow) pending.BorrowValue(value);
    else pending.SetValue(value);
  };
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    const bool last = i + 1 == n;
    switch (state) {
      case 0:
        if (c == ' ' || c == '=' || c == '>' || (c == '/' && i > 1)) {
          setName(text.substr(start, i - start));
          state = 1;
          if (c == '=') seenEquals = true;
          if (c == '>' || c == '/') add();
        } else if (last) {
          setName(text.substr(start, i + 1 - start));
          add();
        }
        break;
      case 1:
        if (c == ' ' || c == '=') {
          if (c == '=') seenEquals = true;
        } else if (seenEquals) {
          start = i;
          state = 2;
          if (c == '"') inDouble = true;
          if (c == '\'') inSingle = true;
          if (last) {
            setValue(text.substr(i, 1));
            add();
          }
        } else {
          add();
          state = 0;
          start = i;
          if (last) {
            setName(text.substr(i, 1));
            add();
          }
        }
        break;
      case 2:
        if ((c == '"' && inDouble) || (c == '\'' && inSingle) || (c == ' ' && !inDouble && !inSingle) || c == '>') {
          const bool quote = c == '"' || c == '\'';
          setValue(text.substr(start, i - start + (quote ? 1 : 0)));
          if (!pending.IsEmpty()) add();
          state = 3;
          seenEquals = inDouble = inSingle = false;
        } else if (last) {
          setValue(text.substr(start, i + 1 - start));
          add();
        }
        break;
      case 3:
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') break;
        start = i;
        state = 0;
        if (last) {
          setName(text.substr(i, 1));
          add();
        }
        break;
    }
    if (c == '>') break;
  }
  if (!pending.IsEmpty()) add();
}
