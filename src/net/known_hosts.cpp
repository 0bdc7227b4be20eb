#include "net/known_hosts.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <vector>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The next field of a line (fields are separated by blanks); empty at the end.
std::string_view NextField(std::string_view& line) {
  size_t start = 0;
  while (start < line.size() && IsSpace(line[start])) ++start;
  size_t end = start;
  while (end < line.size() && !IsSpace(line[end])) ++end;
  std::string_view field = line.substr(start, end - start);
  line.remove_prefix(end);
  return field;
}

bool Base64(std::string_view text, std::string& out) {
  if (text.empty() || text.size() % 4 != 0 || text.size() > (1u << 16)) return false;
  std::vector<unsigned char> buffer(text.size() / 4 * 3);
  const int length = EVP_DecodeBlock(buffer.data(), reinterpret_cast<const unsigned char*>(text.data()),
                                     static_cast<int>(text.size()));
  if (length < 0) return false;
  const size_t padding = text.substr(text.size() - 2) == "==" ? 2 : text.back() == '=' ? 1 : 0;
  out.assign(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(length) - padding);
  return true;
}

// A wildcard pattern ("*" any run, "?" any one character), without regard to letter case.
bool MatchPattern(std::string_view name, std::string_view pattern) {
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// "|1|salt|hash": the hash is HMAC-SHA1 of the name keyed with the salt (both base64).
bool MatchHashed(std::string_view name, std::string_view field) {
  field.remove_prefix(3);
  const size_t bar = field.find('|');
  std::string salt, hash;
  if (bar == std::string_view::npos || !Base64(field.substr(0, bar), salt) || !Base64(field.substr(bar + 1), hash)) {
    return false;
  }
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!HMAC(EVP_sha1(), salt.data(), static_cast<int>(salt.size()), reinterpret_cast<const unsigned char*>(name.data()),
            name.size(), digest, &length)) {
    return false;
  }
  return hash.size() == length && hash.compare(0, length, reinterpret_cast<const char*>(digest), length) == 0;
}

// A comma-separated pattern list: a match of a negated pattern ("!...") rules the name out, else any
// match of a plain one lets it in.
bool MatchHostField(std::string_view name, std::string_view field) {
  if (field.substr(0, 3) == "|1|") return MatchHashed(name, field);
  bool matched = false;
  while (!field.empty()) {
    const size_t comma = field.find(',');
    std::string_view pattern = field.substr(0, comma);
    field = comma == std::string_view::npos ? std::string_view() : field.substr(comma + 1);
    const bool negated = !pattern.empty() && pattern[0] == '!';
    if (negated) pattern.remove_prefix(1);
    if (pattern.empty() || !MatchPattern(name, pattern)) continue;
    if (negated) return false;
    matched = true;
  }
  return matched;
}

// The key type that an SSH key blob names in its first field.
std::string_view BlobType(std::string_view blob) {
  if (blob.size() < 4) return std::string_view();
  size_t length = 0;
  for (int i = 0; i < 4; ++i) length = length << 8 | static_cast<unsigned char>(blob[static_cast<size_t>(i)]);
  if (length > blob.size() - 4) return std::string_view();
  return blob.substr(4, length);
}

}  // namespace

std::string KnownHostsName(const std::string& host, int port) {
  return port == 22 ? host : "[" + host + "]:" + std::to_string(port);
}

KnownHostVerdict LookUpKnownHost(std::string_view knownHosts, const std::string& host, int port,
                                 const std::string& keyBlob) {
  std::string name = KnownHostsName(host, port);
  for (char& c : name) c = Lower(c);
  const std::string_view type = BlobType(keyBlob);
  bool known = false, changed = false;
  while (!knownHosts.empty()) {
    const size_t end = knownHosts.find('\n');
    std::string_view line = knownHosts.substr(0, end);
    knownHosts = end == std::string_view::npos ? std::string_view() : knownHosts.substr(end + 1);
    std::string_view field = NextField(line);
    if (field.empty() || field[0] == '#') continue;
    bool revoked = false;
    if (field[0] == '@') {
      if (field != "@revoked") continue;  // "@cert-authority" and markers unknown to OpenSSH
      revoked = true;
      field = NextField(line);
    }
    if (!MatchHostField(name, field)) continue;
    const std::string_view lineType = NextField(line);
    std::string key;
    if (!Base64(NextField(line), key)) continue;
    if (key == keyBlob) {
      if (revoked) return KnownHostVerdict::kRevoked;
      known = true;
    } else if (!revoked && !type.empty() && lineType == type && BlobType(key) == type) {
      changed = true;
    }
  }
  if (known) return KnownHostVerdict::kKnown;
  return changed ? KnownHostVerdict::kChanged : KnownHostVerdict::kUnknown;
}
