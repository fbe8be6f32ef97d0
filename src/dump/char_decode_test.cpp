#include "dump/char_decode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dump/tables/euc_tables.h"

namespace vesk {
namespace {

// The character modes by the numbers the case tables use: 1 -A, 2 -K,
// 3 Shift_JIS, 4 -J, 5 -E, 6 -U.
CharMode mode_of(int n) {
  constexpr CharMode kModes[] = {CharMode::ascii, CharMode::kana, CharMode::sjis,
                                 CharMode::jis,   CharMode::euc,  CharMode::utf8};
  return kModes[n - 1];
}

struct Decoded {
  std::string text;   // the columns up to the first zero byte (or the buffer's end)
  std::string carry;  // carry_text when carry_skip > 0
  int skip;
};

// Decodes the first n bytes of bytes (the rest is what lies past the line: the
// next line or the look-ahead) into a blank column area, from a fresh state or
// the one given.
Decoded decode(int mode, const std::string& bytes, int n, CharDecoder* state = nullptr, int show_ctrl = 0) {
  unsigned char data[64] = {};
  std::memcpy(data, bytes.data(), bytes.size());
  char dest[40];
  std::memset(dest, ' ', sizeof dest - 1);
  dest[sizeof dest - 1] = '\0';
  CharDecoder fresh;
  CharDecoder& st = state ? *state : fresh;
  st.mode = mode_of(mode);
  st.show_ctrl = show_ctrl != 0;
  decode_chars(st, dest, data, n);
  std::string text(dest);
  text.erase(text.find_last_not_of(' ') + 1);
  std::string carry = st.carry_skip > 0 ? std::string(st.carry_text) : std::string();
  int skip = st.carry_skip;
  return {text, carry, skip};
}

// A byte the report may show on its own: printable ASCII or half-width kana.
bool single_shown(unsigned char b) { return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF); }

// Read left to right, the text holds only such bytes and valid Shift_JIS pairs.
bool in_report_set(const char* text, int n) {
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
  for (int i = 0; i < n; ++i) {
    if (single_shown(t[i])) continue;
    if (i + 1 < n && iskanji_sjis(t[i], t[i + 1]) == 1) {
      ++i;
      continue;
    }
    return false;
  }
  return true;
}

struct Case {
  const char* name;
  int mode;
  std::string bytes;
  int n;
  std::string text;
  std::string carry;
  int skip;
};

TEST(DecodeChars, TableOfCases) {
  const Case cases[] = {
      // Single-byte modes.
      {"ascii kana byte", 1, "A\xb1~\x7f", 4, "A.~.", "", 0},
      {"kana mode kana byte", 2, "A\xb1\x82\xa0", 4, "A\xb1..", "", 0},
      // Shift_JIS.
      {"sjis pair", 3, "A\x82\xa0" "B", 4, "A\x82\xa0" "B", "", 0},
      {"sjis kana and controls", 3, "\xb1\r\n\x80\xa0", 5, "\xb1....", "", 0},
      {"sjis lead at line end", 3, "A\x82\xa0", 2, "A\x82\xa0", "", 1},
      {"sjis lead before zero", 3, std::string("A\x81\0", 3), 2, "A.", "", 0},
      {"sjis lead with bad trail", 3, "\x81\x7f", 2, "..", "", 0},
      // JIS.
      {"jis kanji", 4, "\x1b$B0!\x1b(BA", 9, "...\x88\x9f...A", "", 0},
      {"jis kana", 4, "\x1b(I1\x1b(JA", 8, "...\xb1...A", "", 0},
      {"jis kanji at line end", 4, "\x1b$B0!", 4, "...\x88\x9f", " ", 1},
      {"jis zero byte", 4, "\x1b$B!\xe1", 5, ".....", "", 0},
      {"jis newline byte", 4, "\x1b$B!\xeb", 5, ".....", "", 0},
      // EUC-JP.
      {"euc kana", 5, "\x8e\xb1" "A", 3, ".\xb1" "A", "", 0},
      {"euc kanji", 5, "\xa4\xa2\xb0\xa1" "A", 5, "\x82\xa0\x88\x9f" "A", "", 0},
      {"euc 3-byte", 5, "\x8f\xf3\xf3" "A", 4, ".\xfa\x40" "A", "", 0},
      {"euc 3-byte unknown", 5, "\x8f\xa2\xaf" "A", 4, ".??A", "", 0},
      {"euc below the first run", 5, "\x8e\xa0" "A", 3, "..A", "", 0},
      {"euc closes the line", 5, "A\xa4\xa2", 3, "A\x82\xa0 |", "", 0},
      {"euc 2-byte, 1 on the line", 5, "A\xa4\xa2", 2, "A\x82\xa0|", " ", 1},
      {"euc 3-byte, 1 on the line", 5, "A\x8f\xf3\xf3", 2, "A. |", "\xfa\x40", 2},
      {"euc 3-byte, 2 on the line", 5, "A\x8f\xf3\xf3", 3, "A.\xfa\x40|", " ", 1},
      // UTF-8.
      {"utf8 hiragana", 6, "\xe3\x81\x82" "A", 4, "\x82\xa0.A", "", 0},
      {"utf8 half-width kana", 6, "\xef\xbd\xb1" "A", 4, "\xb1..A", "", 0},
      {"utf8 yen sign", 6, "\xc2\xa5" "A", 3, "\\.A", "", 0},
      {"utf8 4-byte", 6, "\xf0\xa0\xae\x9f" "A", 5, "\x98\x73..A", "", 0},
      {"utf8 unmapped 4-byte", 6, "\xf0\x9f\x98\x80" "A", 5, "....A", "", 0},
      {"utf8 unmapped 3-byte", 6, "\xee\x80\x80" "A", 4, "...A", "", 0},
      {"utf8 lone bytes", 6, "\x80\xb1" "A", 3, ".\xb1" "A", "", 0},
      {"utf8 closes the line", 6, "A\xe3\x81\x82", 4, "A\x82\xa0. |", "", 0},
      {"utf8 3-byte, 1 on the line", 6, "A\xe3\x81\x82", 2, "A\x82\xa0|", " .", 2},
      {"utf8 3-byte, 2 on the line", 6, "A\xe3\x81\x82", 3, "A\x82\xa0 |||", ".", 1},
      {"utf8 4-byte, 3 on the line", 6, "A\xf0\xa0\xae\x9f", 4, "A\x98\x73. |||", ".", 1},
      {"utf8 kana, 1 on the line", 6, "A\xef\xbd\xb1", 2, "A\xb1", "..", 2},
      {"utf8 kana, 2 on the line", 6, "A\xef\xbd\xb1", 3, "A\xb1.", ".", 1},
      {"utf8 single-byte 4-byte, 3 on the line", 6, "\xf0\x80\x81\x81", 3, "A..", ".", 1},
  };
  for (const Case& c : cases) {
    Decoded d = decode(c.mode, c.bytes, c.n);
    EXPECT_EQ(d.text, c.text) << c.name;
    EXPECT_EQ(d.carry, c.carry) << c.name;
    EXPECT_EQ(d.skip, c.skip) << c.name;
  }
}

// Conversions that yield bytes outside the report's set (controls, DEL, the
// 8-bit controls 0x80-0x9F, a lead byte without its trail): a kana is shown
// only when the result is one, a pair only when it is valid Shift_JIS, each
// other byte as a point.
TEST(DecodeChars, ConvertedBytesOutsideTheReportSet) {
  const Case cases[] = {
      // Kana state: 1B+80 is 0x9B (CSI); B2+80 and CA+80 are "2" and "J", no kana.
      {"jis kana state csi", 4, "\x1b(I\x1b\xb2\xca", 6, "......", "", 0},
      {"jis kana state del", 4, "\x1b(I\xff", 4, "....", "", 0},
      // 0x20, 0x21, 0x5F, 0x60 give 0xA0, 0xA1, 0xDF, 0xE0: only 0xA1-0xDF is kana.
      {"jis kana state edges", 4, "\x1b(I \x21\x5f\x60", 7, "....\xa1\xdf.", "", 0},
      // 0E 7F gives DEL and a blank; 0E 41 gives "A" and a blank, as before.
      {"jis 0E pairs", 4, "\x1b$B\x0e\x7f\x0e\x41", 7, ".... A", "", 0},
      // E1 7B gives 0x21 0x9B: "!" and CSI, not a pair.
      {"jis kanji state csi", 4, "\x1b$B\xe1\x7b", 5, ".....", "", 0},
      // E1 61 gives 0x21 0x81: a lead byte with no trail after it.
      {"jis kanji state lone lead", 4, "\x1b$B\xe1\x61", 5, ".....", "", 0},
      // Row 14 has no run: AE DF falls into the run ADE0 -> 8780 and gives 887F.
      {"euc code past the table", 5, "\xae\xdf" "A", 3, "..A", "", 0},
      // A1 A0 falls into the kana run and gives 0xA0 after the point.
      {"euc kana run past the kana", 5, "\xa1\xa0" "A", 3, "..A", "", 0},
      // Row 9 has no run either, but A9 A1 gives the valid pair 859F.
      {"euc row without run, valid pair", 5, "\xa9\xa1" "A", 3, "\x85\x9f" "A", "", 0},
      // Overlong and unchecked forms of U+007F.
      {"utf8 overlong 2-byte del", 6, "\xc1\xbf" "A", 3, "..A", "", 0},
      {"utf8 overlong 3-byte del", 6, "\xe0\x81\xbf" "A", 4, "...A", "", 0},
      {"utf8 unchecked 3-byte del", 6, "\xe0\x01\x3f" "A", 4, "...A", "", 0},
      {"utf8 overlong 4-byte del", 6, "\xf0\x80\x81\xbf" "A", 5, "... A", "", 0},
  };
  for (const Case& c : cases) {
    Decoded d = decode(c.mode, c.bytes, c.n);
    EXPECT_EQ(d.text, c.text) << c.name;
    EXPECT_EQ(d.carry, c.carry) << c.name;
    EXPECT_EQ(d.skip, c.skip) << c.name;
  }
}

// With -j an escape byte shows as itself only when printable: never DEL.
TEST(DecodeChars, JisEscapeBytesShownArePrintable) {
  CharDecoder st;
  st.esc_left = 3;
  Decoded d = decode(4, "\x7f~A", 3, &st, 1);
  EXPECT_EQ(d.text, ".~A");
  EXPECT_EQ(st.esc_left, 0);
}

TEST(DecodeChars, JisEscapesShownWithControlCodes) {
  Decoded d = decode(4, "\x1b$B0!\x1b(BA", 9, nullptr, 1);
  EXPECT_EQ(d.text, ".$B\x88\x9f.(BA");
}

TEST(DecodeChars, CarryStartsTheNextLine) {
  CharDecoder st;
  Decoded first = decode(6, "A\xe3\x81\x82" "B", 2, &st);
  EXPECT_EQ(first.carry, " .");
  Decoded second = decode(6, "\x81\x82" "B", 3, &st);  // the line after the E3
  EXPECT_EQ(second.text, " .B");
  EXPECT_EQ(st.carry_skip, 0);
}

TEST(DecodeChars, JisStateLastsAcrossLines) {
  CharDecoder st;
  decode(4, "\x1b$B", 3, &st);
  EXPECT_EQ(st.jis_state, 2);
  Decoded next = decode(4, "0!", 2, &st);
  EXPECT_EQ(next.text, "\x88\x9f");
}

TEST(CharCodes, Jis2Sjis) {
  EXPECT_EQ(jis2sjis(0x3021), 0x889F);
  EXPECT_EQ(jis2sjis(0x2121), 0x8140);
  EXPECT_EQ(jis2sjis(0x2422), 0x82A0);
  EXPECT_EQ(jis2sjis(0x7E7E), 0xEFFC);
  EXPECT_EQ(jis2sjis(0x0E41), 0x4120);
  EXPECT_EQ(jis2sjis(0x21E1), 0x8100);
}

TEST(CharCodes, EucLengths) {
  const unsigned char kana[] = {0x8E, 0xB1}, kana_bad[] = {0x8E, 0xE0}, kanji[] = {0xA4, 0xA2},
                      three[] = {0x8F, 0x41, 0x41}, low[] = {0xA4, 0x9F}, ascii[] = {0x41, 0x41};
  EXPECT_EQ(euc_char_len(kana), 2);
  EXPECT_EQ(euc_char_len(kana_bad), 0);
  EXPECT_EQ(euc_char_len(kanji), 2);
  EXPECT_EQ(euc_char_len(three), 3);
  EXPECT_EQ(euc_char_len(low), 0);
  EXPECT_EQ(euc_char_len(ascii), 0);
}

TEST(CharCodes, UnicodeLookups) {
  const unsigned char a[] = {0xE3, 0x81, 0x82}, yen[] = {0xC2, 0xA5}, far[] = {0xF0, 0xAA, 0x9A, 0xB2};
  EXPECT_EQ(unicode2sjis(a), 0x82A0);
  EXPECT_EQ(unicode2sjis(yen), 0x5C);
  EXPECT_EQ(unicode2sjis(far), 0xFCF4);
  EXPECT_EQ(sjis_of_unicode(0), 0);
  EXPECT_EQ(sjis_of_unicode(0x2A6B2), 0xFCF4);
  EXPECT_EQ(sjis_of_unicode(0x2985), -1);
  EXPECT_EQ(sjis_of_unicode(0x110000), -1);
  const unsigned char c[] = {0xC0}, e[] = {0xE0}, f[] = {0xFF}, x[] = {0xBF};
  EXPECT_EQ(unicodeKanji(c), 2);
  EXPECT_EQ(unicodeKanji(e), 3);
  EXPECT_EQ(unicodeKanji(f), 4);
  EXPECT_EQ(unicodeKanji(x), 0);
}

// The direct index answers every code point as the binary search does.
TEST(CharCodes, FastUnicodeLookupAgreesEverywhere) {
  for (std::uint32_t code = 0; code < 0x30000; ++code)
    ASSERT_EQ(sjis_of_unicode_fast(code), sjis_of_unicode(code)) << std::hex << code;
  EXPECT_EQ(sjis_of_unicode_fast(0x110000), -1);
}

// The table of two-byte EUC codes shows every code as the scan of the runs:
// the run starting at the code, else the last one starting below it.
TEST(CharCodes, EucTableAgreesWithTheRunScan) {
  for (int b1 = 0x80; b1 <= 0xFF; ++b1) {
    for (int b2 = 0xA0; b2 <= 0xFF; ++b2) {
      const unsigned char p[] = {static_cast<unsigned char>(b1), static_cast<unsigned char>(b2), 0};
      if (euc_char_len(p) != 2) continue;
      unsigned c = static_cast<unsigned>(b1 << 8 | b2);
      int i = 0;
      while (i < kEuc2sjRuns && euc2sj[i].euc < c) ++i;
      if (i == kEuc2sjRuns || euc2sj[i].euc > c) --i;
      std::string want = "..";
      if (i >= 0) {
        unsigned code = (euc2sj[i].sjis + (c - euc2sj[i].euc)) & 0xFFFF;
        unsigned char hi = static_cast<unsigned char>(code >> 8), lo = static_cast<unsigned char>(code & 0xFF);
        // What the report may hold: a kana after a point, a valid pair, else two points.
        if (euc2sj[i].sjis <= 0xFF) {
          if (lo >= 0xA1 && lo <= 0xDF) want[1] = static_cast<char>(lo);
        } else if (iskanji_sjis(hi, lo) == 1) {
          want[0] = static_cast<char>(hi);
          want[1] = static_cast<char>(lo);
        }
      }
      char got[2] = {};
      ASSERT_EQ(euc2sjis(p, got), 2);
      ASSERT_EQ(std::string(got, 2), want) << std::hex << c;
    }
  }
}

// The 3-byte EUC codes are written as their table gives them: every one must
// be a valid Shift_JIS pair.
TEST(CharCodes, Euc3CodesAreValidPairs) {
  for (int i = 0; i < kEuc2sj3Rows; ++i)
    EXPECT_EQ(iskanji_sjis(euc2sj_3[i].sjis >> 8, euc2sj_3[i].sjis & 0xFF), 1) << std::hex << euc2sj_3[i].euc;
}

// No mode writes a byte below 0x20 but the zero byte that closes a line, and
// decode_chars names that byte's column (the plain dump relies on both: its
// lines are counted as one each and end where the decoder says); read left to
// right, the columns hold only printable ASCII, half-width kana and valid
// Shift_JIS pairs. Every pair of bytes, with the bytes after them, in every
// mode and JIS state.
TEST(DecodeChars, NoControlBytesAndTheClosingColumn) {
  const struct {
    int mode, show_ctrl;
    const char* lead_in;
  } modes[] = {{1, 0, ""}, {2, 0, ""}, {3, 0, ""}, {4, 0, ""},         {4, 1, ""},
               {4, 0, "\x1b$B"}, {4, 0, "\x1b(I"}, {5, 0, ""}, {6, 0, ""}};
  for (const auto& m : modes) {
    for (int b0 = 0; b0 < 256; ++b0) {
      for (int b1 = 0; b1 < 256; ++b1) {
        for (int n = 1; n <= 4; ++n) {
          CharDecoder st(mode_of(m.mode), m.show_ctrl != 0);
          unsigned char data[16] = {};
          char dest[24];
          int k = static_cast<int>(std::strlen(m.lead_in));
          std::memcpy(data, m.lead_in, static_cast<std::size_t>(k));
          std::memset(dest, ' ', sizeof dest);
          if (k > 0) decode_chars(st, dest, data, k);
          const unsigned char line[8] = {static_cast<unsigned char>(b0), static_cast<unsigned char>(b1),
                                         static_cast<unsigned char>(0x80 | b1), static_cast<unsigned char>(0x80 | b0),
                                         0x82, 0xA0, 0, 0};
          std::memcpy(data, line, sizeof line);
          std::memset(dest, ' ', sizeof dest);
          dest[sizeof dest - 1] = '\0';
          int closed = decode_chars(st, dest, data, n);
          int i = 0;
          for (; dest[i] != '\0'; ++i)
            ASSERT_GE(static_cast<unsigned char>(dest[i]), 0x20) << m.mode << " " << b0 << " " << b1 << " " << n;
          ASSERT_EQ(closed, i == static_cast<int>(sizeof dest) - 1 ? -1 : i) << m.mode << " " << b0 << " " << b1;
          ASSERT_TRUE(in_report_set(dest, i)) << m.mode << " " << b0 << " " << b1 << " " << n;
        }
      }
    }
  }
}

TEST(CharCodes, SjisPairTest) {
  EXPECT_EQ(iskanji_sjis(0x82, 0xA0), 1);
  EXPECT_EQ(iskanji_sjis(0xFC, 0xFC), 1);
  EXPECT_EQ(iskanji_sjis(0xE0, 0x40), 1);
  EXPECT_EQ(iskanji_sjis(0xA0, 0x40), 0);
  EXPECT_EQ(iskanji_sjis(0x81, 0x7F), 0);
  EXPECT_EQ(iskanji_sjis(0x81, 0xFD), 0);
  EXPECT_EQ(iskanji_sjis(0x41, 0x41), 0);
}

}  // namespace
}  // namespace vesk
