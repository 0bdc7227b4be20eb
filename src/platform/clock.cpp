#include "platform/clock.h"

#include <atomic>
#include <climits>

namespace {
std::atomic<bool> g_fixed{false};
std::atomic<TimeValue> g_fixedTime{0};
}  // namespace

TimeValue CurrentTime() {
  if (g_fixed.load()) return g_fixedTime.load();
  long long now = static_cast<long long>(std::time(nullptr));
  if (now > INT32_MAX) now = INT32_MAX;
  return static_cast<TimeValue>(now);
}

void SetCurrentTimeOverride(std::optional<TimeValue> now) {
  if (now) g_fixedTime.store(*now);
  g_fixed.store(now.has_value());
}

bool ToLocalTime(TimeValue t, std::tm& out) {
  std::time_t tt = static_cast<std::time_t>(t);
  return localtime_r(&tt, &out) != nullptr;
}

long LocalUtcOffset(TimeValue t) {
  std::tm tm{};
  if (!ToLocalTime(t, tm)) return 0;
  return tm.tm_gmtoff;
}

bool UtcFieldsToTime(int year, int month, int day, int hour, int minute, int second, long long& out) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  // With a 64-bit time_t every four-digit year converts; the caller checks the 32-bit range.
  out = static_cast<long long>(timegm(&tm));
  return true;
}

bool LocalFieldsToTime(int year, int month, int day, int hour, int minute, int second, long long& out) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return false;
  out = static_cast<long long>(t);
  return true;
}
