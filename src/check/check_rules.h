// The rules of the feed checker: each with its name, its severity and its message in Japanese and
// English. A message may hold up to two "{}", replaced by the finding's details in order.
#pragma once

#include "check/feed_check.h"

enum class CheckRule {
  FileUnreadable,
  FileTooLarge,
  TooManyAttributes,
  TooMuchText,
  EncodingUndeclared,
  EncodingMismatch,
  EncodingLooksUtf8,
  EncodingUnknown,
  NotWellFormed,
  XmlError,
  XmlWarning,
  UnknownFormat,
  RssVersion,
  MissingElement,
  EmptyTitle,
  ControlCharacter,
  DoubleEscaped,
  RelativeUrl,
  Rss20ItemEmpty,
  Rfc822Date,
  DayOfWeek,
  MilitaryZone,
  DateOutOfRange,
  DuplicateGuid,
  Rss10About,
  Rss10ItemInChannel,
  Rss10NoSeq,
  Rss10SeqResource,
  Rss10SeqUnknown,
  Rss10SeqUnlisted,
  Rss10SeqTwice,
  Rss10DuplicateAbout,
  W3cDate,
  Rfc3339Date,
  DuplicateId,
  NoSelfLink,
  NoAuthor,
  LinkHref,
  NoAlternate,
  TextHoldsMarkup,
  HtmlHoldsElements,
  XhtmlDiv,
  Atom03Mode,
  Atom03Version,
  SchemaInvalid,
  SchemaSkipped,
  SchemaUnreadable,
};

struct CRuleText {
  const char* name;
  CheckSeverity severity;
  const char* japanese;  // UTF-8
  const char* english;
};

const CRuleText& RuleText(CheckRule rule);
