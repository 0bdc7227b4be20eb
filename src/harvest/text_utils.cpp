// Character-aware helpers, description shaping, the password rotation and the message pump.
#include "harvest/text_utils.h"


int IsLeadByteAt(const std::string& text, std::size_t n) {
  if (n >= text.size()) return -1;
  std::size_t i = 0;
  while (i < n) i += CharLengthAt(text, i);
  if (i != n) return 0;  // inside a character
  // A lead byte counts even at the very end, where it stands alone.
  return IsLeadByte(static_cast<unsigned char>(text[n])) || CharLengthAt(text, n) > 1 ? 1 : 0;
}

std::string LastChar(const std::string& text) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) last = i;
  return text.substr(last);
}

std::string StripTags(const std::string& text) {
  // "<" and ">" lie below 0x40, so they are never the second byte of a double-byte character and a
  // plain byte search is character-aware.
  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t open = text.find('<', pos);
    if (open == std::string::npos) break;
    result.append(text, pos, open - pos);
    pos = open + 1;
    std::size_t close = text.find('>', pos);
    if (close != std::string::npos) pos = close + 1;
  }
  if (pos < text.size()) result.append(text, pos, std::string::npos);
  return result;
}

std::string CollapseRuns(const std::string& text, char c) {
  std::string result;
  result.reserve(text.size());
  bool copyNext = true;
  for (char b : text) {
    if (b != c) {
      result += b;
      copyNext = true;
    } else if (copyNext) {
      result += b;
      copyNext = false;
    }
  }
  return result;
}

std::string CutForDescription(const std::string& text) {
  if (text.size() <= 255) return text;
  // As many whole characters as 253 bytes hold: 252 bytes when a double-byte character starts at 252,
  // less when a carried character runs over 253.
  std::size_t keep = 0;
  while (keep + CharLengthAt(text, keep) <= 253) keep += CharLengthAt(text, keep);
  return text.substr(0, keep) + "..";
}

namespace {

// Moves b within its class of digits or letters by k steps (backward for direction -1).
char Rotate(char b, int k, int direction) {
  auto within = [k, direction](char c, char first, int count) {
    int step = direction * (k % count);
    return static_cast<char>(first + ((c - first) + step + count) % count);
  };
  if (b >= '0' && b <= '9') return within(b, '0', 10);
  if (b >= 'A' && b <= 'Z') return within(b, 'A', 26);
  if (b >= 'a' && b <= 'z') return within(b, 'a', 26);
  return b;
}

std::string RotateText(const std::string& text, const std::vector<int>& key, int direction) {
  if (key.empty()) return text;
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = Rotate(out[i], key[i % key.size()], direction);
  return out;
}

}  // namespace

std::string ScrambleText(const std::string& text, const std::vector<int>& key) { return RotateText(text, key, 1); }

std::string UnscrambleText(const std::string& text, const std::vector<int>& key) { return RotateText(text, key, -1); }

const std::vector<int> kFtpObjectPasswordKey = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2};

