#include <climits>

#include "feeds/feed_dates.h"
#include "support/test_env.h"

namespace {

class FeedDates : public VamelTest {};

constexpr TimeValue kInstant = 1136163784;  // 2006-01-02 01:03:04 UTC

}  // namespace

TEST_F(FeedDates, FormattingUsesTheRealLocalOffset) {
  // Japan: byte for byte the long-standing output.
  EXPECT_EQ(FormatW3cDate(kInstant), "2006-01-02T10:03:04+09:00");
  EXPECT_EQ(FormatRfc822Date(kInstant), "Mon, 02 Jan 2006 10:03:04 +0900");
  EXPECT_EQ(FormatW3cDate(0), "1970-01-01T09:00:00+09:00");
  EXPECT_EQ(FormatW3cDate(INT32_MAX), "2038-01-19T12:14:07+09:00");
  EXPECT_EQ(FormatW3cDate(-1), "");
  EXPECT_EQ(FormatRfc822Date(INT32_MIN), "");
  {
    // UTC: the suffix follows the clock (it used to stay "+09:00").
    ScopedTimeZone tz("UTC");
    EXPECT_EQ(FormatW3cDate(kInstant), "2006-01-02T01:03:04+00:00");
    EXPECT_EQ(FormatRfc822Date(kInstant), "Mon, 02 Jan 2006 01:03:04 +0000");
    EXPECT_EQ(FormatW3cDate(0), "1970-01-01T00:00:00+00:00");
  }
  {
    ScopedTimeZone tz("America/New_York");
    EXPECT_EQ(FormatW3cDate(kInstant), "2006-01-01T20:03:04-05:00");
    EXPECT_EQ(FormatRfc822Date(kInstant), "Sun, 01 Jan 2006 20:03:04 -0500");
    EXPECT_EQ(FormatW3cDate(1151769600), "2006-07-01T12:00:00-04:00");  // summer time
    EXPECT_EQ(FormatRfc822Date(1151769600), "Sat, 01 Jul 2006 12:00:00 -0400");
  }
  {
    // India: an offset with minutes.
    ScopedTimeZone tz("Asia/Kolkata");
    EXPECT_EQ(FormatW3cDate(kInstant), "2006-01-02T06:33:04+05:30");
    EXPECT_EQ(FormatRfc822Date(kInstant), "Mon, 02 Jan 2006 06:33:04 +0530");
  }
}

TEST_F(FeedDates, ZoneOffsets) {
  EXPECT_EQ(ParseZoneOffset("+0900"), 32400);
  EXPECT_EQ(ParseZoneOffset("+09:00"), 32400);
  EXPECT_EQ(ParseZoneOffset("-0500"), -18000);
  EXPECT_EQ(ParseZoneOffset("-05:30"), -19800);
  EXPECT_EQ(ParseZoneOffset("+09"), 0);  // shorter than 5 bytes
  EXPECT_EQ(ParseZoneOffset("+09:0"), 32400);
  EXPECT_EQ(ParseZoneOffset("GMT"), 0);
  EXPECT_EQ(ParseZoneOffset("gmt"), 0);
  EXPECT_EQ(ParseZoneOffset("EDT"), -14400);
  EXPECT_EQ(ParseZoneOffset("PST"), -28800);
  EXPECT_EQ(ParseZoneOffset("JST"), 32400);
  EXPECT_EQ(ParseZoneOffset("A"), -3600);
  EXPECT_EQ(ParseZoneOffset("J"), -36000);
  EXPECT_EQ(ParseZoneOffset("K"), -36000);
  EXPECT_EQ(ParseZoneOffset("M"), -43200);
  EXPECT_EQ(ParseZoneOffset("N"), 3600);
  EXPECT_EQ(ParseZoneOffset("Y"), 43200);
  EXPECT_EQ(ParseZoneOffset("Z"), 0);
  EXPECT_EQ(ParseZoneOffset("m"), 0);
  EXPECT_EQ(ParseZoneOffset(""), 0);
  EXPECT_EQ(ParseZoneOffset("CEST"), 0);
}

TEST_F(FeedDates, W3cDatesInEveryZone) {
  for (const char* zone : {"Asia/Tokyo", "UTC", "America/New_York"}) {
    ScopedTimeZone tz(zone);
    SCOPED_TRACE(zone);
    EXPECT_EQ(ParseW3cDate("2006-01-02T10:03:04+09:00"), kInstant);
    EXPECT_EQ(ParseW3cDate("2006-01-02T01:03:04Z"), kInstant);
    EXPECT_EQ(ParseW3cDate("2006-01-01T20:03:04-05:00"), kInstant);
    EXPECT_EQ(ParseW3cDate("2006-01-02T01:03:04+0000"), kInstant);
    // Without seconds, with a fraction, with "Z": read as written (these used to be read 9 seconds
    // late, or as UTC).
    EXPECT_EQ(ParseW3cDate("2006-01-02T10:03+09:00"), kInstant - 4);
    EXPECT_EQ(ParseW3cDate("2006-01-02T10:03:04.5+09:00"), kInstant);
    EXPECT_EQ(ParseW3cDate("2006-01-02T01:03:04.123456Z"), kInstant);
    EXPECT_EQ(ParseW3cDate("2006-01-02T01:03Z"), kInstant - 4);
    // A summer-time instant of New York is exact in every zone.
    EXPECT_EQ(ParseW3cDate("2006-07-01T12:00:00-04:00"), 1151769600);
    // Zero fields, and instants beyond the 32-bit range, are no date.
    EXPECT_EQ(ParseW3cDate("0000-00-00T00:00:00"), 0);
    EXPECT_EQ(ParseW3cDate("2006-00-02T00:00:00Z"), 0);
    EXPECT_EQ(ParseW3cDate("2038-01-19T03:14:07Z"), INT32_MAX);
    EXPECT_EQ(ParseW3cDate("2038-01-19T03:14:08Z"), 0);
    EXPECT_EQ(ParseW3cDate("1901-12-13T20:45:52Z"), INT32_MIN);
    EXPECT_EQ(ParseW3cDate("1901-12-13T20:45:51Z"), 0);
    EXPECT_EQ(ParseW3cDate("9999-99-99T99:99:99+99:99"), 0);
    EXPECT_EQ(ParseW3cDate(""), 0);
    EXPECT_EQ(ParseW3cDate("garbage"), 0);
  }
  // A date alone is local midnight.
  EXPECT_EQ(ParseW3cDate("2006-01-02"), 1136127600);
  EXPECT_EQ(ParseW3cDate("2006-02"), 1138752000 - 32400);
  EXPECT_EQ(ParseW3cDate("2006"), 1136041200);
  EXPECT_EQ(ParseW3cDate("0000-01-01"), 0);
  {
    ScopedTimeZone tz("America/New_York");
    EXPECT_EQ(ParseW3cDate("2006-01-02"), 1136178000);
  }
}

TEST_F(FeedDates, Rfc822Dates) {
  for (const char* zone : {"Asia/Tokyo", "UTC", "America/New_York"}) {
    ScopedTimeZone tz(zone);
    SCOPED_TRACE(zone);
    EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 2006 10:03:04 +0900"), kInstant);
    EXPECT_EQ(ParseRfc822Date("02 Jan 2006 01:03:04 GMT"), kInstant);
    EXPECT_EQ(ParseRfc822Date("Sun, 01 Jan 2006 20:03:04 EST"), kInstant);
    EXPECT_EQ(ParseRfc822Date("Mon,02 Jan 2006 10:03:04 +0900 (JST)"), kInstant);
    EXPECT_EQ(ParseRfc822Date("Sat, 01 Jul 2006 12:00:00 EDT"), 1151769600);
    EXPECT_EQ(ParseRfc822Date("Sat, 01 Jul 2006 12:00:00 -0400"), 1151769600);
    EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 2006 01:03:04 Z"), kInstant);
    // ":" separates tokens, so "+09:00" reads as "+09", too short for a zone: UTC.
    EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 2006 01:03:04 +09:00"), kInstant);
    // No zone is UTC; missing time fields are 0.
    EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 2006 01:03:04"), kInstant);
    EXPECT_EQ(ParseRfc822Date("02 Jan 2006"), kInstant - 3784);
    // A time without seconds keeps its zone (it used to become 900 seconds past the minute, UTC).
    EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 2006 10:03 +0900"), kInstant - 4);
    EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 2006 01:03 GMT"), kInstant - 4);
  }
  // Two-digit years follow RFC 2822 (the year 06 used to become 1906, out of range).
  EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 06 10:03:04 +0900"), kInstant);
  EXPECT_EQ(ParseRfc822Date("Sat, 02 Jan 99 01:03:04 GMT"), 915238984);
  EXPECT_EQ(ParseRfc822Date("02 Jan 49 01:03:04 GMT"), 0);  // 2049: past 2038
  EXPECT_EQ(ParseRfc822Date("02 Jan 50 01:03:04 GMT"), 0);  // 1950: before 1970
  EXPECT_EQ(ParseRfc822Date("02 Jan 106 10:03:04 +0900"), kInstant);  // three digits: + 1900
  EXPECT_EQ(ParseRfc822Date("02 Jan 6 10:03:04 +0900"), 0);  // one digit: 1906
  EXPECT_EQ(ParseRfc822Date("02 Jan xx 10:03:04 +0900"), 0);
  // Case-sensitive month names, range checks.
  EXPECT_EQ(ParseRfc822Date("Mon, 02 jan 2006 10:03:04 +0900"), 0);
  EXPECT_EQ(ParseRfc822Date("Mon, 32 Jan 2006 10:03:04 +0900"), 0);
  EXPECT_EQ(ParseRfc822Date("Mon, 00 Jan 2006 10:03:04 +0900"), 0);
  EXPECT_EQ(ParseRfc822Date("Mon, 02 Jan 1969 10:03:04 +0900"), 0);
  EXPECT_EQ(ParseRfc822Date("Tue, 19 Jan 2038 03:14:07 GMT"), INT32_MAX);
  EXPECT_EQ(ParseRfc822Date("Tue, 19 Jan 2038 03:14:08 GMT"), 0);
  EXPECT_EQ(ParseRfc822Date("31 Dec 2038 23:59:59 GMT"), 0);
  EXPECT_EQ(ParseRfc822Date("02 Jan 2006 99999999999999999999:00:00 GMT"), 0);
  EXPECT_EQ(ParseRfc822Date(""), 0);
  EXPECT_EQ(ParseRfc822Date("Mon,"), 0);
  EXPECT_EQ(ParseRfc822Date(",,,"), 0);
  // Hours, minutes and seconds are not checked: they carry over like clock arithmetic.
  EXPECT_EQ(ParseRfc822Date("02 Jan 2006 00:00:3784 GMT"), kInstant);
  // Text past 4095 bytes is no date.
  std::string padded = "Mon, 02 Jan 2006 10:03:04 +0900";
  EXPECT_EQ(ParseRfc822Date(padded + std::string(4095 - padded.size(), ' ')), kInstant);
  EXPECT_EQ(ParseRfc822Date(padded + std::string(4096 - padded.size(), ' ')), 0);
}

TEST_F(FeedDates, FormattedDatesParseBack) {
  for (const char* zone : {"Asia/Tokyo", "UTC", "America/New_York", "Australia/Lord_Howe"}) {
    ScopedTimeZone tz(zone);
    for (TimeValue t : {TimeValue{86400}, kInstant, TimeValue{1151769600}, TimeValue{1142148600}, TimeValue{INT32_MAX}}) {
      EXPECT_EQ(ParseW3cDate(FormatW3cDate(t)), t) << zone << " " << t;
      EXPECT_EQ(ParseRfc822Date(FormatRfc822Date(t)), t) << zone << " " << t;
    }
  }
}
