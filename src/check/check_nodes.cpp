#include "check/check_nodes.h"

#include <cstring>

namespace {

const char* C(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool SameNs(const xmlNs* actual, const char* ns) {
  if (!ns) return !actual || !actual->href;
  return actual && actual->href && std::strcmp(C(actual->href), ns) == 0;
}

void AppendText(const xmlNode* node, std::string& out, bool deep) {
  for (const xmlNode* c = node->children; c; c = c->next) {
    if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) {
      if (c->content) out += C(c->content);
    } else if (c->type == XML_ENTITY_REF_NODE) {
      // The entity's declaration holds its text; libxml2 keeps it as the reference's first child.
      const xmlEntity* entity = reinterpret_cast<const xmlEntity*>(c->children);
      if (entity && entity->type == XML_ENTITY_DECL && entity->content) out += C(entity->content);
    } else if (deep && c->type == XML_ELEMENT_NODE) {
      AppendText(c, out, true);
    }
  }
}

}  // namespace

const xmlNode* NextInWalk(const xmlNode* node, const xmlNode* root, bool descend) {
  if (descend && node->children) return node->children;
  while (node && node != root && !node->next) node = node->parent;
  if (!node || node == root) return nullptr;
  return node->next;
}

bool IsElement(const xmlNode* node, const char* ns, const char* name) {
  return node && node->type == XML_ELEMENT_NODE && IsNamed(node, name) && SameNs(node->ns, ns);
}

const xmlNode* FirstChild(const xmlNode* parent, const char* ns, const char* name) {
  for (const xmlNode* c = FirstElement(parent); c; c = NextElement(c)) {
    if (IsElement(c, ns, name)) return c;
  }
  return nullptr;
}

const xmlNode* FirstElement(const xmlNode* parent) {
  const xmlNode* c = parent ? parent->children : nullptr;
  while (c && c->type != XML_ELEMENT_NODE) c = c->next;
  return c;
}

const xmlNode* NextElement(const xmlNode* node) {
  const xmlNode* c = node->next;
  while (c && c->type != XML_ELEMENT_NODE) c = c->next;
  return c;
}

bool HasChildElements(const xmlNode* node) { return FirstElement(node) != nullptr; }

std::string_view AttributeView(const xmlNode* node, const char* name, std::string& storage, const char* ns, bool* found) {
  for (const xmlAttr* a = node->properties; a; a = a->next) {
    if (std::strcmp(C(a->name), name) != 0 || !SameNs(a->ns, ns)) continue;
    if (found) *found = true;
    const xmlNode* c = a->children;
    if (!c) return std::string_view();
    if (!c->next && c->type == XML_TEXT_NODE) return c->content ? std::string_view(C(c->content)) : std::string_view();
    storage.clear();
    for (; c; c = c->next) {
      if (c->type == XML_TEXT_NODE && c->content) storage += C(c->content);
      else if (c->type == XML_ENTITY_REF_NODE) {
        const xmlEntity* entity = reinterpret_cast<const xmlEntity*>(c->children);
        if (entity && entity->content) storage += C(entity->content);
      }
    }
    return storage;
  }
  if (found) *found = false;
  return std::string_view();
}

bool HasAttribute(const xmlNode* node, const char* name, const char* ns) {
  for (const xmlAttr* a = node->properties; a; a = a->next) {
    if (std::strcmp(C(a->name), name) == 0 && SameNs(a->ns, ns)) return true;
  }
  return false;
}

std::string Attribute(const xmlNode* node, const char* name, const char* ns, bool* found) {
  std::string storage;
  std::string_view value = AttributeView(node, name, storage, ns, found);
  if (value.data() == storage.data()) return storage;
  return std::string(value);
}

std::string OwnText(const xmlNode* node) {
  // The usual case, one text child, without walking.
  const xmlNode* c = node->children;
  if (c && !c->next && c->type == XML_TEXT_NODE) return c->content ? C(c->content) : "";
  std::string out;
  AppendText(node, out, false);
  return out;
}

std::string_view OwnTextView(const xmlNode* node, std::string& storage) {
  const xmlNode* c = node->children;
  if (!c) return std::string_view();
  if (!c->next && c->type == XML_TEXT_NODE) return c->content ? std::string_view(C(c->content)) : std::string_view();
  storage.clear();
  AppendText(node, storage, false);
  return storage;
}

std::string AllText(const xmlNode* node) {
  std::string out;
  AppendText(node, out, true);
  return out;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

std::string_view TrimSpace(std::string_view s) {
  while (!s.empty() && IsXmlSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsXmlSpace(s.back())) s.remove_suffix(1);
  return s;
}

const xmlNode* CIdSet::Add(const xmlNode* element, std::string_view id, const std::string& storage) {
  if (!storage.empty() && id.data() >= storage.data() && id.data() < storage.data() + storage.size()) {
    built.push_back(std::string(id));
    id = built.back();
  }
  auto [it, inserted] = ids.emplace(id, element);
  return inserted ? nullptr : it->second;
}
