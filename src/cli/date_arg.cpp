#include "cli/date_arg.h"

#include <cstdio>

bool ParseDateArg(const std::string& text, TimeValue& out) {
  int y, mo, d, h, mi, s, consumed = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &consumed) != 6) return false;
  std::string zone = text.substr(static_cast<size_t>(consumed));
  long offset = 0;
  if (zone == "Z") {
    offset = 0;
  } else {
    int zh, zm;
    char sign;
    if (zone.size() != 6 || std::sscanf(zone.c_str(), "%c%2d:%2d", &sign, &zh, &zm) != 3 || (sign != '+' && sign != '-'))
      return false;
    offset = (zh * 60L + zm) * 60L * (sign == '-' ? -1 : 1);
  }
  long long t = 0;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || !UtcFieldsToTime(y, mo, d, h, mi, s, t)) return false;
  t -= offset;
  if (t < INT32_MIN || t > INT32_MAX) return false;
  out = static_cast<TimeValue>(t);
  return true;
}
