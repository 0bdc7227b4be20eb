// Strict forms of the feed dates, for the checker. The core's parsers are lenient on purpose (they
// read what feeds in the wild hold); these say whether a date keeps to its format.
#pragma once

#include <cstdint>
#include <string_view>

struct CDateCheck {
  bool valid = false;
  bool dayOfWeekWrong = false;  // RFC 822: the named day is not the date's
  bool loose = false;           // RFC 822: not valid, but in the looser form of RFC 822's own text
  std::int64_t instant = 0;     // seconds since 1970 (UTC) of a valid date-time
};

// RFC 822 as RFC 2822 writes it (RSS 2.0): [Day ", "] D[D] Mon YYYY hh:mm[:ss] zone, single spaces,
// names as written ("Jan", "Mon"), zone UT, GMT, Z, EST, EDT, CST, CDT, MST, MDT, PST, PDT or
// [+-]hhmm with minutes 00 or 30. Failing that, `loose` says the text has the form RFC 822 itself
// allowed (names in any case, two-digit years, more white space, comments in parentheses, one-letter
// zones, other offsets, no zone): readers disagree over those.
CDateCheck CheckRfc822Date(std::string_view text);

// W3C date and time (RSS 1.0 dc:date, Atom 0.3): YYYY, YYYY-MM, YYYY-MM-DD, or YYYY-MM-DDThh:mm[:ss[.s*]]
// followed by "Z" or +hh:mm/-hh:mm. With `zoneOptional`, a date-time may omit its zone (Atom 0.3
// issued). No white space around it.
CDateCheck CheckW3cDate(std::string_view text, bool zoneOptional = false);

// RFC 3339 as RFC 4287 restricts it (Atom 1.0): YYYY-MM-DDThh:mm:ss[.s+] then "Z" or +hh:mm/-hh:mm,
// "T" and "Z" upper-case, no white space around it.
CDateCheck CheckRfc3339Date(std::string_view text);
