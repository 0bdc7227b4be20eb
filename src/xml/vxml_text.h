// The name or value of a node: either held by the node, or borrowed from the loaded text of the
// document that owns the node.
//
// A loaded document keeps its converted text for its whole life (CVXMLDocument), so the parser can
// point names and values into it instead of copying every one of them; a large feed is then held once.
// Everything else (names and values set through the API, copies, nodes parsed from text given by a
// caller) holds its own bytes, from the arena of the node's document (the heap for a node made without
// one). A text does not know that arena: the node that holds it passes it to every call that takes or
// gives back bytes, and releases it when it goes. A copy always holds its own bytes, and a node never
// leaves its document, so no node can outlive the text it points into.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CVXMLArena;

class CVXMLText {
public:
  CVXMLText() : m_size(0), m_owned(0), m_marked(0) {}
  // Holds nothing of its own by then: the node released it.
  ~CVXMLText() = default;
  CVXMLText(const CVXMLText&) = delete;
  CVXMLText& operator=(const CVXMLText&) = delete;
  // A move keeps what the text was (held or borrowed) and leaves the other empty (the marks stay where
  // they are); the bytes stay in
  // the arena they came from, so both must belong to the same one. The target must hold nothing.
  CVXMLText(CVXMLText&& other) noexcept;
  CVXMLText& operator=(CVXMLText&& other) noexcept;

  std::string_view View() const { return std::string_view(m_data, m_size); }
  operator std::string_view() const { return View(); }
  std::string Str() const { return std::string(m_data, m_size); }
  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }

  // Holds a copy of `text`, from `arena`.
  void Assign(std::string_view text, CVXMLArena* arena);
  // Points at `text`, which must outlive this (the loaded text of the owning document, or a constant).
  void Borrow(std::string_view text, CVXMLArena* arena);
  // Gives back what it holds (to `arena`, where it came from) and becomes empty.
  void Release(CVXMLArena* arena) noexcept;

  // One bit that the holder may use for a mark of its own (kept through every change of the text), so
  // that a rarely used field of a node costs no room in every node.
  bool Marked() const { return m_marked != 0; }
  void SetMarked(bool marked) { m_marked = marked ? 1 : 0; }

private:
  const char* m_data = nullptr;
  std::size_t m_size : 62;
  std::size_t m_owned : 1;   // 1 when m_data is a block of m_size bytes that this text holds
  std::size_t m_marked : 1;  // the holder's
};
