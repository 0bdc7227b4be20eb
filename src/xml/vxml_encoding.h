// How loaded text finds its encoding: byte-order marks, the declared encoding of an XML declaration,
// and the charset of an HTML page's <meta> tag.
#pragma once

#include <string>
#include <string_view>

// True for the names of Shift_JIS and code page 932 (text in them is internal text already).
bool IsShiftJisEncodingName(std::string_view name);

// True when text that is not valid UTF-8 but declares `name` should be converted from it: an encoding
// that iconv knows, other than Shift_JIS/CP932 (already internal), UTF-8 (the text is not) and the
// UTF-16/UTF-32 families (the text is byte-oriented, or it would have had a byte-order mark).
bool ShouldConvertFromDeclared(const std::string& name);

// True for the 7-bit ISO-2022 encodings (ISO-2022-JP and its relatives): their text is valid UTF-8 as
// bytes, so escape sequences in it are what shows that it needs converting.
bool IsIso2022EncodingName(std::string_view name);

// The charset that an HTML page declares in <meta charset="..."> or in
// <meta http-equiv="Content-Type" content="...; charset=...">, the first one found; "" when none.
std::string FindHtmlMetaCharset(std::string_view text);

// Converts text that starts with a UTF-16 byte-order mark (little or big endian) to internal text.
// False (and `out` untouched) when there is no such mark.
bool ConvertUtf16WithBom(std::string_view bytes, std::string& out);
