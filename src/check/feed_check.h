// The feed checker: reads an RSS 1.0, RSS 2.0, Atom 0.3 or Atom 1.0 file strictly and reports what is
// wrong with it, whoever wrote it.
//
// libxml2 decides well-formedness (XML 1.0 and namespaces) and validates Atom 1.0 against the RELAX NG
// schema of RFC 4287; hand-written rules cover what no schema says (dates, URLs, ids, the RSS
// structures, text that holds escaped or misplaced markup). Hostile files are read without network
// access, without expanding entities into the tree and within libxml2's limits; files above
// kMaxCheckedFileSize are refused.
//
// Texts (paths, element names, messages) are internal text, as everywhere in the core.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class CheckSeverity { Error, Warning };

// The format, by the root element (and its namespace and version).
enum class CheckedFormat { Unknown, Rss10, Rss20, Atom03, Atom10 };

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
  // The RELAX NG schema of Atom 1.0 (atom.rng). Empty: the VAMELRSS_ATOM_SCHEMA environment variable,
  // then schemas/atom.rng in the installed data folder. When none is found the other rules still run
  // and one warning says that the schema was not used.
  std::string schemaPath;
  // False leaves the schema out without a warning (tests of the hand-written rules).
  bool useSchema = true;
};

// What the schema validation of an Atom 1.0 file came to.
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

// "RSS 1.0", "RSS 2.0", "Atom 0.3", "Atom 1.0", "" for Unknown.
const char* CheckedFormatName(CheckedFormat format);

// The schema the options lead to: the explicit path, the environment variable, the installed data
// folder; "" when none of them names a file that exists.
std::string FindAtomSchema(const CFeedCheckOptions& options);
