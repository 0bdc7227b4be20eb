// Dates typed by the user (the command line's --date and --published).
#pragma once

#include <string>

#include "platform/clock.h"

// A W3C date-time of at least a full date: "2006-01-02" (local midnight), "2006-01-02T10:03+09:00",
// "2006-01-02T10:03:04+09:00", "2006-01-02T01:03:04.5Z". False when the text is not one, when a field is
// out of range, or when the instant is outside the range of times (or is the null time).
bool ParseDateInput(const std::string& text, TimeValue& out);
