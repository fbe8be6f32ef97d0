#include "text/decoders.h"

#include <gtest/gtest.h>

#include <string>

#include "text/codec.h"
#include "text/encoders.h"

namespace vesk {
namespace {

// The bytes decoded as one line that holds them all, each cell written by
// an encoder: the Shift_JIS and the UTF-8 column of the plain dump.
struct Shown {
  std::string sjis;
  std::string utf8;
};

Shown show(CharMode mode, const std::string& bytes, bool show_escapes = false) {
  const Codec& codec = codec_of(mode);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const int n = static_cast<int>(bytes.size());
  Shown out;
  DecoderState st;
  st.show_escapes = show_escapes;
  for (int at = 0; at < n;) {
    Cell c = codec.decode(st, p + at, n - at);
    char buf[32];
    out.sjis.append(buf, static_cast<std::size_t>(put_cell<SjisEncoder>(c, buf)));
    out.utf8.append(buf, static_cast<std::size_t>(put_cell<Utf8Encoder>(c, buf)));
    at += c.len;
  }
  return out;
}

struct Case {
  const char* name;
  CharMode mode;
  std::string bytes;
  std::string sjis;  // the Shift_JIS report's columns
  std::string utf8;  // the UTF-8 report's
};

void check(const Case* cases, std::size_t count, bool show_escapes = false) {
  for (std::size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    Shown s = show(c.mode, c.bytes, show_escapes);
    EXPECT_EQ(s.sjis, c.sjis) << c.name;
    EXPECT_EQ(s.utf8, c.utf8) << c.name;
  }
}

TEST(Decoders, SingleByteCodes) {
  const Case cases[] = {
      {"ascii", CharMode::ascii, "A\xb1~\x7f\t", "A.~..", "A.~.."},
      {"ascii with kana", CharMode::kana, "A\xb1\x82\xa0\xe0", "A\xb1...", "A\xef\xbd\xb1..."},
  };
  check(cases, std::size(cases));
}

TEST(Decoders, ShiftJis) {
  const Case cases[] = {
      {"pair", CharMode::sjis, "A\x82\xa0" "B", "A\x82\xa0" "B", "A\xe3\x81\x82" "B"},
      {"kana and controls", CharMode::sjis, "\xb1\r\n\x80\xa0\xfd", "\xb1.....", "\xef\xbd\xb1....."},
      // A lead byte whose next byte is no trail stands alone; the next byte
      // begins a cell of its own.
      {"lead without trail", CharMode::sjis, "\x81\x7f" "A\x82", "..A.", "..A."},
      // A narrow character keeps its pair's two columns.
      {"narrow pair", CharMode::sjis, "\x87\x40", "\x87\x40", "\xe2\x91\xa0 "},
      // An unassigned pair and one of the user-defined area: no character.
      {"no character", CharMode::sjis, "\x84\xdd\xf0\x40", "\x84\xdd\xf0\x40", "\xe3\x80\x93\xe3\x80\x93"},
  };
  check(cases, std::size(cases));
}

TEST(Decoders, EucJp) {
  const Case cases[] = {
      {"kana", CharMode::euc, "\x8e\xb1" "A", ".\xb1" "A", ".\xef\xbd\xb1" "A"},
      {"kanji", CharMode::euc, "\xa4\xa2\xb0\xa1", "\x82\xa0\x88\x9f", "\xe3\x81\x82\xe4\xba\x9c"},
      // JIS X 0212: a point, then the character; FA40 is ⅰ (narrow).
      {"second plane, shift_jis form", CharMode::euc, "\x8f\xf3\xf3", ".\xfa\x40", ".\xe2\x85\xb0 "},
      // 丂 has no Shift_JIS form: points there, the character in UTF-8.
      {"second plane only", CharMode::euc, "\x8f\xb0\xa1", "...", ".\xe4\xb8\x82"},
      // Row 9 reads by the row/cell rule: JIS 29 21 is Shift_JIS 85 40.
      {"row without cp932 characters", CharMode::euc, "\xa9\xa1", "\x85\x40", "\xe2\x82\xac "},
      // Bytes that begin no character: a lone A1-FE, 8E before no kana, 8F
      // before a non-EUC byte, and 8F A1 cut by 41.
      {"lone bytes", CharMode::euc, "\xc3" "A\x8e\xe0\x8f" "B\x8f\xa1" "C", ".A...B..C", ".A...B..C"},
      {"bytes that are no lead", CharMode::euc, "\x80\xa0\xff", "...", "..."},
  };
  check(cases, std::size(cases));
}

TEST(Decoders, Utf8) {
  const Case cases[] = {
      {"hiragana", CharMode::utf8, "\xe3\x81\x82" "A", "\x82\xa0.A", "\xe3\x81\x82.A"},
      {"half-width kana", CharMode::utf8, "\xef\xbd\xb1", "\xb1..", "\xef\xbd\xb1.."},
      // ¥ is 5C in Shift_JIS; in UTF-8 it is itself.
      {"yen", CharMode::utf8, "\xc2\xa5", "\\.", "\xc2\xa5."},
      {"e acute", CharMode::utf8, "\xc3\xa9", "\x85\x7e", "\xc3\xa9 "},
      {"emoji", CharMode::utf8, "\xf0\x9f\x98\x80", "....", "\xf0\x9f\x98\x80.."},
      {"plane 2 kanji", CharMode::utf8, "\xf0\xa0\xae\x9f", "\x98\x73..", "\xf0\xa0\xae\x9f.."},
      // A combining mark stands on a dotted circle.
      {"combining acute", CharMode::utf8, "e\xcc\x81", "e\x86\x79", "e\xe2\x97\x8c\xcc\x81 "},
      // A C1 control and a format character (ZERO WIDTH JOINER): points.
      {"invisible", CharMode::utf8, "\xc2\x85\xe2\x80\x8d", ".....", "....."},
      // Not UTF-8: an overlong form, a surrogate, past U+10FFFF, a lead whose
      // next byte does not continue it, a stray continuation byte.
      {"overlong", CharMode::utf8, "\xc1\xbf\xe0\x81\xbf", ".....", "....."},
      {"surrogate", CharMode::utf8, "\xed\xa0\x80", "...", "..."},
      {"past the last code point", CharMode::utf8, "\xf4\x90\x80\x80", "....", "...."},
      {"lead before ascii", CharMode::utf8, "\xe3" "AB", ".AB", ".AB"},
      {"latin-1", CharMode::utf8, "caf\xe9 au", "caf. au", "caf. au"},
      {"maximal subpart", CharMode::utf8, "\xe3\x81" "A\xb1", "..A.", "..A."},
  };
  check(cases, std::size(cases));
}

TEST(Decoders, Jis) {
  const Case cases[] = {
      {"kanji", CharMode::jis, "\x1b$B0!\x1b(BA", "...\x88\x9f...A", "...\xe4\xba\x9c...A"},
      {"kana", CharMode::jis, "\x1b(I1 \x60\x1b(JA", "...\xb1 ....A", "...\xef\xbd\xb1 ....A"},
      // In the kanji shift a control or blank is itself; a byte that pairs with
      // none is no character, and the next byte begins a pair of its own.
      {"kanji shift, strays", CharMode::jis, "\x1b$B\x0e" "0!\x7f" "0\x0a", "....\x88\x9f...", "....\xe4\xba\x9c..."},
      // Eight-bit bytes are never JIS.
      {"eight-bit bytes", CharMode::jis, "A\xb1\x82\xa0", "A...", "A..."},
      // JIS X 0212 after ESC $ D: 30 21 is 丂, which Shift_JIS lacks.
      {"second plane", CharMode::jis, "\x1b$D0!", ".....", "...\xe4\xb8\x82"},
      {"unknown escape", CharMode::jis, "\x1b(Z0", ".(Z0", ".(Z0"},
  };
  check(cases, std::size(cases));
  const Case shown[] = {
      {"escapes shown", CharMode::jis, "\x1b$B0!\x1b(BA", ".$B\x88\x9f.(BA", ".$B\xe4\xba\x9c.(BA"},
  };
  check(shown, std::size(shown), true);
}

TEST(Decoders, JisShiftLastsAcrossCalls) {
  const Codec& jis = codec_of(CharMode::jis);
  DecoderState st;
  const unsigned char esc[] = {0x1B, '$', 'B'};
  for (int i = 0; i < 3; ++i) jis.decode(st, esc + i, 3 - i);
  const unsigned char pair[] = {'0', '!'};
  Cell c = jis.decode(st, pair, 2);
  EXPECT_EQ(c.len, 2);
  EXPECT_EQ(c.sjis, 0x889F);
}

// A cell never covers more bytes than it may read, and the cut sequence is
// no character: every decoder, every byte pair, each length.
TEST(Decoders, CellsStayInsideTheBytesGiven) {
  const CharMode modes[] = {CharMode::ascii, CharMode::kana, CharMode::sjis,
                            CharMode::jis,   CharMode::euc,  CharMode::utf8};
  for (CharMode m : modes) {
    const Codec& codec = codec_of(m);
    for (int b0 = 0; b0 < 256; ++b0) {
      for (int b1 = 0; b1 < 256; b1 += 3) {
        const unsigned char p[4] = {static_cast<unsigned char>(b0), static_cast<unsigned char>(b1), 0x80, 0xA1};
        for (int avail = 1; avail <= 4; ++avail) {
          DecoderState st;
          Cell c = codec.decode(st, p, avail);
          ASSERT_GE(c.len, 1);
          ASSERT_LE(c.len, avail) << static_cast<int>(m) << " " << b0 << " " << b1;
          ASSERT_LE(c.len, codec.max_len);
        }
      }
    }
  }
}

}  // namespace
}  // namespace vesk
