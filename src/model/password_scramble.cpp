#include "model/password_scramble.h"

namespace {

// The eight shift amounts of the stored password. A file format constant: never change it.
constexpr int kPasswordKey[8] = {3, 7, 1, 8, 2, 9, 4, 6};

char Shift(char c, int k) {
  if (c >= '0' && c <= '9') return static_cast<char>('0' + ((c - '0') + k + 10) % 10);
  if (c >= 'A' && c <= 'Z') return static_cast<char>('A' + ((c - 'A') + k + 26) % 26);
  if (c >= 'a' && c <= 'z') return static_cast<char>('a' + ((c - 'a') + k + 26) % 26);
  return c;
}

std::string ShiftAll(const std::string& text, int direction) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i) out[i] = Shift(out[i], direction * kPasswordKey[i % 8]);
  return out;
}

}  // namespace

std::string ScramblePassword(const std::string& clear) { return ShiftAll(clear, -1); }

std::string UnscramblePassword(const std::string& scrambled) { return ShiftAll(scrambled, +1); }
