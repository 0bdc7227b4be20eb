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
  EntityInExternalDtd,
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
  Atom03Mode,
  Atom03Version,
  SchemaInvalid,
  SchemaUnreadable,
  // Structure: elements and attributes where they stand, how often, what they hold.
  UnknownElement,
  DuplicateElement,
  UnexpectedElement,
  UnexpectedText,
  UnexpectedAttribute,
  MissingAttribute,
  ElementAfterEntry,
  ForeignInXhtml,
  UncheckedFormat,
  AtomTextType,
  ContentSrcNotEmpty,
  // Values.
  NotInteger,
  NotPositive,
  OutOfRange,
  DuplicateValue,
  TooMany,
  EnumValue,
  LanguageTag,
  EmailAddress,
  MediaType,
  UrlCharacter,
  UrlScheme,
  IdSyntax,
  LinkRel,
  LinkRelUnregistered,
  DuplicateAlternate,
  Rfc822Loose,
  Latitude,
  Longitude,
  MediaHash,
  MediaGroup,
  MediaNamespace,
  ItunesCategory,
  ItunesCategoryObsolete,
  // What podcast directories reject.
  PodcastRequired,
  PodcastEnclosureLength,
  PodcastEnclosureType,
  // What readers manage.
  FeedTooLarge,
  TooManyItems,
  RelativeUrlInContent,
  // JSON Feed.
  JsonSyntax,
  JsonVersion,
  JsonType,
  JsonNoContent,
};

struct CRuleText {
  const char* name;
  CheckSeverity severity;
  const char* japanese;  // UTF-8
  const char* english;
};

const CRuleText& RuleText(CheckRule rule);
