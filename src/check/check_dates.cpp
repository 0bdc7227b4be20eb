#include "check/check_dates.h"

#include <string>

#include "check/check_nodes.h"

namespace {

bool IsLeap(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(long y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(long y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<std::int64_t>(era) * 146097 + doe - 719468;
}

// A cursor over the text with the small readers the three grammars share.
struct CCursor {
  std::string_view s;
  size_t i = 0;

  bool AtEnd() const { return i >= s.size(); }
  bool Take(char c) {
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
  // Exactly `n` digits.
  bool Digits(size_t n, int& value) {
    if (i + n > s.size()) return false;
    value = 0;
    for (size_t k = 0; k < n; ++k) {
      char c = s[i + k];
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    i += n;
    return true;
  }
  size_t CountDigits() const {
    size_t k = i;
    while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
    return k - i;
  }
  bool Spaces() {
    size_t start = i;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i > start;
  }
};

bool ValidTime(int h, int m, int sec) { return h <= 23 && m <= 59 && sec <= 60; }

// "Z" (when allowed), "+hh:mm" or "-hh:mm": the offset in seconds east of UTC.
bool NumericZone(CCursor& c, bool allowZ, long& offset) {
  if (allowZ && c.Take('Z')) {
    offset = 0;
    return true;
  }
  int sign = c.Take('+') ? 1 : c.Take('-') ? -1 : 0;
  int h, m;
  if (!sign || !c.Digits(2, h) || !c.Take(':') || !c.Digits(2, m) || h > 23 || m > 59) return false;
  offset = sign * (h * 3600L + m * 60L);
  return true;
}

// hh:mm:ss with an optional fraction; or (when `secondsOptional`) hh:mm.
bool Time(CCursor& c, bool secondsOptional, int& h, int& m, int& sec) {
  sec = 0;
  if (!c.Digits(2, h) || !c.Take(':') || !c.Digits(2, m)) return false;
  if (c.Take(':')) {
    if (!c.Digits(2, sec)) return false;
    if (c.Take('.')) {
      if (c.CountDigits() == 0) return false;
      c.i += c.CountDigits();
    }
  } else if (!secondsOptional) {
    return false;
  }
  return ValidTime(h, m, sec);
}

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The index of the three-letter name at the cursor among `names`, the cursor past it; -1 when none is.
int NameIndex(CCursor& c, const char* const* names, int count) {
  if (c.i + 3 > c.s.size()) return -1;
  const char* at = c.s.data() + c.i;
  for (int k = 0; k < count; ++k) {
    if (at[0] == names[k][0] && at[1] == names[k][1] && at[2] == names[k][2]) {
      c.i += 3;
      return k;
    }
  }
  return -1;
}

}  // namespace

namespace {

// RFC 822's own, looser form: after comments are dropped and case is folded,
// [day \s* "," \s*] d[d] \s+ mon \s+ yy[yy] \s+ hh:mm[:ss] \s* [zone].
bool LooseRfc822(std::string_view text) {
  std::string s;
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    else if (c == ')' && depth > 0) {
      --depth;
      s += ' ';
    } else if (depth == 0) s += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  CCursor c{TrimSpace(s)};
  auto spaces = [&] {
    size_t start = c.i;
    while (c.i < c.s.size() && IsXmlSpace(c.s[c.i])) ++c.i;
    return c.i > start;
  };
  static const char* const kLowerDays[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
  static const char* const kLowerMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                             "jul", "aug", "sep", "oct", "nov", "dec"};
  if (NameIndex(c, kLowerDays, 7) >= 0) {
    spaces();
    if (!c.Take(',')) return false;
    spaces();
  }
  size_t n = c.CountDigits();
  int value;
  if ((n != 1 && n != 2) || !c.Digits(n, value) || !spaces()) return false;
  if (NameIndex(c, kLowerMonths, 12) < 0 || !spaces()) return false;
  n = c.CountDigits();
  if ((n != 2 && n != 4) || !c.Digits(n, value) || !spaces()) return false;
  if (!c.Digits(2, value) || !c.Take(':') || !c.Digits(2, value)) return false;
  if (c.Take(':') && !c.Digits(2, value)) return false;
  const bool spaced = spaces();
  std::string_view zone = c.s.substr(c.i);
  if (zone.empty()) return true;
  if (!spaced) return false;
  if (zone.size() == 5 && (zone[0] == '+' || zone[0] == '-')) {
    ++c.i;
    return c.Digits(4, value) && c.AtEnd();
  }
  for (const char* z : {"ut", "gmt", "est", "edt", "cst", "cdt", "mst", "mdt", "pst", "pdt"}) {
    if (zone == z) return true;
  }
  return zone.size() == 1 && zone[0] >= 'a' && zone[0] <= 'z' && zone[0] != 'j';
}

}  // namespace

CDateCheck CheckRfc822Date(std::string_view text) {
  CDateCheck result;
  CCursor c{text};
  int weekday = -1;
  if (c.CountDigits() == 0) {
    weekday = NameIndex(c, kDays, 7);
    if (weekday < 0 || !c.Take(',') || !c.Take(' ')) {
      result.loose = LooseRfc822(text);
      return result;
    }
  }
  int day, year, h, m, sec;
  size_t dayDigits = c.CountDigits();
  int month = 0;
  bool ok = (dayDigits == 1 || dayDigits == 2) && c.Digits(dayDigits, day) && c.Take(' ');
  ok = ok && (month = NameIndex(c, kMonths, 12) + 1) > 0 && c.Take(' ') && c.Digits(4, year) && c.Take(' ');
  ok = ok && c.Digits(2, h) && c.Take(':') && c.Digits(2, m);
  sec = 0;
  if (ok && c.Take(':')) ok = c.Digits(2, sec);
  ok = ok && c.Take(' ');
  long offset = 0;
  if (ok) {
    std::string_view zone = c.s.substr(c.i);
    size_t signless = zone.size() == 5 && (zone[0] == '+' || zone[0] == '-') ? 1 : 0;
    if (zone.size() == 4 + signless && zone.find_first_not_of("0123456789", signless) == std::string_view::npos) {
      int hh = (zone[signless] - '0') * 10 + (zone[signless + 1] - '0');
      int mm = (zone[signless + 2] - '0') * 10 + (zone[signless + 3] - '0');
      ok = zone[signless + 3] == '0' && (zone[signless + 2] == '0' || zone[signless + 2] == '3');
      offset = (zone[0] == '-' ? -1 : 1) * (hh * 3600L + mm * 60L);
    } else {
      static const struct {
        const char* name;
        int hours;
      } kZones[] = {{"UT", 0},   {"GMT", 0},  {"Z", 0},    {"EST", -5}, {"EDT", -4}, {"CST", -6},
                    {"CDT", -5}, {"MST", -7}, {"MDT", -6}, {"PST", -8}, {"PDT", -7}};
      ok = false;
      for (const auto& z : kZones) {
        if (zone == z.name) {
          offset = z.hours * 3600L;
          ok = true;
        }
      }
    }
  }
  if (!ok) {
    result.loose = LooseRfc822(text);
    return result;
  }
  // The strict form with a date that does not exist, or a time beyond the day, is no date at all.
  if (day < 1 || day > DaysInMonth(year, month) || !ValidTime(h, m, sec)) return result;
  const std::int64_t days = DaysFromCivil(year, month, day);
  result.valid = true;
  result.instant = days * 86400 + h * 3600 + m * 60 + sec - offset;
  if (weekday >= 0) result.dayOfWeekWrong = ((days % 7 + 7 + 4) % 7) != weekday;  // 1970-01-01 was a Thursday
  return result;
}

CDateCheck CheckW3cDate(std::string_view text, bool zoneOptional) {
  CDateCheck result;
  CCursor c{text};
  int year, month = 1, day = 1, h = 0, m = 0, sec = 0;
  long offset = 0;
  if (!c.Digits(4, year)) return result;
  if (c.Take('-')) {
    if (!c.Digits(2, month) || month < 1 || month > 12) return result;
    if (c.Take('-')) {
      if (!c.Digits(2, day) || day < 1 || day > DaysInMonth(year, month)) return result;
      if (c.Take('T')) {
        if (!Time(c, true, h, m, sec)) return result;
        if (!(zoneOptional && c.AtEnd()) && !NumericZone(c, true, offset)) return result;
      }
    }
  }
  if (!c.AtEnd()) return result;
  result.valid = true;
  result.instant = DaysFromCivil(year, month, day) * 86400 + h * 3600 + m * 60 + sec - offset;
  return result;
}

CDateCheck CheckRfc3339Date(std::string_view text) {
  CDateCheck result;
  CCursor c{text};
  int year, month, day, h, m, sec;
  long offset = 0;
  if (!c.Digits(4, year) || !c.Take('-') || !c.Digits(2, month) || month < 1 || month > 12 || !c.Take('-') ||
      !c.Digits(2, day) || day < 1 || day > DaysInMonth(year, month) || !c.Take('T') || !Time(c, false, h, m, sec) ||
      !NumericZone(c, true, offset) || !c.AtEnd()) {
    return result;
  }
  result.valid = true;
  result.instant = DaysFromCivil(year, month, day) * 86400 + h * 3600 + m * 60 + sec - offset;
  return result;
}
