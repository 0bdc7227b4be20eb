// Section feeds: the feeds of a part of the site (the items of one category, or of one folder),
// written beside the project's own feeds in the same formats, with their own title, files, self links
// and ids.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/project_extensions.h"
#include "platform/result.h"

class CRssFile;
class CRssItem;

// Whether an item belongs to the section: its category equals the section's, or its URL lies below the
// section's folder of the site URL. An item belongs to every section whose rule it matches.
bool ItemInSection(const CRssFile& project, const CRssItem& item, const CFeedSection& section);
// Whether the page at `relativePath` ("diary/a.html") belongs to the section: by its folder, or by the
// category of the project's item for the page.
bool PageInSection(const CRssFile& project, const std::string& relativePath, const CFeedSection& section);

// The project as a section's feeds see it: every setting of the project, the title with the section's
// suffix, the section's file names, its own Atom id and RSS 1.0 channel, and only its items.
std::unique_ptr<CRssFile> SectionProject(const CRssFile& project, const CFeedSection& section);

// Writes one format of every section's feeds with `write` (a writer of feeds/feed_writers.h), in the
// order of the sections; a section without a file name for that format writes nothing and has no
// result.
using SectionFeedWriter = CResult<std::string> (*)(const CRssFile&, const std::string&);
std::vector<CResult<std::string>> WriteSectionFeeds(const CRssFile& project, SectionFeedWriter write);

// The section named `name`; null when the project has none of that name.
const CFeedSection* FindSection(const CRssFile& project, const std::string& name);

// The file names of the project's own RSS, Atom and JSON Feed files.
struct CSectionFileNames {
  std::string rss, atom, json;
};
CSectionFileNames ProjectFileNames(const CRssFile& project);

// A section from "NAME=category:VALUE" or "NAME=folder:PATH", optionally followed by ";rss=FILE",
// ";atom=FILE", ";json=FILE" and ";title=SUFFIX" (internal text). Unset, the file names are the
// project's with "-" and the category or folder before their extension ("index-diary.rdf"), the title
// suffix " - NAME". Failed with the reason for anything else.
CResult<CFeedSection> ParseSectionArgument(const std::string& text, const CRssFile& project);
// The file names (from the project's) and the title suffix a new section gets.
void SetSectionDefaults(CFeedSection& section, const CSectionFileNames& project);
// The problem with a section in the project's list (internal text), "" when there is none: an empty
// name or rule value, a name or a file name used twice, or a file name of the project's own feeds.
std::string SectionProblem(const std::vector<CFeedSection>& sections, const CSectionFileNames& project);
