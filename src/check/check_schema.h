// RELAX NG validation of Atom 1.0 with libxml2. Each schema file is parsed once per process and kept.
#pragma once

#include <libxml/tree.h>

#include <string>

#include "check/check_report.h"
#include "check/feed_check.h"

// Validates `doc` against the schema at `schemaPath` (internal text). Schema errors become findings,
// except on elements where a hand-written rule already reported an error (the same fault said twice).
// NotRun when the schema cannot be read (a warning says so).
SchemaVerdict ValidateWithSchema(xmlDoc* doc, const std::string& schemaPath, CCheckReport& report);
