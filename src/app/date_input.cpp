#include "app/date_input.h"

#include "feeds/feed_dates.h"

namespace {

bool Digits(const std::string& s, std::size_t pos, std::size_t count) {
  if (pos + count > s.size()) return false;
  for (std::size_t i = pos; i < pos + count; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

int Number(const std::string& s, std::size_t pos, std::size_t count) { return std::stoi(s.substr(pos, count)); }

// The shape of a W3C date-time of at least a full date, with fields in range.
bool IsW3cDateTime(const std::string& s) {
  if (!Digits(s, 0, 4) || s.size() < 10 || s[4] != '-' || !Digits(s, 5, 2) || s[7] != '-' || !Digits(s, 8, 2)) return false;
  int month = Number(s, 5, 2), day = Number(s, 8, 2);
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  if (s.size() == 10) return true;
  if (s[10] != 'T' || !Digits(s, 11, 2) || s.size() < 16 || s[13] != ':' || !Digits(s, 14, 2)) return false;
  if (Number(s, 11, 2) > 23 || Number(s, 14, 2) > 59) return false;
  std::size_t pos = 16;
  if (pos < s.size() && s[pos] == ':') {
    if (!Digits(s, 17, 2) || Number(s, 17, 2) > 60) return false;
    pos = 19;
    if (pos < s.size() && s[pos] == '.') {
      ++pos;
      if (!Digits(s, pos, 1)) return false;
      while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
    }
  }
  std::string zone = s.substr(pos);
  if (zone == "Z") return true;
  return zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && Digits(zone, 1, 2) && zone[3] == ':' &&
         Digits(zone, 4, 2) && Number(zone, 1, 2) <= 23 && Number(zone, 4, 2) <= 59;
}

}  // namespace

bool ParseDateInput(const std::string& text, TimeValue& out) {
  if (!IsW3cDateTime(text)) return false;
  TimeValue t = ParseW3cDate(text);
  if (t == 0) return false;
  out = t;
  return true;
}
