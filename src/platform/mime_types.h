// A file's MIME type from its name, through the globs of the shared MIME database
// (<data folder>/mime/globs2 of every XDG data folder), as desktop file managers decide it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class CMimeGlobs {
public:
  // The globs of the database below `dataFolders` (native paths, most important first). A type that a
  // more important folder lists with the pattern "__NOGLOBS__" takes none of its globs from the folders
  // after it. Without any globs2 file the table of common media types below stands in.
  static CMimeGlobs Load(const std::vector<std::string>& dataFolders);

  // The type of the name (UTF-8, without folders). Patterns match regardless of the case of ASCII
  // letters unless flagged "cs". Of several matches a literal pattern wins over a wildcard one, then a
  // case-sensitive one over the others, then the highest weight, then the longest pattern, then the
  // first listed. "" when no pattern matches.
  std::string TypeOf(const std::string& name) const;

  bool IsFallback() const { return m_fallback; }

private:
  struct Glob {
    int weight = 50;
    std::string type;
    std::string pattern;  // lowered unless case-sensitive
    bool caseSensitive = false;
    bool literal = false;  // no wildcard characters
    bool suffix = false;   // "*." and no other wildcard: a plain comparison of the name's end
  };
  static bool Outranks(const Glob& a, const Glob& b);
  void ReadGlobs2(std::istream& in, std::vector<std::string>& noGlobsBefore);

  std::vector<Glob> m_globs;
  bool m_fallback = false;
};

// The type of a file name (internal text; a path is cut to its name) through the database of the XDG
// data folders, read once per process. "" when no pattern matches.
std::string MimeTypeOfName(const std::string& name);

// The text after the last "." of a file name, ASCII letters lowered ("mp3" for "Talk.MP3"); "" without one.
std::string LowerExtension(const std::string& name);
