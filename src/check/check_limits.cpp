#include "check/check_limits.h"

#include <cstring>
#include <unordered_map>

#include "check/check_bytes.h"
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

// Whether the tag that may start at the "<" at `lt` has more than `limit` attributes: each "=" outside
// quotes up to its end (">", or the next "<" of a tag that never closed).
bool TagHasMore(std::string_view text, std::size_t lt, std::size_t limit) {
  if (lt + 1 >= text.size() || !IsNameStartByte(text[lt + 1])) return false;
  std::size_t count = 0;
  char quote = 0;
  for (std::size_t i = lt + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') break;
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
  return count > limit;
}

}  // namespace

std::size_t ExpandedTextAllowance(std::size_t documentBytes) { return kExpandedTextBase + kExpandedTextPerByte * documentBytes; }

bool HasTagWithMoreAttributes(std::string_view text, std::size_t limit) {
  // The "=" between one "<" and the next bound the attributes of the tag that starts there; they are
  // counted eight bytes at a time, and only a tag whose bound passes the limit is counted exactly.
  constexpr std::size_t npos = static_cast<std::size_t>(-1);
  const char* const s = text.data();
  const std::size_t n = text.size();
  std::size_t segment = npos;  // the last "<" seen
  std::size_t count = 0;       // "=" after it
  bool checked = false;        // its tag was counted exactly already
  auto passes = [&](std::size_t bound) {
    if (bound <= limit || segment == npos || checked) return false;
    checked = true;
    return TagHasMore(text, segment, limit);
  };
  std::size_t i = 0;
  // A tag that starts and ends within one word holds fewer than eight "=": words are skipped over only
  // for limits above that.
  for (; limit >= 8 && i + 8 <= n; i += 8) {
    const std::uint64_t word = WordAt(s + i);
    const std::uint64_t lt = BytesEqual(word, '<');
    std::uint64_t eq = BytesEqual(word, '=');
    if (lt) {
      const int first = FirstMarked(lt);
      const int last = LastMarked(lt);
      const std::uint64_t before = first == 0 ? 0 : eq & (~0ull >> (64 - 8 * first));
      if (passes(count + static_cast<std::size_t>(MarkedBytes(before)))) return true;
      eq = last == 7 ? 0 : eq & (~0ull << (8 * (last + 1)));
      segment = i + static_cast<std::size_t>(last);
      count = 0;
      checked = false;
    }
    count += static_cast<std::size_t>(MarkedBytes(eq));
    if (passes(count)) return true;
  }
  for (; i < n; ++i) {
    if (s[i] == '<') {
      segment = i;
      count = 0;
      checked = false;
    } else if (s[i] == '=' && passes(++count)) {
      return true;
    }
  }
  return false;
}

std::size_t ExpandedEntityText(const xmlNode* root, std::size_t stopAbove) {
  CExpansion expansion(stopAbove);
  expansion.Document(root);
  return expansion.Total();
}
