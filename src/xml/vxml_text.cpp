#include "xml/vxml_text.h"

#include <cstring>

#include "xml/vxml_pool.h"

CVXMLText& CVXMLText::operator=(const CVXMLText& other) {
  if (this != &other) Assign(other.View());
  return *this;
}

CVXMLText::CVXMLText(CVXMLText&& other) noexcept : m_data(other.m_data), m_size(other.m_size), m_owned(other.m_owned) {
  other.m_data = nullptr;
  other.m_size = 0;
  other.m_owned = 0;
}

CVXMLText& CVXMLText::operator=(CVXMLText&& other) noexcept {
  if (this == &other) return *this;
  Release();
  m_data = other.m_data;
  m_size = other.m_size;
  m_owned = other.m_owned;
  other.m_data = nullptr;
  other.m_size = 0;
  other.m_owned = 0;
  return *this;
}

void CVXMLText::Assign(std::string_view text) {
  if (text.empty()) {
    Release();
    return;
  }
  // Allocated before the old bytes go: `text` may be a part of them.
  char* block = static_cast<char*>(VXMLPoolAllocate(text.size()));
  std::memcpy(block, text.data(), text.size());
  Release();
  m_data = block;
  m_size = text.size();
  m_owned = 1;
}

void CVXMLText::Borrow(std::string_view text) {
  Release();
  m_data = text.empty() ? nullptr : text.data();
  m_size = text.size();
}

void CVXMLText::MakeOwn() {
  if (!m_owned && m_size > 0) Assign(View());
}

void CVXMLText::Release() noexcept {
  if (m_owned) VXMLPoolFree(const_cast<char*>(m_data), m_size);
  m_data = nullptr;
  m_size = 0;
  m_owned = 0;
}
