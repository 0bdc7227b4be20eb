// Decoding of character references in text that the reader takes from feeds and pages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Replaces the references "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#N;" and "&#xN;" by their
// characters, and with `htmlNamedEntities` also the named entities of HTML 4 ("&eacute;", "&copy;"...,
// with "&#128;" to "&#159;" read as windows-1252 the way browsers do). Each reference is decoded once:
// "&amp;lt;" gives "&lt;".
//
// The result is internal text, every character as itself ("&copy;" and "&#x1F363;" are carried when
// the code page lacks them, "&nbsp;" is the no-break space, "&yen;" the yen sign). An unknown name, a
// malformed reference, a missing ";" and a number that is no XML character ("&#0;", "&#xD800;", beyond
// U+10FFFF) stay as written. Never throws; linear in the length of the text.
std::string DecodeCharacterReferences(std::string_view text, bool htmlNamedEntities);

// The code point of an HTML 4 named entity ("nbsp" gives 0xA0, "amp" 0x26); 0 for an unknown name.
std::uint32_t HtmlEntityCodePoint(std::string_view name);
