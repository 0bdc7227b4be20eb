// Which characters an XML name may hold, by code point: those that every XML 1.0 parser takes.
#pragma once

bool IsXmlNameStartChar(char32_t c);
bool IsXmlNameChar(char32_t c);
