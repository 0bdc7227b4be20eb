// The strict date forms: RFC 822 (with the two-digit years of RFC 2822), W3C and RFC 3339.
#include <gtest/gtest.h>

#include "check/check_dates.h"

namespace {

TEST(CheckDates, Rfc822) {
  CDateCheck d = CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 +0900");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.instant, 1136163784);
  EXPECT_FALSE(d.dayOfWeekWrong);
  // Two-digit years: 00-49 are 20xx, 50-99 19xx.
  EXPECT_EQ(CheckRfc822Date("02 Jan 06 01:03:04 GMT").instant, 1136163784);
  EXPECT_EQ(CheckRfc822Date("Thu, 01 Jan 70 00:00:00 UT").instant, 0);
  EXPECT_FALSE(CheckRfc822Date("Thu, 01 Jan 70 00:00:00 UT").dayOfWeekWrong);
  EXPECT_EQ(CheckRfc822Date("Sat, 01 Jan 50 00:00:00 GMT").instant, -631152000);
  EXPECT_EQ(CheckRfc822Date("01 Jan 2006 00:00 EST").instant, 1136091600);
  EXPECT_EQ(CheckRfc822Date("  Sun,1 Jan 2006 00:00:00 -0130\n").instant, 1136079000);
  EXPECT_TRUE(CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 Z").valid);
  EXPECT_FALSE(CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 Z").militaryZone);
  EXPECT_TRUE(CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 Q").militaryZone);
  EXPECT_TRUE(CheckRfc822Date("Tue, 02 Jan 2006 10:03:04 GMT").dayOfWeekWrong);
  EXPECT_TRUE(CheckRfc822Date("Tue, 29 Feb 2000 00:00:00 GMT").valid);
  for (const char* bad : {"", "Mon 02 Jan 2006 10:03:04 GMT", "Mon, 02 Jan 2006", "Mon, 02 Jan 2006 10:03:04",
                          "Mon, 02 Jan 2006 10:03:04 JST", "Mon, 02 Jan 2006 10:03:04 +09:00", "Mon, 02 Jan 2006 24:00:00 GMT",
                          "Mon, 02 Jan 2006 10:60:00 GMT", "Mon, 02 Jan 206 10:03:04 GMT", "Mon, 29 Feb 2006 10:03:04 GMT",
                          "Mon, 00 Jan 2006 10:03:04 GMT", "MON, 02 JAN 2006 10:03:04 GMT", "Mon, 02 Jan 2006 10:03:04 GMT x",
                          "Mon, 02 Jan 2006 10:03:04 +0960", "2006-01-02T10:03:04Z", "Mon, 02 Jan 2006 10:03:04 J"}) {
    EXPECT_FALSE(CheckRfc822Date(bad).valid) << bad;
  }
}

TEST(CheckDates, W3cAndRfc3339) {
  EXPECT_EQ(CheckW3cDate("2006-01-02T10:03:04+09:00").instant, 1136163784);
  EXPECT_EQ(CheckW3cDate("2006-01-02T01:03:04.25Z").instant, 1136163784);
  EXPECT_EQ(CheckW3cDate("2006-01-02T10:03+09:00").instant, 1136163780);
  for (const char* good : {"2006", "2006-01", "2006-01-02", "2006-02-28T00:00:00-12:00"}) {
    EXPECT_TRUE(CheckW3cDate(good).valid) << good;
  }
  for (const char* bad : {"", "06-01-02", "2006-1-2", "2006-13", "2006-02-29", "2006-01-02T10:03:04", "2006-01-02T10Z",
                          "2006-01-02 10:03:04Z", "2006-01-02T10:03:04+0900", "2006-01-02T10:03:04.Z", "2006-01-02T25:00Z"}) {
    EXPECT_FALSE(CheckW3cDate(bad).valid) << bad;
  }
  EXPECT_TRUE(CheckW3cDate("2006-01-02T10:03:04", true).valid);
  EXPECT_EQ(CheckRfc3339Date("2006-01-02T01:03:04Z").instant, 1136163784);
  EXPECT_TRUE(CheckRfc3339Date("2006-01-02T10:03:04.123+09:00").valid);
  for (const char* bad : {"2006-01-02", "2006-01-02T10:03Z", "2006-01-02t10:03:04Z", "2006-01-02T10:03:04z",
                          "2006-01-02T10:03:04", "2006-01-02T10:03:04+09"}) {
    EXPECT_FALSE(CheckRfc3339Date(bad).valid) << bad;
  }
}

}  // namespace
