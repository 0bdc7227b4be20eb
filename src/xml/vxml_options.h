// Process-wide switches of the XML library: the HTML-mode flag and the writer's layout state.
//
// The library is single-threaded by design: the parser reads the HTML-mode flag, the writer reads the
// layout, and a load resets the layout to compact. Two documents must not be loaded or written at the
// same time.
#pragma once

// Values of the output layout.
inline constexpr int kXmlLayoutCompact = 0;   // no line breaks, no indentation
inline constexpr int kXmlLayoutIndented = 2;  // CR LF line breaks, one tab per level

class CVXMLOptions {
public:
  // The one instance, created on first use with HTML mode off.
  static CVXMLOptions& Instance();

  // 0 = XML mode (the default), 1 = HTML mode. HTML mode folds ASCII letters when names are matched,
  // removes only a DOCTYPE before the root at load, and writes the HTML header, start tags without
  // " />" and internal (not UTF-8) text.
  int m_htmlMode = 0;

  bool IsHtmlMode() const { return m_htmlMode != 0; }

private:
  CVXMLOptions() = default;
};

// Turns HTML mode on for the life of the object and restores the previous mode afterwards.
class CVXMLHtmlModeScope {
public:
  CVXMLHtmlModeScope() : m_previous(CVXMLOptions::Instance().m_htmlMode) { CVXMLOptions::Instance().m_htmlMode = 1; }
  ~CVXMLHtmlModeScope() { CVXMLOptions::Instance().m_htmlMode = m_previous; }
  CVXMLHtmlModeScope(const CVXMLHtmlModeScope&) = delete;
  CVXMLHtmlModeScope& operator=(const CVXMLHtmlModeScope&) = delete;

private:
  int m_previous;
};

// The writer's output layout (kXmlLayoutCompact or kXmlLayoutIndented); the feed writers set it to
// indented after creating their document, every load sets it back to compact.
int GetXmlOutputLayout();
void SetXmlOutputLayout(int layout);

// The indentation depth used while an element is written; a document resets it to 0 in the indented
// layout, and it returns to its previous value after each element.
int GetXmlIndentDepth();
void SetXmlIndentDepth(int depth);
