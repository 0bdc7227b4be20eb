// Dates given on the command line.
#pragma once

#include <string>

#include "platform/clock.h"

// A W3C date-time ("2006-01-02T10:03:04+09:00", "...Z"); false when it is not one.
bool ParseDateArg(const std::string& text, TimeValue& out);
