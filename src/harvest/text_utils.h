// Text and path helpers over internal text (code page 932 byte strings).
//
// A byte in 0x81-0x9F or 0xE0-0xFC is a lead byte: with the byte after it, it forms one double-byte
// character; a carried character (a character the code page lacks, platform/sjis.h) takes five bytes;
// every other byte is a character of its own. Unless a comment says "byte by byte", these functions are
// character-aware: a search for a single-byte character never matches a byte inside a longer character,
// and a cut never splits one.
//
// Separators. Local paths of the program's own project data are written with "\" (the form the project
// file and the site settings carry); URLs and relative page paths use "/". RelativePath,
// ResolveRelativePath and ResolveRelativeUrl work purely on strings:
//   - RelativePath accepts "\" and "/" alike and always answers with "/".
//   - ResolveRelativePath uses "\" as its separator, unless the base path holds a "/" and no "\" (a
//     native path on this platform, "/srv/site/a.html"); then it uses "/" throughout, the relative part's
//     "\" included. So "C:\site\a.html" gives "C:\site\..." and "/srv/site/a.html" gives "/srv/site/...".
//   - ResolveRelativeUrl always works on a URL with "/".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/sjis.h"  // IsLeadByte, CharLengthAt
#include "platform/text_folding.h"


// 1 when a double-byte (or carried) character starts at byte n, 0 when byte n is a single-byte
// character or a later byte of a longer one, -1 when the text ends before n.
int IsLeadByteAt(const std::string& text, std::size_t n);

// The last character (two bytes when it is double-byte, five when carried); "" for "".
std::string LastChar(const std::string& text);

// The text without any "<...>" run; an unclosed "<" is dropped and the text after it kept.
std::string StripTags(const std::string& text);

// Every run of the byte c becomes one c (byte by byte; used with a space, never a second byte).
std::string CollapseRuns(const std::string& text, char c);

// Texts over 255 bytes are cut to at most 253 bytes of whole characters (253, or 252 before a
// double-byte character that starts at 252, or less before a carried character) and get "..".
std::string CutForDescription(const std::string& text);

// The path of the file `to` relative to the folder of the file `from`, with "/" separators. Folder names
// compare without regard to ASCII case. RelativePath("C:\site\index.rdf", "C:\Site\news\a.html") and
// RelativePath("/srv/site/index.rdf", "/srv/site/news/a.html") both give "news/a.html".
std::string RelativePath(const std::string& from, const std::string& to);

// `rel` taken relative to the folder of the file `base` (separators: see above). More leading ".."
// steps than the base folder has levels return `rel` with its separators converted and set *wrong
// (a caller that reports it says "相対パスが誤っています").
std::string ResolveRelativePath(const std::string& base, const std::string& rel, bool* wrong = nullptr);

// `rel` resolved against the page URL `baseUrl` ("http://server/a/b/page.html" with "../img/x.gif"
// gives "http://server/a/img/x.gif"); a base ending in "/" is a folder.
std::string ResolveRelativeUrl(const std::string& baseUrl, const std::string& rel, bool* wrong = nullptr);


// Byte by byte, position i moves digits, upper-case and lower-case letters forward within their own
// range by key[i % key.size()], wrapping; other bytes stay. UnscrambleText moves backward, so the two
// are inverse for any key. An empty key changes nothing.
std::string ScrambleText(const std::string& text, const std::vector<int>& key);
std::string UnscrambleText(const std::string& text, const std::vector<int>& key);

// The key of the password that an archived FTP connection object keeps.
extern const std::vector<int> kFtpObjectPasswordKey;

