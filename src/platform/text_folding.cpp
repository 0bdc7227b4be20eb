// Width, kana and case folding: FindFolded, ToHalfWidth, ToFullWidth.
//
// Characters are handled as codes: a single byte as itself (0x00-0xFF), a double-byte character as
// lead * 256 + trail (0x8100-0xFCFF), a carried character as kCarriedCode plus its code point, so the
// kinds never collide and a carried character never folds (its bytes are never taken for half-width
// katakana).
#include <cstdint>
#include <vector>

#include "platform/text_folding.h"
#include "platform/sjis.h"

namespace {

using Code = unsigned;

constexpr Code kCarriedCode = 0x1000000;
constexpr Code kVoicedMark = 0x814A;      // ゛
constexpr Code kSemiVoicedMark = 0x814B;  // ゜
constexpr Code kProlongedMark = 0x815B;   // ー
constexpr unsigned char kHalfVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kHalfSemiVoicedMark = 0xDF;  // ﾟ

// Full-width forms of ASCII 0x20-0x7E, as code page 932 maps U+3000 and U+FF01-U+FF5E.
constexpr std::uint16_t kFullAscii[0x5F] = {
    0x8140, 0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56, 0x8169, 0x816A, 0x8196, 0x817B,
    0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
    0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
    0x815F, 0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293,
    0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,
};

// Full-width forms of the half-width katakana and punctuation 0xA1-0xDF.
constexpr std::uint16_t kFullKana[0x3F] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383,
    0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367,
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F,
    0x8393, 0x814A, 0x814B,
};

bool IsHiragana(Code c) { return c >= 0x829F && c <= 0x82F1; }
bool IsKatakana(Code c) { return c >= 0x8340 && c <= 0x8396 && c != 0x837F; }

Code HiraganaToKatakana(Code c) { return c <= 0x82DD ? c - 0x829F + 0x8340 : c - 0x829F + 0x8341; }

// The full-width form of a single byte, or 0 when it has none.
Code FullFormOf(unsigned char b) {
  if (b >= 0x20 && b <= 0x7E) return kFullAscii[b - 0x20];
  if (b >= 0xA1 && b <= 0xDF) return kFullKana[b - 0xA1];
  return 0;
}

// The voiced (mark ゛) or semi-voiced (mark ゜) form of a full-width katakana or hiragana, 0 when the
// character has none. Voiced forms follow their base directly in code page 932 (カ ガ, ハ バ パ); ウ
// becomes ヴ, and hiragana う, which has no voiced form in the code page, becomes ヴ too.
Code VoicedFormOf(Code base, bool semi) {
  Code kata = IsHiragana(base) ? HiraganaToKatakana(base) : base;
  if (!IsKatakana(kata)) return 0;
  if (semi) {
    // ハ ヒ フ ヘ ホ
    if (kata == 0x836E || kata == 0x8371 || kata == 0x8374 || kata == 0x8377 || kata == 0x837A) return base + 2;
    return 0;
  }
  if (kata == 0x8345) return 0x8394;  // ウ, う → ヴ
  // カ キ ク ケ コ サ シ ス セ ソ タ チ (odd codes up to チ), ツ テ ト (even), ハ ヒ フ ヘ ホ (every third).
  if ((kata >= 0x834A && kata <= 0x8360 && (kata & 1) == 0) || kata == 0x8363 || kata == 0x8365 ||
      kata == 0x8367 || kata == 0x836E || kata == 0x8371 || kata == 0x8374 || kata == 0x8377 || kata == 0x837A)
    return base + 1;
  return 0;
}

// The unvoiced base of a voiced or semi-voiced full-width katakana or hiragana, else the character itself.
Code UnvoicedOf(Code c) {
  if (c < 0x8100) return c;
  if (c == 0x8394) return 0x8345;  // ヴ → ウ
  for (Code back = 1; back <= 2; ++back) {
    Code base = c - back;
    if (VoicedFormOf(base, back == 2) == c) return base;
  }
  return c;
}

// Small kana as the large ones.
Code LargeKanaOf(Code c) {
  switch (c) {
    // ァィゥェォ ッ ャュョ and the hiragana of the same: the large form follows directly.
    case 0x8340: case 0x8342: case 0x8344: case 0x8346: case 0x8348: case 0x8362:
    case 0x8383: case 0x8385: case 0x8387:
    case 0x829F: case 0x82A1: case 0x82A3: case 0x82A5: case 0x82A7: case 0x82C1:
    case 0x82E1: case 0x82E3: case 0x82E5:
      return c + 1;
    // ｧｨｩｪｫ → ｱｲｳｴｵ, ｬｭｮ → ﾔﾕﾖ, ｯ → ﾂ
    case 0xA7: case 0xA8: case 0xA9: case 0xAA: case 0xAB:
      return c + 10;
    case 0xAC: case 0xAD: case 0xAE:
      return c + 0x28;
    case 0xAF:
      return 0xC2;
    default:
      return c;
  }
}

// One character of `s` at `pos`: its code and byte length. A lead byte at the very end stands alone.
Code CharAt(const std::string& s, std::size_t pos, std::size_t& length) {
  length = CharLengthAt(s, pos);
  const unsigned char b = static_cast<unsigned char>(s[pos]);
  if (length == 2) return (static_cast<Code>(b) << 8) | static_cast<unsigned char>(s[pos + 1]);
  if (length == kCarriedLength) return kCarriedCode + CarriedValueAt(s, pos);
  return b;
}

// One folded unit of `s` starting at `pos`: its code and the bytes it covers (one character, or a kana
// and its voiced mark).
Code FoldedAt(const std::string& s, std::size_t pos, int flags, std::size_t& length) {
  Code c = CharAt(s, pos, length);
  if (flags & FOLD_WIDTH) {
    if (c < 0x100) {
      Code full = FullFormOf(static_cast<unsigned char>(c));
      if (full) c = full;
    }
    // A kana followed by a voiced or semi-voiced mark, of either width, is one voiced kana.
    std::size_t next = pos + length;
    if (next < s.size() && (IsKatakana(c) || ((flags & FOLD_KANA) && IsHiragana(c)))) {
      std::size_t markLength = 0;
      Code mark = CharAt(s, next, markLength);
      bool voiced = mark == kVoicedMark || mark == kHalfVoicedMark;
      bool semi = mark == kSemiVoicedMark || mark == kHalfSemiVoicedMark;
      if (voiced || semi) {
        Code combined = VoicedFormOf(c, semi);
        if (combined) {
          c = combined;
          length += markLength;
        }
      }
    }
  }
  if ((flags & FOLD_KANA) && IsHiragana(c)) c = HiraganaToKatakana(c);
  if (flags & FOLD_SMALL) {
    c = UnvoicedOf(LargeKanaOf(c));
    if (c == '-' || c == 0x817C) c = kProlongedMark;
  }
  if (flags & FOLD_CASE) {
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    else if (c >= 0x8281 && c <= 0x829A) c -= 0x21;
  }
  return c;
}

// The half-width form of a full-width character: up to two bytes in `out`, and its length; 0 when none.
int HalfFormOf(Code c, unsigned char out[2]) {
  if (c < 0x100) return 0;
  for (int i = 0; i < 0x5F; ++i) {
    if (kFullAscii[i] == c) {
      out[0] = static_cast<unsigned char>(0x20 + i);
      return 1;
    }
  }
  switch (c) {
    case 0xEEFC: out[0] = '"'; return 1;   // the code page's second code of the full-width quote
    case 0xEEFB: out[0] = '\''; return 1;  // and of the full-width apostrophe
    case 0x815D: out[0] = '-'; return 1;   // ‐
    case 0x817E: out[0] = '*'; return 1;   // ×
    case 0x8180: out[0] = '/'; return 1;   // ÷
    default: break;
  }
  for (int i = 0; i < 0x3F; ++i) {
    if (kFullKana[i] == c) {
      out[0] = static_cast<unsigned char>(0xA1 + i);
      return 1;
    }
  }
  // A voiced katakana or hiragana: the half-width kana of its base, then the mark.
  Code base = UnvoicedOf(c);
  if (base != c) {
    Code kata = IsHiragana(base) ? HiraganaToKatakana(base) : base;
    for (int i = 0; i < 0x3F; ++i) {
      if (kFullKana[i] == kata) {
        out[0] = static_cast<unsigned char>(0xA1 + i);
        out[1] = c - base == 2 ? kHalfSemiVoicedMark : kHalfVoicedMark;
        return 2;
      }
    }
  }
  return 0;
}

void AppendCode(std::string& out, Code c) {
  if (c >= 0x100) out += static_cast<char>(c >> 8);
  out += static_cast<char>(c & 0xFF);
}

}  // namespace

int FindFolded(const std::string& haystack, const std::string& needle, int flags, int* matchLength) {
  if (matchLength) *matchLength = 0;
  if (haystack.empty()) return -1;
  std::vector<Code> folded;
  for (std::size_t pos = 0, length = 0; pos < needle.size(); pos += length) folded.push_back(FoldedAt(needle, pos, flags, length));

  std::size_t charLength = 0;
  for (std::size_t start = 0; start < haystack.size(); start += charLength) {
    CharAt(haystack, start, charLength);
    std::size_t pos = start;
    std::size_t matched = 0;
    while (matched < folded.size() && pos < haystack.size()) {
      std::size_t length = 0;
      if (FoldedAt(haystack, pos, flags, length) != folded[matched]) break;
      pos += length;
      ++matched;
    }
    if (matched == folded.size()) {
      if (matchLength) *matchLength = static_cast<int>(pos - start);
      return static_cast<int>(start);
    }
  }
  return -1;
}

std::string ToHalfWidth(const std::string& text, int* changed) {
  std::string out;
  out.reserve(text.size());
  int count = 0;
  for (std::size_t pos = 0, length = 0; pos < text.size(); pos += length) {
    Code c = CharAt(text, pos, length);
    unsigned char half[2];
    int n = HalfFormOf(c, half);
    if (n > 0) {
      out.append(reinterpret_cast<const char*>(half), static_cast<std::size_t>(n));
      ++count;
    } else {
      out.append(text, pos, length);
    }
  }
  if (changed) *changed = count;
  return out;
}

std::string ToFullWidth(const std::string& text, int* changed) {
  std::string out;
  out.reserve(text.size() * 2);
  int count = 0;
  for (std::size_t pos = 0, length = 0; pos < text.size(); pos += length) {
    Code c = CharAt(text, pos, length);
    Code full = c < 0x100 ? FullFormOf(static_cast<unsigned char>(c)) : 0;
    if (!full) {
      out.append(text, pos, length);
      continue;
    }
    // A half-width kana with its voiced mark becomes the one voiced katakana.
    if (c >= 0xA6 && c <= 0xDD && pos + 1 < text.size()) {
      unsigned char mark = static_cast<unsigned char>(text[pos + 1]);
      if (mark == kHalfVoicedMark || mark == kHalfSemiVoicedMark) {
        Code voiced = VoicedFormOf(full, mark == kHalfSemiVoicedMark);
        if (voiced) {
          full = voiced;
          ++length;
        }
      }
    }
    AppendCode(out, full);
    ++count;
  }
  if (changed) *changed = count;
  return out;
}
