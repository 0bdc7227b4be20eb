// The writers' table of XML name characters is XML 1.0's (fourth edition, Appendix B), as libxml2
// holds it: letters and ideographs start a name; digits, combining characters and extenders, "." and
// "-" may follow.
#include <gtest/gtest.h>

#include <libxml/chvalid.h>

#include "feeds/xml_name_chars.h"

TEST(XmlNameChars, EveryCodePointAsXml10Classes) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const unsigned v = static_cast<unsigned>(c);
    const bool letter = xmlIsBaseChar(v) || xmlIsIdeographic(v);
    const bool start = letter || c == '_' || c == ':';
    const bool name = start || xmlIsDigit(v) || xmlIsCombining(v) || xmlIsExtender(v) || c == '.' || c == '-';
    ASSERT_EQ(IsXmlNameStartChar(c), start) << std::hex << v;
    ASSERT_EQ(IsXmlNameChar(c), name) << std::hex << v;
  }
}
