// The feed checker: reads an RSS 1.0, RSS 2.0, Atom 0.3 or Atom 1.0 file strictly and reports what is
// wrong with it, whoever wrote it. A file whose first character is "{" is a JSON Feed
// (check_json_feed.h).
//
// libxml2 decides well-formedness (XML 1.0 and namespaces); the checker's own rules cover the rest:
// the structure of each format (Atom 1.0 as RFC 4287 lays it down, built in), the values its elements
// hold (dates, URLs, ids, e-mail addresses, languages, numbers), the common namespaces, and what feed
// readers manage. Hostile files are read without network access, without expanding entities into the
// tree and within libxml2's limits; files above kMaxCheckedFileSize are refused.
//
// Texts (paths, element names, messages) are internal text, as everywhere in the core.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class CheckSeverity { Error, Warning };

// The format, by the root element (and its namespace and version).
enum class CheckedFormat { Unknown, Rss10, Rss20, Atom03, Atom10, JsonFeed };

enum class CheckLanguage { Japanese, English };

struct CFeedFinding {
  CheckSeverity severity = CheckSeverity::Error;
  int line = 0;    // 1-based; 0 when the finding concerns the whole file
  int column = 0;  // 1-based, in characters; 0 when unknown
  std::string element;  // qualified name ("item", "dc:date", "link@href"); "" for the file
  std::string rule;     // a stable name of the rule ("rss20-date", "not-well-formed", ...)
  std::string message;  // short, in the language of the options
};

struct CFeedCheckOptions {
  CheckLanguage language = CheckLanguage::Japanese;
  // A RELAX NG schema to validate Atom 1.0 files with, besides the built-in structure rules. Empty:
  // the VAMELRSS_ATOM_SCHEMA environment variable; none when that is not set either.
  std::string schemaPath;
  // False leaves a named schema out.
  bool useSchema = true;
  // False keeps the parsed document until the next such check or the end of the process instead of
  // freeing it: a command that exits after its checks saves the time that freeing a large tree takes.
  bool freeDocument = true;
};

// What the structure check of an Atom 1.0 file (and a schema named in the options) came to.
enum class SchemaVerdict { NotRun, Valid, Invalid };

struct CFeedCheckResult {
  bool read = false;  // the file could be read (it may still be ill-formed)
  bool wellFormed = false;
  CheckedFormat format = CheckedFormat::Unknown;
  SchemaVerdict schema = SchemaVerdict::NotRun;
  std::vector<CFeedFinding> findings;  // in document order; file-wide findings first

  int ErrorCount() const;
  int WarningCount() const;
  bool HasErrors() const { return ErrorCount() > 0; }
};

inline constexpr std::size_t kMaxCheckedFileSize = 128u << 20;

// Checks the file at `path` (internal text).
CFeedCheckResult CheckFeedFile(const std::string& path, const CFeedCheckOptions& options = {});

// Checks a feed held in memory, as the bytes of a file.
CFeedCheckResult CheckFeedBytes(const std::string& bytes, const CFeedCheckOptions& options = {});

// "RSS 1.0", "RSS 2.0", "Atom 0.3", "Atom 1.0", "JSON Feed", "" for Unknown.
const char* CheckedFormatName(CheckedFormat format);

// The schema the options name: the explicit path, else the environment variable; "" when neither does.
std::string FindAtomSchema(const CFeedCheckOptions& options);
