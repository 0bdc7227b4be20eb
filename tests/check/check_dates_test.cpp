// The strict date forms: RFC 822 as RFC 2822 writes it (and the looser form of RFC 822's own text),
// W3C and RFC 3339.
#include <gtest/gtest.h>

#include "check/check_dates.h"

namespace {

TEST(CheckDates, Rfc822StrictLooseAndInvalid) {
  CDateCheck d = CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 +0900");
  EXPECT_TRUE(d.valid);
  EXPECT_EQ(d.instant, 1136163784);
  EXPECT_FALSE(d.dayOfWeekWrong);
  EXPECT_EQ(CheckRfc822Date("02 Jan 2006 01:03:04 GMT").instant, 1136163784);
  EXPECT_EQ(CheckRfc822Date("01 Jan 2006 00:00 EST").instant, 1136091600);
  EXPECT_EQ(CheckRfc822Date("Sun, 01 Jan 2006 00:00:00 -0130").instant, 1136079000);
  EXPECT_EQ(CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 0900").instant, 1136163784);
  EXPECT_TRUE(CheckRfc822Date("Mon, 02 Jan 2006 10:03:04 Z").valid);
  EXPECT_TRUE(CheckRfc822Date("Tue, 02 Jan 2006 10:03:04 GMT").dayOfWeekWrong);
  EXPECT_TRUE(CheckRfc822Date("Tue, 29 Feb 2000 00:00:00 GMT").valid);
  // RFC 822's own looser form: readers disagree over it.
  for (const char* loose : {"02 Jan 06 01:03:04 GMT", "  Sun,1 Jan 2006 00:00:00 -0130\n", "Mon, 02 Jan 2006 10:03:04 Q",
                            "MON, 02 JAN 2006 10:03:04 GMT", "Mon, 02 Jan 2006 10:03:04", "Mon, 02 Jan 2006 10:03:04 +0545",
                            "Mon, 02 Jan 2006 10:03:04 (JST) +0900", "Mon,  02 Jan 2006 10:03:04 GMT", " Mon, 02 Jan 2006 10:03:04 GMT"}) {
    CDateCheck l = CheckRfc822Date(loose);
    EXPECT_FALSE(l.valid) << loose;
    EXPECT_TRUE(l.loose) << loose;
  }
  for (const char* bad : {"", "Mon 02 Jan 2006 10:03:04 GMT", "Mon, 02 Jan 2006", "Mon, 02 Jan 2006 10:03:04 JST",
                          "Mon, 02 Jan 2006 10:03:04 +09:00", "Mon, 02 Jan 2006 24:00:00 GMT", "Mon, 02 Jan 2006 10:60:00 GMT",
                          "Mon, 02 Jan 206 10:03:04 GMT", "Mon, 29 Feb 2006 10:03:04 GMT", "Mon, 00 Jan 2006 10:03:04 GMT",
                          "Mon, 02 Jan 2006 10:03:04 GMT x", "2006-01-02T10:03:04Z", "Mon, 02 Jan 2006 10:03:04 J",
                          "Monday, 02 Jan 2006 10:03:04 GMT", "Mon, 02 January 2006 10:03:04 GMT"}) {
    CDateCheck b = CheckRfc822Date(bad);
    EXPECT_FALSE(b.valid) << bad;
    EXPECT_FALSE(b.loose) << bad;
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
                          "2006-01-02 10:03:04Z", "2006-01-02T10:03:04+0900", "2006-01-02T10:03:04.Z", "2006-01-02T25:00Z", " 2006"}) {
    EXPECT_FALSE(CheckW3cDate(bad).valid) << bad;
  }
  EXPECT_TRUE(CheckW3cDate("2006-01-02T10:03:04", true).valid);
  EXPECT_EQ(CheckRfc3339Date("2006-01-02T01:03:04Z").instant, 1136163784);
  EXPECT_TRUE(CheckRfc3339Date("2006-01-02T10:03:04.123+09:00").valid);
  for (const char* bad : {"2006-01-02", "2006-01-02T10:03Z", "2006-01-02t10:03:04Z", "2006-01-02T10:03:04z",
                          "2006-01-02T10:03:04", "2006-01-02T10:03:04+09", " 2006-01-02T10:03:04Z", "2006-01-02T10:03:04Z\n"}) {
    EXPECT_FALSE(CheckRfc3339Date(bad).valid) << bad;
  }
}

}  // namespace
