// The file choosers' filter lists: "description |pattern|description |pattern||", entries counted
// from 1.
#pragma once

#include <string>
#include <vector>

struct CFilterEntry {
  std::string description;  // as written, spaces included
  std::string pattern;      // "*.xml;*.rdf"
};

// The pairs of a filter list; a description without a pattern is dropped.
std::vector<CFilterEntry> ParseFileFilter(const std::string& filter);

// The extension a saved name without one gets: the chosen entry's pattern when it names one extension
// ("*.xml" gives "xml"), else `defaultExt` when it is a plain extension; "" otherwise.
std::string ExtensionForSave(const std::vector<CFilterEntry>& entries, int entry, const std::string& defaultExt);

// `path` with ".ext" added when its name has no extension (and `ext` is not empty).
std::string WithExtension(const std::string& path, const std::string& ext);
