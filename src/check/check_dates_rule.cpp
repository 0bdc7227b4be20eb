// The date rule: the strict form, the day of the week, the zone, and whether the core's own parsers
// (the ones the reader uses) can hold the instant.
#include "check/check_dates.h"
#include "check/check_formats.h"
#include "check/check_nodes.h"
#include "feeds/feed_dates.h"

void CheckDateElement(const xmlNode* element, DateForm form, CCheckReport& report) {
  if (!element) return;
  const std::string text = OwnText(element);
  const std::string trimmed(TrimSpace(text));
  CDateCheck check;
  switch (form) {
    case DateForm::Rfc822: check = CheckRfc822Date(trimmed); break;
    case DateForm::W3c: check = CheckW3cDate(trimmed); break;
    case DateForm::W3cZoneOptional: check = CheckW3cDate(trimmed, true); break;
    case DateForm::Rfc3339: check = CheckRfc3339Date(trimmed); break;
  }
  if (!check.valid) {
    CheckRule rule = form == DateForm::Rfc822 ? CheckRule::Rfc822Date
                     : form == DateForm::Rfc3339 ? CheckRule::Rfc3339Date
                                                 : CheckRule::W3cDate;
    report.AtNode(rule, element, trimmed);
    return;
  }
  if (check.dayOfWeekWrong) report.AtNode(CheckRule::DayOfWeek, element, trimmed);
  if (check.militaryZone) report.AtNode(CheckRule::MilitaryZone, element, trimmed.substr(trimmed.size() - 1));
  // 0 is the parsers' "no date"; the first instant of 1970 is the one valid date that reads as it.
  const TimeValue parsed = form == DateForm::Rfc822 ? ParseRfc822Date(trimmed) : ParseW3cDate(trimmed);
  if (parsed == 0 && check.instant != 0) report.AtNode(CheckRule::DateOutOfRange, element, trimmed);
}
