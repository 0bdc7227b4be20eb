#include "check/check_values.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "check/check_nodes.h"
#include "check/check_text.h"

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) { return IsAlpha(c) || IsDigit(c); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCopy(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Lower(c);
  return out;
}

// ISO 639-1, with the codes it has withdrawn that feeds still use (in, iw, ji, jw, mo, sh).
const char* const kIso639[] = {
    "aa", "ab", "ae", "af", "ak", "am", "an", "ar", "as", "av", "ay", "az", "ba", "be", "bg", "bh", "bi", "bm", "bn",
    "bo", "br", "bs", "ca", "ce", "ch", "co", "cr", "cs", "cu", "cv", "cy", "da", "de", "dv", "dz", "ee", "el", "en",
    "eo", "es", "et", "eu", "fa", "ff", "fi", "fj", "fo", "fr", "fy", "ga", "gd", "gl", "gn", "gu", "gv", "ha", "he",
    "hi", "ho", "hr", "ht", "hu", "hy", "hz", "ia", "id", "ie", "ig", "ii", "ik", "in", "io", "is", "it", "iu", "iw",
    "ja", "ji", "jv", "jw", "ka", "kg", "ki", "kj", "kk", "kl", "km", "kn", "ko", "kr", "ks", "ku", "kv", "kw", "ky",
    "la", "lb", "lg", "li", "ln", "lo", "lt", "lu", "lv", "mg", "mh", "mi", "mk", "ml", "mn", "mo", "mr", "ms", "mt",
    "my", "na", "nb", "nd", "ne", "ng", "nl", "nn", "no", "nr", "nv", "ny", "oc", "oj", "om", "or", "os", "pa", "pi",
    "pl", "ps", "pt", "qu", "rm", "rn", "ro", "ru", "rw", "sa", "sc", "sd", "se", "sg", "sh", "si", "sk", "sl", "sm",
    "sn", "so", "sq", "sr", "ss", "st", "su", "sv", "sw", "ta", "te", "tg", "th", "ti", "tk", "tl", "tn", "to", "tr",
    "ts", "tt", "tw", "ty", "ug", "uk", "ur", "uz", "ve", "vi", "vo", "wa", "wo", "xh", "yi", "yo", "za", "zh", "zu"};

// Schemes of the IANA registry that feeds use; others get a warning, not an error.
constexpr std::string_view kSchemes[] = {
    "about", "acap", "afs", "aim", "callto", "cid", "crid", "data", "dav", "dict", "dns", "ed2k", "fax", "feed",
    "file", "ftp", "geo", "git", "go", "gopher", "h323", "http", "https", "iax", "icap", "im", "imap", "info", "ipp",
    "irc", "ircs", "iris", "itms", "itpc", "jabber", "javascript", "lastfm", "ldap", "magnet", "mailto", "mid", "mms",
    "modem", "msnim", "mtqp", "mupdate", "news", "nfs", "nntp", "opaquelocktoken", "pcast", "pop", "pres", "prospero",
    "rsync", "rtmp", "rtsp", "service", "sftp", "sip", "sips", "skype", "sms", "snmp", "soap.beep", "soap.beeps",
    "spotify", "ssh", "svn", "tag", "tel", "telnet", "tftp", "tip", "tv", "urn", "vemmi", "view-source", "wais",
    "webcal", "ws", "wss", "xmlrpc.beep", "xmlrpc.beeps", "xmpp", "z39.50r", "z39.50s"};

// Bytes that a URL may hold: RFC 2396's unreserved and reserved characters, '%' and '#', and every
// byte of UTF-8 beyond ASCII (IRIs).
const struct CUrlBytes {
  bool allowed[256] = {};
  CUrlBytes() {
    for (int c = 0; c < 256; ++c) allowed[c] = c >= 0x80 || IsAlnum(static_cast<char>(c));
    for (const char* p = ";/?:@&=+$.-_!~*'()%,#"; *p; ++p) allowed[static_cast<unsigned char>(*p)] = true;
  }
} kUrlBytes;

// Whether `a` equals `lower` (lower-case ASCII) with case aside.
bool EqualsNoCase(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != lower[i]) return false;
  }
  return true;
}

// Whether the scheme (any case) is in the registry's list (sorted, lower case).
bool IsKnownScheme(std::string_view scheme) {
  char lower[16];
  if (scheme.size() > sizeof lower) return false;
  for (size_t i = 0; i < scheme.size(); ++i) lower[i] = Lower(scheme[i]);
  return std::binary_search(std::begin(kSchemes), std::end(kSchemes), std::string_view(lower, scheme.size()));
}

bool IsHex(char c) { return IsDigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'f'); }

// tag:authority,date:specific (RFC 4151).
bool IsTagUri(std::string_view s) {
  size_t comma = s.find(',');
  if (comma == std::string_view::npos || comma <= 4) return false;
  std::string_view authority = s.substr(4, comma - 4);
  size_t at = authority.find('@');
  std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  if (host.empty() || (at != std::string_view::npos && at == 0)) return false;
  for (char c : authority) {
    if (!IsAlnum(c) && c != '-' && c != '.' && c != '_' && c != '@') return false;
  }
  size_t i = comma + 1;
  auto digits = [&](size_t n) {
    for (size_t k = 0; k < n; ++k) {
      if (i + k >= s.size() || !IsDigit(s[i + k])) return false;
    }
    i += n;
    return true;
  };
  if (!digits(4)) return false;
  if (i < s.size() && s[i] == '-') {
    ++i;
    if (!digits(2)) return false;
    if (i < s.size() && s[i] == '-') {
      ++i;
      if (!digits(2)) return false;
    }
  }
  return i < s.size() && s[i] == ':';
}

bool IsUrn(std::string_view s) {
  // urn:NID:NSS, NID 2 to 32 letters, digits and hyphens; NSS of the characters RFC 2141 allows.
  size_t colon = s.find(':', 4);
  if (colon == std::string_view::npos) return false;
  std::string_view nid = s.substr(4, colon - 4);
  if (nid.size() < 2 || nid.size() > 32 || !IsAlnum(nid[0])) return false;
  for (char c : nid) {
    if (!IsAlnum(c) && c != '-') return false;
  }
  std::string_view nss = s.substr(colon + 1);
  if (nss.empty()) return false;
  for (size_t i = 0; i < nss.size(); ++i) {
    char c = nss[i];
    if (c == '%') {
      if (i + 2 >= nss.size() + 0 || !IsHex(nss[i + 1]) || !IsHex(nss[i + 2])) return false;
      i += 2;
    } else if (!IsAlnum(c) && !std::strchr("()+,.:=@;$_!*'-/", c)) {
      return false;
    }
  }
  return true;
}

bool IsUuidUrn(std::string_view s) {
  std::string_view u = s.substr(9);
  if (u.size() != 36) return false;
  for (size_t i = 0; i < u.size(); ++i) {
    bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? u[i] != '-' : !IsHex(u[i])) return false;
  }
  return true;
}

}  // namespace

bool ParseInteger(std::string_view text, long long& value) {
  std::string_view s = TrimSpace(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return false;
  value = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return false;
    if (value < LLONG_MAX / 10) value = value * 10 + (s[i] - '0');
  }
  if (negative) value = -value;
  return true;
}

bool ParseNumber(std::string_view text, double& value) {
  std::string s(TrimSpace(text));
  if (s.empty()) return false;
  size_t i = 0, digits = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  }
  if (digits == 0 || i != s.size()) return false;
  value = std::strtod(s.c_str(), nullptr);
  return true;
}

bool IsEmailAddress(std::string_view text) {
  std::string_view s = TrimSpace(text);
  size_t at = s.rfind('@');
  if (at == std::string_view::npos || at == 0 || at + 1 >= s.size()) return false;
  for (char c : s.substr(0, at)) {
    if (!IsAlnum(c) && !std::strchr("_-+.'%", c) && static_cast<unsigned char>(c) < 0x80) return false;
  }
  std::string_view domain = s.substr(at + 1);
  if (domain.front() == '[' && domain.back() == ']') return true;
  if (!IsAlnum(domain.front()) || domain.back() == '.' || domain.back() == '-') return false;
  for (char c : domain) {
    if (!IsAlnum(c) && c != '-' && c != '.' && c != '_' && static_cast<unsigned char>(c) < 0x80) return false;
  }
  return domain.find("..") == std::string_view::npos;
}

bool IsEmailContact(std::string_view text) {
  std::string_view s = TrimSpace(text);
  // "Name <addr>"
  if (!s.empty() && s.back() == '>') {
    size_t open = s.rfind('<');
    return open != std::string_view::npos && IsEmailAddress(s.substr(open + 1, s.size() - open - 2));
  }
  // "addr (Name)"
  if (!s.empty() && s.back() == ')') {
    size_t open = s.find('(');
    return open != std::string_view::npos && IsEmailAddress(s.substr(0, open));
  }
  return IsEmailAddress(s);
}

bool IsLanguageCode(std::string_view text) {
  std::string_view s = TrimSpace(text);
  size_t end = s.find('-');
  std::string primary = LowerCopy(s.substr(0, end));
  if (primary == "x" || primary == "i") {
    if (end == std::string_view::npos) return false;
  } else if (primary.size() == 2) {
    if (!std::binary_search(std::begin(kIso639), std::end(kIso639), primary,
                            [](const auto& a, const auto& b) { return std::string_view(a) < std::string_view(b); })) {
      return false;
    }
  } else if (primary.size() != 3 || !std::all_of(primary.begin(), primary.end(), IsAlpha)) {
    return false;
  }
  while (end != std::string_view::npos) {
    size_t next = s.find('-', end + 1);
    std::string_view sub = s.substr(end + 1, next == std::string_view::npos ? std::string_view::npos : next - end - 1);
    if (sub.empty() || sub.size() > 8 || !std::all_of(sub.begin(), sub.end(), IsAlnum)) return false;
    end = next;
  }
  return true;
}

bool IsMimeType(std::string_view text) {
  std::string_view s = TrimSpace(text);
  s = TrimSpace(s.substr(0, s.find(';')));
  auto token = [](std::string_view t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return IsAlnum(c) || std::strchr("!#$&^_.+-", c); });
  };
  size_t slash = s.find('/');
  return slash != std::string_view::npos && token(s.substr(0, slash)) && token(s.substr(slash + 1));
}

UrlFault CheckUrl(std::string_view text, bool absolute) {
  std::string_view s = TrimSpace(text);
  size_t colon = 0;
  while (colon < s.size() && (IsAlnum(s[colon]) || s[colon] == '+' || s[colon] == '-' || s[colon] == '.')) ++colon;
  const bool hasScheme = colon > 0 && colon < s.size() && s[colon] == ':' && IsAlpha(s[0]);
  const std::string_view scheme = hasScheme ? s.substr(0, colon) : std::string_view();
  if (EqualsNoCase(scheme, "tag")) return IsTagUri(s) ? UrlFault::None : UrlFault::Tag;
  if (EqualsNoCase(scheme, "urn")) {
    if (StartsWithNoCase(s, "urn:uuid:")) return IsUuidUrn(s) ? UrlFault::None : UrlFault::Uuid;
    return IsUrn(s) ? UrlFault::None : UrlFault::Urn;
  }
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (kUrlBytes.allowed[c]) continue;
    // Brackets stand in a URL only around an IPv6 host (before the path of "scheme://").
    if ((c == '[' || c == ']') && hasScheme &&
        (s.compare(colon + 1, 2, "//") != 0 || s.find_first_of("/?#", colon + 3) > i)) {
      continue;
    }
    return UrlFault::Character;
  }
  if (!hasScheme) return absolute ? UrlFault::Relative : UrlFault::None;
  if (absolute && !IsAbsoluteUrl(s)) return UrlFault::Relative;
  return IsKnownScheme(scheme) ? UrlFault::None : UrlFault::Scheme;
}

bool IsBoolean(std::string_view text) { return IsOneOf(text, {"true", "false"}); }

bool IsOneOf(std::string_view text, std::initializer_list<const char*> values) {
  const std::string_view trimmed = TrimSpace(text);
  for (const char* v : values) {
    if (EqualsNoCase(trimmed, v)) return true;
  }
  return false;
}
