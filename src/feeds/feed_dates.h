// Feed dates: the W3C date-time form (RSS 1.0, Atom) and the RFC 822 form (RSS 2.0).
//
// Times are TimeValue (signed 32-bit seconds since 1970, 0 the null time). Formatting uses the
// machine's local time and its real offset from UTC at that instant; parsing computes the instant
// exactly from the written offset.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.h"

// "2006-01-02T10:03:04+09:00" in local time with the local offset; "" for a negative time or one the
// platform cannot convert.
std::string FormatW3cDate(TimeValue t);

// "Mon, 02 Jan 2006 10:03:04 +0900" with English day and month names whatever the locale; "" as above.
std::string FormatRfc822Date(TimeValue t);

// The same, written into `buffer` (for the writers, which format two or three dates per item).
inline constexpr std::size_t kDateBufferSize = 64;
std::string_view FormatW3cDateInto(TimeValue t, char (&buffer)[kDateBufferSize]);
std::string_view FormatRfc822DateInto(TimeValue t, char (&buffer)[kDateBufferSize]);

// Seconds east of UTC of a zone text: "+hhmm" and "+hh:mm" (at least 5 bytes; digits taken by their
// low four bits, unchecked), the names UT GMT EST EDT CST CDT MST MDT PST PDT JST (case-sensitive), and
// the one-letter zones of RFC 822 ("A".."J" -1..-10 h, "K".."M" -10..-12 h, "N".."Y" +1..+12 h). 0 for
// anything else, "Z" and lower-case letters included.
long ParseZoneOffset(const std::string& s);

// A W3C date-time read by its fixed positions: "YYYY-MM-DDThh:mm:ss" with an optional fraction of a
// second and a zone ("Z", "+hh:mm"), or "YYYY-MM-DDThh:mm" with a zone. A date alone ("YYYY-MM-DD",
// also "YYYY-MM" and "YYYY") is local midnight of that day (of the first day of the month or year). A
// zero year, month or day, and an instant outside the TimeValue range, give 0.
TimeValue ParseW3cDate(const std::string& s);

// An RFC 822 date ("Mon, 02 Jan 2006 10:03:04 +0900", "02 Jan 2006 01:03:04 GMT"): day, month name
// (case-sensitive), year (two-digit years 00-49 are 20xx, 50-99 19xx), hour, minute, second (0 when
// missing; "10:03 +0900" has none), zone. 0 when the year is not in 1970-2038, the month unknown, the
// day not in 1-31, the text longer than 4095 bytes, or the instant outside the TimeValue range.
TimeValue ParseRfc822Date(const std::string& s);
