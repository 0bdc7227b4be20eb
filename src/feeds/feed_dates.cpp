// Feed dates: the W3C date-time form (RSS 1.0, Atom) and the RFC 822 form (RSS 2.0).
#include "feeds/feed_dates.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

namespace {

constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct ZoneName {
  const char* name;
  int hours;
};
constexpr ZoneName kZoneNames[] = {{"UT", 0},   {"GMT", 0},  {"EST", -5}, {"EDT", -4}, {"CST", -6}, {"CDT", -5},
                                   {"MST", -7}, {"MDT", -6}, {"PST", -8}, {"PDT", -7}, {"JST", 9}};

// Longest date text the RFC 822 parser looks at; anything longer is no date.
constexpr std::size_t kMaxRfc822Length = 4095;

// Fields of a broken-down time and their offset, ready for formatting; false when t cannot be converted.
bool LocalParts(TimeValue t, std::tm& tm, char& sign, long& hours, long& minutes) {
  if (t < 0 || !ToLocalTime(t, tm)) return false;
  long offset = tm.tm_gmtoff;
  sign = offset < 0 ? '-' : '+';
  if (offset < 0) offset = -offset;
  hours = offset / 3600;
  minutes = offset / 60 % 60;
  return tm.tm_year + 1900 >= 0 && tm.tm_year + 1900 <= 9999;
}

// `value` (0 to 9999; printf's "%0*ld") in at least `width` digits.
char* PutDigits(char* p, long value, int width) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (n < width) digits[n++] = '0';
  while (n > 0) *p++ = digits[--n];
  return p;
}

char* PutText(char* p, const char* text) {
  while (*text) *p++ = *text++;
  return p;
}

// "hh:mm:ss".
char* PutClock(char* p, const std::tm& tm) {
  p = PutDigits(p, tm.tm_hour, 2);
  *p++ = ':';
  p = PutDigits(p, tm.tm_min, 2);
  *p++ = ':';
  return PutDigits(p, tm.tm_sec, 2);
}

// A decimal integer as atoi reads one: leading white space and a sign, up to the first non-digit.
// Saturates instead of overflowing.
long long DecimalPrefix(const char* p, std::size_t length) {
  std::size_t i = 0;
  while (i < length && (p[i] == ' ' || (p[i] >= '\t' && p[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < length && (p[i] == '+' || p[i] == '-')) negative = p[i++] == '-';
  long long value = 0;
  for (; i < length && p[i] >= '0' && p[i] <= '9'; ++i) {
    if (value < 1000000000LL) value = value * 10 + (p[i] - '0');
  }
  return negative ? -value : value;
}

// The field of `s` at [pos, pos + length), cut at the end of the text.
long long FieldAt(const std::string& s, std::size_t pos, std::size_t length) {
  if (pos >= s.size()) return 0;
  return DecimalPrefix(s.data() + pos, std::min(length, s.size() - pos));
}

// Days from 1970-01-01 to the given proleptic Gregorian date.
long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yoe = y - era * 400;
  long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The instant whose UTC clock reads the given fields, normalising out-of-range fields as timegm does.
// Fields are bounded by the callers (at most about 10^9), so nothing overflows.
long long UtcSeconds(long long year, long long month, long long day, long long hour, long long minute, long long second) {
  long long m0 = month - 1;
  year += m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
  m0 -= (m0 >= 0 ? m0 / 12 : -((11 - m0) / 12)) * 12;
  long long days = DaysFromCivil(year, m0 + 1, 1) + day - 1;
  return days * 86400 + hour * 3600 + minute * 60 + second;
}

TimeValue ToTimeValue(long long t) {
  if (t < INT32_MIN || t > INT32_MAX) return 0;
  return static_cast<TimeValue>(t);
}

// strtok's way of taking tokens: skip delimiters, take the run up to the next one, consume that one.
class CTokenizer {
public:
  explicit CTokenizer(std::string_view text) : m_text(text) {}
  void Restart(std::size_t pos) { m_pos = pos; }
  bool Next(const char* delimiters, std::string_view& token) {
    // The delimiters are all ASCII punctuation or space: a bit mask of them beats strchr per byte.
    std::uint64_t mask = 0;
    for (const char* d = delimiters; *d; ++d) mask |= std::uint64_t{1} << static_cast<unsigned char>(*d);
    auto isDelimiter = [mask](char c) {
      const auto u = static_cast<unsigned char>(c);
      return u < 64 && (mask >> u & 1) != 0;
    };
    while (m_pos < m_text.size() && isDelimiter(m_text[m_pos])) ++m_pos;
    if (m_pos >= m_text.size()) return false;
    std::size_t start = m_pos;
    while (m_pos < m_text.size() && !isDelimiter(m_text[m_pos])) ++m_pos;
    token = m_text.substr(start, m_pos - start);
    if (m_pos < m_text.size()) ++m_pos;
    return true;
  }

private:
  std::string_view m_text;
  std::size_t m_pos = 0;
};

}  // namespace

std::string FormatW3cDate(TimeValue t) {
  char buffer[kDateBufferSize];
  return std::string(FormatW3cDateInto(t, buffer));
}

std::string FormatRfc822Date(TimeValue t) {
  char buffer[kDateBufferSize];
  return std::string(FormatRfc822DateInto(t, buffer));
}

// The fields are written by hand rather than with snprintf, which took most of the time of a date.
std::string_view FormatW3cDateInto(TimeValue t, char (&buffer)[kDateBufferSize]) {
  std::tm tm{};
  char sign;
  long hours, minutes;
  if (!LocalParts(t, tm, sign, hours, minutes)) return std::string_view();
  char* p = buffer;
  p = PutDigits(p, tm.tm_year + 1900, 4);
  *p++ = '-';
  p = PutDigits(p, tm.tm_mon + 1, 2);
  *p++ = '-';
  p = PutDigits(p, tm.tm_mday, 2);
  *p++ = 'T';
  p = PutClock(p, tm);
  *p++ = sign;
  p = PutDigits(p, hours, 2);
  *p++ = ':';
  p = PutDigits(p, minutes, 2);
  return std::string_view(buffer, static_cast<std::size_t>(p - buffer));
}

std::string_view FormatRfc822DateInto(TimeValue t, char (&buffer)[kDateBufferSize]) {
  std::tm tm{};
  char sign;
  long hours, minutes;
  if (!LocalParts(t, tm, sign, hours, minutes)) return std::string_view();
  char* p = buffer;
  p = PutText(p, kDayNames[tm.tm_wday % 7]);
  *p++ = ',';
  *p++ = ' ';
  p = PutDigits(p, tm.tm_mday, 2);
  *p++ = ' ';
  p = PutText(p, kMonthNames[tm.tm_mon % 12]);
  *p++ = ' ';
  p = PutDigits(p, tm.tm_year + 1900, 4);
  *p++ = ' ';
  p = PutClock(p, tm);
  *p++ = ' ';
  *p++ = sign;
  p = PutDigits(p, hours, 2);
  p = PutDigits(p, minutes, 2);
  return std::string_view(buffer, static_cast<std::size_t>(p - buffer));
}

long ParseZoneOffset(const std::string& s) {
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    if (s.size() < 5) return 0;
    // Bytes past the end read as 0, like the terminator of a C string ("+09:0").
    auto digit = [&s](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) & 0x0F : 0; };
    long hours = 10 * digit(1) + digit(2);
    long minutes = s[3] == ':' ? 10 * digit(4) + digit(5) : 10 * digit(3) + digit(4);
    long offset = (hours * 60 + minutes) * 60;
    return s[0] == '-' ? -offset : offset;
  }
  for (const ZoneName& zone : kZoneNames)
    if (s == zone.name) return zone.hours * 3600L;
  if (s.size() == 1) {
    char c = s[0];
    if (c >= 'A' && c <= 'J') return -(c - 'A' + 1) * 3600L;
    if (c >= 'K' && c <= 'M') return -(c - 'K' + 10) * 3600L;
    if (c >= 'N' && c <= 'Y') return (c - 'N' + 1) * 3600L;
  }
  return 0;
}

TimeValue ParseW3cDate(const std::string& s) {
  long long year = FieldAt(s, 0, 4);
  long long month = s.size() > 5 ? FieldAt(s, 5, 2) : 1;
  long long day = s.size() > 8 ? FieldAt(s, 8, 2) : 1;
  if (year == 0 || month == 0 || day == 0) return 0;

  if (s.size() < 11) {
    // A date alone: local midnight; odd fields are normalised as mktime does.
    long long t = 0;
    if (!LocalFieldsToTime(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day), 0, 0, 0, t)) return 0;
    return ToTimeValue(t);
  }

  long long hour = FieldAt(s, 11, 2);
  long long minute = FieldAt(s, 14, 2);
  long long second = 0;
  std::size_t zone = 16;  // "hh:mm" without seconds: the zone follows the minutes
  if (s.size() > 16 && s[16] == ':') {
    second = FieldAt(s, 17, 2);
    zone = 19;
    if (zone < s.size() && (s[zone] == '.' || s[zone] == ',')) {
      ++zone;
      while (zone < s.size() && s[zone] >= '0' && s[zone] <= '9') ++zone;
    }
  }
  long offset = ParseZoneOffset(zone < s.size() ? s.substr(zone) : std::string());
  return ToTimeValue(UtcSeconds(year, month, day, hour, minute, second) - offset);
}

TimeValue ParseRfc822Date(const std::string& input) {
  // The text as a C string would hold it: up to the first zero byte.
  std::string_view s(input.data(), std::min(input.size(), std::strlen(input.c_str())));
  if (s.size() > kMaxRfc822Length) return 0;

  // The day name, when there is one, ends at the first comma; without a comma the date starts at once.
  CTokenizer tokens(s);
  std::string_view token[7];
  int count = 0;
  std::size_t comma = s.find(',');
  if (comma != std::string::npos) {
    tokens.Restart(comma + 1);
    if (tokens.Next(", :(", token[0])) count = 1;
  } else {
    tokens.Restart(0);
    if (tokens.Next(", :+(", token[0])) count = 1;
  }
  while (count > 0 && count < 7 && tokens.Next(", :(", token[count])) ++count;
  if (count < 3) return 0;

  auto number = [&token, count](int i) { return i < count ? DecimalPrefix(token[i].data(), token[i].size()) : 0; };
  long long day = number(0);
  long long month = 13;
  for (int m = 0; m < 12; ++m)
    if (token[1] == kMonthNames[m]) month = m + 1;
  long long year = number(2);
  bool twoDigits = token[2].size() == 2 && token[2][0] >= '0' && token[2][0] <= '9' && token[2][1] >= '0' && token[2][1] <= '9';
  if (twoDigits && year <= 49) year += 2000;  // RFC 2822: 00-49 are 2000-2049, 50-99 1950-1999
  else if (year < 1900) year += 1900;
  // "10:03 +0900" (RFC 822 allows a time without seconds): the zone comes where the second would.
  if (count == 6 && !token[5].empty() && (token[5][0] < '0' || token[5][0] > '9')) {
    token[6] = token[5];
    token[5] = std::string_view();
    count = 7;
  }
  long long hour = number(3);
  long long minute = number(4);
  long long second = number(5);
  long offset = count > 6 ? ParseZoneOffset(std::string(token[6])) : 0;

  if (year < 1970 || year > 2038 || month < 1 || month > 12 || day < 1 || day > 31) return 0;
  return ToTimeValue(UtcSeconds(year, month, day, hour, minute, second) - offset);
}
