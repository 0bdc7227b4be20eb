#include "check/check_limits.h"

#include <cstring>
#include <unordered_map>

#include "check/check_nodes.h"

namespace {

constexpr std::size_t kExpandedTextBase = 1u << 20;
constexpr std::size_t kExpandedTextPerByte = 4;

bool IsNameStartByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
         static_cast<unsigned char>(c) >= 0x80;
}

std::size_t Add(std::size_t a, std::size_t b) { return a > static_cast<std::size_t>(-1) - b ? static_cast<std::size_t>(-1) : a + b; }

// Sums the text a list of nodes stands for; entities are counted once each and remembered.
class CExpansion {
public:
  explicit CExpansion(std::size_t stopAbove) : m_stopAbove(stopAbove) {}

  std::size_t Total() const { return m_total; }
  bool Over() const { return m_total > m_stopAbove; }

  // Walks the element tree below `root` without recursion, counting what each reference adds.
  void Document(const xmlNode* root) {
    for (const xmlNode* node = root; node && !Over(); node = NextInWalk(node, root, node->type == XML_ELEMENT_NODE)) {
      if (node->type == XML_ENTITY_REF_NODE) {
        m_total = Add(m_total, Entity(reinterpret_cast<const xmlEntity*>(node->children)));
      } else if (node->type == XML_ELEMENT_NODE) {
        for (const xmlAttr* a = node->properties; a; a = a->next) {
          for (const xmlNode* c = a->children; c; c = c->next) {
            if (c->type == XML_ENTITY_REF_NODE) m_total = Add(m_total, Entity(reinterpret_cast<const xmlEntity*>(c->children)));
          }
        }
      }
    }
  }

private:
  // The text one reference to `entity` stands for: its parsed content when libxml2 has parsed it (with
  // the references nested in it), else its replacement text.
  std::size_t Entity(const xmlEntity* entity) {
    if (!entity || entity->type != XML_ENTITY_DECL) return 0;
    auto found = m_sizes.find(entity);
    if (found != m_sizes.end()) return found->second;
    m_sizes[entity] = 0;  // a reference to itself adds nothing (libxml2 refuses such files anyway)
    std::size_t size = entity->children ? Nodes(entity->children, 0) : static_cast<std::size_t>(entity->length);
    m_sizes[entity] = size;
    return size;
  }

  // The entity content's nodes: text, references, elements with their attributes and content. Entity
  // content is shallow (libxml2 limits nesting), so this recursion stays short.
  std::size_t Nodes(const xmlNode* first, int depth) {
    std::size_t size = 0;
    for (const xmlNode* c = first; c && size <= m_stopAbove; c = c->next) {
      switch (c->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
          if (c->content) size = Add(size, std::strlen(reinterpret_cast<const char*>(c->content)));
          break;
        case XML_ENTITY_REF_NODE: size = Add(size, Entity(reinterpret_cast<const xmlEntity*>(c->children))); break;
        case XML_ELEMENT_NODE:
          if (depth > 256) return static_cast<std::size_t>(-1);
          for (const xmlAttr* a = c->properties; a; a = a->next) size = Add(size, Nodes(a->children, depth + 1));
          size = Add(size, Nodes(c->children, depth + 1));
          break;
        default: break;
      }
    }
    return size;
  }

  std::size_t m_stopAbove;
  std::size_t m_total = 0;
  std::unordered_map<const xmlEntity*, std::size_t> m_sizes;
};

}  // namespace

std::size_t ExpandedTextAllowance(std::size_t documentBytes) { return kExpandedTextBase + kExpandedTextPerByte * documentBytes; }

std::size_t MostAttributesInATag(std::string_view text, std::size_t stopAbove) {
  std::size_t most = 0;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (most <= stopAbove) {
    const void* open = i < n ? std::memchr(text.data() + i, '<', n - i) : nullptr;
    if (!open) break;
    i = static_cast<std::size_t>(static_cast<const char*>(open) - text.data()) + 1;
    if (i >= n || !IsNameStartByte(text[i])) continue;
    std::size_t count = 0;
    char quote = 0;
    for (; i < n; ++i) {
      const char c = text[i];
      if (c == '<') break;  // the next tag (or not a tag at all): counted on its own
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '=') {
        ++count;
      } else if (c == '>') {
        break;
      }
    }
    if (count > most) most = count;
  }
  return most;
}

std::size_t ExpandedEntityText(const xmlNode* root, std::size_t stopAbove) {
  CExpansion expansion(stopAbove);
  expansion.Document(root);
  return expansion.Total();
}
