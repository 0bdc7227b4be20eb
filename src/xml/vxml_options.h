// How the XML library reads and writes markup: XML or HTML mode, and the output layout.
//
// Nothing of it is process-wide. A document carries its own options (set by its owner; a load makes
// its layout compact); a node written on its own, and a name looked up outside a document, take the
// options of the call, XML mode and compact when none are given. So trees can be built, loaded and
// written on several threads at once.
#pragma once

// Values of the output layout.
inline constexpr int kXmlLayoutCompact = 0;   // no line breaks, no indentation
inline constexpr int kXmlLayoutIndented = 2;  // CR LF line breaks, one tab per level

struct CVXMLOptions {
  // 0 = XML mode (the default), 1 = HTML mode. HTML mode folds ASCII letters when names are matched,
  // removes only a DOCTYPE before the root at load, and writes the HTML header, start tags without
  // " />" and internal (not UTF-8) text.
  int m_htmlMode = 0;
  // kXmlLayoutCompact or kXmlLayoutIndented.
  int m_layout = kXmlLayoutCompact;
  // In the indented layout, the depth of the first element written (a document writes its root at 0).
  int m_indentDepth = 0;

  bool IsHtmlMode() const { return m_htmlMode != 0; }
};

// XML mode, compact: what a call without options uses.
inline constexpr CVXMLOptions kXmlCompact{};
// XML mode, indented: feed files.
inline constexpr CVXMLOptions kXmlIndented{0, kXmlLayoutIndented, 0};
// HTML mode, compact: pages and the markup taken from them.
inline constexpr CVXMLOptions kHtmlCompact{1, kXmlLayoutCompact, 0};
