// The date rule: the strict form (or the old, loose one), the day of the week, and whether the core's own parsers
// (the ones the reader uses) can hold the instant.
#include <cstdint>
#include <string>

#include "check/check_dates.h"
#include "check/check_formats.h"
#include "check/check_nodes.h"
#include "feeds/feed_dates.h"

void CheckDateElement(const xmlNode* element, DateForm form, CCheckReport& report) {
  if (!element) return;
  std::string storage;
  const std::string_view text = OwnTextView(element, storage);
  const std::string_view trimmed = TrimSpace(text);
  CDateCheck check;
  switch (form) {
    case DateForm::Rfc822: check = CheckRfc822Date(text); break;
    case DateForm::W3c: check = CheckW3cDate(text); break;
    case DateForm::W3cZoneOptional: check = CheckW3cDate(text, true); break;
    case DateForm::Rfc3339: check = CheckRfc3339Date(text); break;
  }
  if (check.loose) {
    report.AtNode(CheckRule::Rfc822Loose, element, trimmed);
    return;
  }
  if (!check.valid) {
    CheckRule rule = form == DateForm::Rfc822 ? CheckRule::Rfc822Date
                     : form == DateForm::Rfc3339 ? CheckRule::Rfc3339Date
                                                 : CheckRule::W3cDate;
    report.AtNode(rule, element, trimmed);
    return;
  }
  if (check.dayOfWeekWrong) report.AtNode(CheckRule::DayOfWeek, element, trimmed);
  // An instant after 1970 that 32 bits hold is read by the core's parsers (the reader's) as it is;
  // outside that the core's parser says whether it can read the date (0 is its "no date").
  if (check.instant > 0 && check.instant <= INT32_MAX) return;
  const std::string copy(trimmed);
  const TimeValue parsed = form == DateForm::Rfc822 ? ParseRfc822Date(copy) : ParseW3cDate(copy);
  if (parsed == 0 && check.instant != 0) report.AtNode(CheckRule::DateOutOfRange, element, trimmed);
}
