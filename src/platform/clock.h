// The program's clock and the local time zone.
//
// Times are signed 32-bit seconds since 1970-01-01 00:00:00 UTC, as the project file stores them; 0 is
// the null time. "Now" comes from one place so that tests and the command line can fix it.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

using TimeValue = std::int32_t;

// The current time, or the fixed time set below.
TimeValue CurrentTime();

// Fixes the clock (tests, VAMELRSS_NOW in the command line); std::nullopt returns to the real clock.
void SetCurrentTimeOverride(std::optional<TimeValue> now);

// Local broken-down time of t; false when the platform cannot convert it.
bool ToLocalTime(TimeValue t, std::tm& out);

// Offset of local time from UTC at the instant t, in seconds east of UTC.
long LocalUtcOffset(TimeValue t);

// The instant whose UTC reading is the given fields (no normalisation of out-of-range fields
// beyond what timegm does); the caller checks that it fits a TimeValue.
bool UtcFieldsToTime(int year, int month, int day, int hour, int minute, int second, long long& out);

// The instant whose local wall-clock reading is the given fields; false when mktime fails.
bool LocalFieldsToTime(int year, int month, int day, int hour, int minute, int second, long long& out);
