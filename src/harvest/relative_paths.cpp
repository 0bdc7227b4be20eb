// Relative paths and URLs between the site's local folder and its URL, on strings alone.
#include "harvest/text_utils.h"


namespace {

// Positions of `c` that start a character (not bytes inside a double-byte or carried character).
std::size_t FindCharFrom(const std::string& s, char c, std::size_t from) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (i >= from && s[i] == c) return i;
    i += CharLengthAt(s, i) - 1;
  }
  return std::string::npos;
}

std::size_t FindLastChar(const std::string& s, char c) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == c) last = i;
    i += CharLengthAt(s, i) - 1;
  }
  return last;
}

bool HasChar(const std::string& s, char c) { return FindCharFrom(s, c, 0) != std::string::npos; }

// Every character `from` becomes `to`.
std::string ReplaceChar(const std::string& s, char from, char to) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == from) out[i] = to;
    i += CharLengthAt(out, i) - 1;
  }
  return out;
}

// ASCII letters lowered, second bytes of double-byte characters left alone.
std::string LowerAscii(const std::string& s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    i += CharLengthAt(out, i) - 1;
  }
  return out;
}

// Whether `s` holds `pattern` starting at a character boundary; the pattern starts with a single-byte
// character.
bool HasText(const std::string& s, const std::string& pattern) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s.compare(i, pattern.size(), pattern) == 0) return true;
    i += CharLengthAt(s, i) - 1;
  }
  return false;
}

// `rel` resolved against the folder of `base`, with `sep` as the separator and `other` converted to it.
std::string Resolve(const std::string& base, const std::string& relIn, char sep, char other, bool* wrong) {
  std::size_t last = FindLastChar(base, sep);
  std::string folder = last == std::string::npos ? base : base.substr(0, last);
  std::string rel = ReplaceChar(relIn, other, sep);
  const std::string sepText(1, sep);
  const std::string up = std::string("..") + sep;

  if (!HasText(rel, up)) return folder + (LastChar(folder) == sepText ? "" : sepText) + rel;

  std::size_t levels = 0;
  std::size_t rest = 0;
  while (rel.compare(rest, up.size(), up) == 0) {
    ++levels;
    rest += up.size();
  }
  for (std::size_t i = 0; i < levels; ++i) {
    std::size_t cut = FindLastChar(folder, sep);
    if (cut == std::string::npos) {
      if (wrong) *wrong = true;
      return rel;
    }
    folder.erase(cut);
  }
  return folder + sepText + rel.substr(rest);
}

}  // namespace

std::string RelativePath(const std::string& from, const std::string& to) {
  std::string fromPath = ReplaceChar(from, '\\', '/');
  std::string toPath = ReplaceChar(to, '\\', '/');
  // "/" lies below 0x40 and is never a second byte: rfind is character-aware here.
  std::size_t fromSlash = fromPath.rfind('/');
  std::size_t toSlash = toPath.rfind('/');
  std::string fromFolder = fromSlash == std::string::npos ? fromPath : fromPath.substr(0, fromSlash + 1);
  std::string toFolder = toSlash == std::string::npos ? toPath : toPath.substr(0, toSlash + 1);
  std::string toName = toSlash == std::string::npos ? std::string() : toPath.substr(toSlash + 1);
  if (fromFolder == toFolder) return toName;

  std::size_t f = 0, t = 0;  // the common leading folders are skipped
  while (f < fromFolder.size() && t < toFolder.size()) {
    std::size_t fEnd = fromFolder.find('/', f);
    std::size_t tEnd = toFolder.find('/', t);
    if (fEnd == std::string::npos) fEnd = fromFolder.size();
    if (tEnd == std::string::npos) tEnd = toFolder.size();
    if (LowerAscii(fromFolder.substr(f, fEnd - f)) != LowerAscii(toFolder.substr(t, tEnd - t))) break;
    f = fEnd < fromFolder.size() ? fEnd + 1 : fEnd;
    t = tEnd < toFolder.size() ? tEnd + 1 : tEnd;
  }
  std::string result;
  for (std::size_t i = f; i < fromFolder.size(); ++i)
    if (fromFolder[i] == '/') result += "../";
  return result + toFolder.substr(t) + toName;
}

std::string ResolveRelativePath(const std::string& base, const std::string& rel, bool* wrong) {
  if (wrong) *wrong = false;
  bool native = HasChar(base, '/') && !HasChar(base, '\\');
  return native ? Resolve(base, rel, '/', '\\', wrong) : Resolve(base, rel, '\\', '/', wrong);
}

std::string ResolveRelativeUrl(const std::string& baseUrl, const std::string& rel, bool* wrong) {
  if (wrong) *wrong = false;
  return ReplaceChar(Resolve(ReplaceChar(baseUrl, '/', '\\'), rel, '\\', '/', wrong), '\\', '/');
}
