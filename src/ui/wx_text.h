// The one conversion between wxString and the program's internal text (code page 932 byte strings),
// and wxStrings from the UTF-8 literals of the sources. With the "C" locale wx would turn narrow
// non-ASCII literals into empty strings, so every text goes through here.
#pragma once

#include <wx/string.h>

#include <string>

// Internal text as a wxString.
wxString ToWx(const std::string& internal);
// A wxString as internal text.
std::string FromWx(const wxString& text);
// A UTF-8 literal of the sources: Wx("開く(&O)...").
wxString Wx(const char* utf8);
