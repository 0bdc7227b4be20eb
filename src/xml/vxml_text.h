// The name or value of a node: either held by the node, or borrowed from the loaded text of the
// document that owns the node.
//
// A loaded document keeps its converted text for its whole life (CVXMLDocument), so the parser can
// point names and values into it instead of copying every one of them; a large feed is then held once.
// Everything else (names and values set through the API, copies, nodes parsed from text given by a
// caller) holds its own bytes, from the node pool. A copy always holds its own bytes, and a node that
// moves to another parent is made to hold its own (CVXMLNode::AppendChild), so no node can outlive the
// text it points into.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CVXMLText {
public:
  CVXMLText() : m_size(0), m_owned(0) {}
  explicit CVXMLText(std::string_view text) : CVXMLText() { Assign(text); }
  ~CVXMLText() { Release(); }
  // A copy holds its own bytes.
  CVXMLText(const CVXMLText& other) : CVXMLText() { Assign(other.View()); }
  CVXMLText& operator=(const CVXMLText& other);
  // A move keeps what the text was (held or borrowed).
  CVXMLText(CVXMLText&& other) noexcept;
  CVXMLText& operator=(CVXMLText&& other) noexcept;

  std::string_view View() const { return std::string_view(m_data, m_size); }
  operator std::string_view() const { return View(); }
  std::string Str() const { return std::string(m_data, m_size); }
  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }

  // Holds a copy of `text`.
  void Assign(std::string_view text);
  // Points at `text`, which must outlive this (the loaded text of the owning document, or a constant).
  void Borrow(std::string_view text);
  // Holds a copy of what it points at, when it is borrowed.
  void MakeOwn();
  void clear() { Release(); }

private:
  void Release() noexcept;

  const char* m_data = nullptr;
  std::size_t m_size : 63;
  std::size_t m_owned : 1;  // 1 when m_data is a pool block of m_size bytes that this text holds
};
