#include "platform/mime_types.h"

#include <fnmatch.h>

#include <algorithm>
#include <fstream>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/xdg_data.h"

namespace {

// The types of the media files a podcast carries, for a system without the database.
constexpr const char* kFallbackGlobs[][2] = {
    {"*.mp3", "audio/mpeg"}, {"*.m4a", "audio/mp4"},      {"*.mp4", "video/mp4"},  {"*.ogg", "audio/ogg"},
    {"*.opus", "audio/ogg"}, {"*.m4v", "video/mp4"},      {"*.mov", "video/quicktime"}, {"*.wav", "audio/x-wav"},
    {"*.flac", "audio/flac"}, {"*.aac", "audio/aac"},
};

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool HasWildcard(const std::string& pattern) { return pattern.find_first_of("*?[") != std::string::npos; }

// Splits "weight:type:pattern[:flags[:...]]"; false for a line of another form.
bool SplitGlobLine(const std::string& line, std::string fields[4]) {
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t colon = line.find(':', start);
    fields[i] = line.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (colon == std::string::npos) return i >= 2;
    start = colon + 1;
  }
  return true;
}

}  // namespace

CMimeGlobs CMimeGlobs::Load(const std::vector<std::string>& dataFolders) {
  CMimeGlobs globs;
  std::vector<std::string> noGlobs;  // types that a more important folder keeps to its own globs
  bool found = false;
  for (const std::string& folder : dataFolders) {
    std::ifstream in(folder + "/mime/globs2");
    if (!in) continue;
    found = true;
    globs.ReadGlobs2(in, noGlobs);
  }
  if (!found) {
    globs.m_fallback = true;
    for (const auto& entry : kFallbackGlobs) {
      Glob glob;
      glob.type = entry[1];
      glob.pattern = entry[0];
      glob.suffix = true;
      globs.m_globs.push_back(std::move(glob));
    }
  }
  return globs;
}

void CMimeGlobs::ReadGlobs2(std::istream& in, std::vector<std::string>& noGlobsBefore) {
  std::string line;
  std::vector<std::string> noGlobsHere;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::string fields[4];
    if (!SplitGlobLine(line, fields) || fields[1].empty() || fields[2].empty()) continue;
    if (std::find(noGlobsBefore.begin(), noGlobsBefore.end(), fields[1]) != noGlobsBefore.end()) continue;
    if (fields[2] == "__NOGLOBS__") {
      noGlobsHere.push_back(fields[1]);
      continue;
    }
    Glob glob;
    try {
      glob.weight = std::stoi(fields[0]);
    } catch (...) {
      continue;
    }
    glob.type = fields[1];
    // Flags are a comma-separated list; "cs" is the one that changes matching.
    glob.caseSensitive = ("," + fields[3] + ",").find(",cs,") != std::string::npos;
    glob.pattern = glob.caseSensitive ? fields[2] : LowerAscii(fields[2]);
    glob.literal = !HasWildcard(glob.pattern);
    glob.suffix = glob.pattern.size() > 2 && glob.pattern.compare(0, 2, "*.") == 0 && !HasWildcard(glob.pattern.substr(1));
    m_globs.push_back(std::move(glob));
  }
  noGlobsBefore.insert(noGlobsBefore.end(), noGlobsHere.begin(), noGlobsHere.end());
}

bool CMimeGlobs::Outranks(const Glob& a, const Glob& b) {
  if (a.literal != b.literal) return a.literal;
  // "*.C" (case-sensitive) and "*.c" name different types: the exact case decides before the weights.
  if (a.caseSensitive != b.caseSensitive) return a.caseSensitive;
  if (a.weight != b.weight) return a.weight > b.weight;
  return a.pattern.size() > b.pattern.size();
}

std::string CMimeGlobs::TypeOf(const std::string& name) const {
  const std::string lowered = LowerAscii(name);
  const Glob* best = nullptr;
  for (const Glob& glob : m_globs) {
    const std::string& subject = glob.caseSensitive ? name : lowered;
    bool match = false;
    if (glob.literal) {
      match = subject == glob.pattern;
    } else if (glob.suffix) {
      const std::size_t n = glob.pattern.size() - 1;  // without the "*"
      match = subject.size() >= n && subject.compare(subject.size() - n, n, glob.pattern, 1, n) == 0;
    } else {
      match = fnmatch(glob.pattern.c_str(), subject.c_str(), 0) == 0;
    }
    if (!match) continue;
    if (!best || Outranks(glob, *best)) best = &glob;
  }
  return best ? best->type : std::string();
}

std::string MimeTypeOfName(const std::string& name) {
  static const CMimeGlobs globs = CMimeGlobs::Load(XdgDataFolders());
  return globs.TypeOf(AnsiToUtf8(NameOf(name)));
}

std::string LowerExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : LowerAscii(name.substr(dot + 1));
}
