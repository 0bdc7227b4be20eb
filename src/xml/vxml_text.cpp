#include "xml/vxml_text.h"

#include <cstring>

#include "xml/vxml_arena.h"

CVXMLText::CVXMLText(CVXMLText&& other) noexcept
    : m_data(other.m_data), m_size(other.m_size), m_owned(other.m_owned), m_marked(0) {
  other.m_data = nullptr;
  other.m_size = 0;
  other.m_owned = 0;
}

CVXMLText& CVXMLText::operator=(CVXMLText&& other) noexcept {
  if (this == &other) return *this;
  m_data = other.m_data;
  m_size = other.m_size;
  m_owned = other.m_owned;
  other.m_data = nullptr;
  other.m_size = 0;
  other.m_owned = 0;
  return *this;
}

void CVXMLText::Assign(std::string_view text, CVXMLArena* arena) {
  if (text.empty()) {
    Release(arena);
    return;
  }
  // Allocated before the old bytes go: `text` may be a part of them.
  char* block = static_cast<char*>(VXMLAllocate(arena, text.size()));
  std::memcpy(block, text.data(), text.size());
  Release(arena);
  m_data = block;
  m_size = text.size();
  m_owned = 1;
}

void CVXMLText::Borrow(std::string_view text, CVXMLArena* arena) {
  Release(arena);
  m_data = text.empty() ? nullptr : text.data();
  m_size = text.size();
}

void CVXMLText::Release(CVXMLArena* arena) noexcept {
  if (m_owned) VXMLFree(arena, const_cast<char*>(m_data), m_size);
  m_data = nullptr;
  m_size = 0;
  m_owned = 0;
}
