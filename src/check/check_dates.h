// Strict forms of the feed dates, for the checker. The core's parsers are lenient on purpose (they
// read what feeds in the wild hold); these say whether a date keeps to its format.
#pragma once

#include <cstdint>
#include <string_view>

struct CDateCheck {
  bool valid = false;
  bool dayOfWeekWrong = false;  // RFC 822: the named day is not the date's
  bool militaryZone = false;    // RFC 822: a one-letter zone other than "Z"
  std::int64_t instant = 0;     // seconds since 1970 (UTC) of a valid date-time
};

// RFC 822 (RSS 2.0): [Day ","] D[D] Mon YY[YY] hh:mm[:ss] zone, where zone is UT, GMT, EST, EDT,
// CST, CDT, MST, MDT, PST, PDT, one letter, or +hhmm/-hhmm. Two-digit years 00-49 are 20xx, 50-99
// 19xx. Names as RFC 822 writes them ("Jan", "Mon"). Surrounding white space is allowed.
CDateCheck CheckRfc822Date(std::string_view text);

// W3C date and time (RSS 1.0 dc:date, Atom 0.3): YYYY, YYYY-MM, YYYY-MM-DD, or YYYY-MM-DDThh:mm[:ss[.s+]]
// followed by "Z" or +hh:mm/-hh:mm. With `zoneOptional`, a date-time may omit its zone (Atom 0.3
// issued).
CDateCheck CheckW3cDate(std::string_view text, bool zoneOptional = false);

// RFC 3339 as RFC 4287 restricts it (Atom 1.0): YYYY-MM-DDThh:mm:ss[.s+] then "Z" or +hh:mm/-hh:mm,
// "T" and "Z" upper-case.
CDateCheck CheckRfc3339Date(std::string_view text);
