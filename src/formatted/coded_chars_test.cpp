#include "formatted/coded_chars.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "formatted/formatted_test_support.h"
#include "formatted/item_list.h"
#include "formatted/item_map.h"

namespace vesk {
namespace {

// The units of the bytes as "len:cols" (a "*" after len for a multibyte
// character), and the map's cell text of each multibyte character after "=".
std::string units(CharMode code, const std::string& bytes, bool show_ctrl = false) {
  CodedChars chars(code, show_ctrl, reinterpret_cast<const unsigned char*>(bytes.data()),
                   static_cast<int>(bytes.size()));
  std::string out;
  CodedUnit u;
  while (chars.next(u)) {
    out += std::to_string(u.len);
    if (u.multibyte) out += '*';
    out += ':';
    out.append(u.cols, static_cast<std::size_t>(u.len));
    if (u.multibyte) {
      char cell[2];
      int n = coded_cell_text(u, cell);
      out += '=';
      out.append(cell, static_cast<std::size_t>(n));
    }
    out += ' ';
  }
  return out;
}

TEST(CodedChars, ShiftJis) {
  // A pair, a half-width kana, a control byte, and a lead byte cut by the end.
  EXPECT_EQ(units(CharMode::sjis, "\x8e\x52" "A\xb1\x01\x82"),
            "2*:\x8e\x52=\x8e\x52 1:A 1:\xb1 1:. 1:. ");
}

TEST(CodedChars, Euc) {
  // 山 (bb b3, Shift_JIS 8e 52), the kana ｱ (8e b1), a 3-byte code without a
  // Shift_JIS form, a byte that starts nothing, and 山 cut after its first
  // byte, which then shows as the half-width kana it is as a single byte.
  EXPECT_EQ(units(CharMode::euc, "\xbb\xb3\x8e\xb1\x8f\xa1\xa1" "A\xbb"),
            "2*:\x8e\x52=\x8e\x52 2*:.\xb1=\xb1 3*:.\?\?=\?\? 1:A 1:\xbb ");
  // A 3-byte code cut after two bytes: both stand alone.
  EXPECT_EQ(units(CharMode::euc, "A\x8f\xb0"), "1:A 1:. 1:\xb0 ");
}

TEST(CodedChars, Utf8) {
  // 亜 (e4 ba 9c, Shift_JIS 88 9f), the Thai letter U+0E01 (no Shift_JIS
  // form), é cut after its first byte.
  EXPECT_EQ(units(CharMode::utf8, "\xe4\xba\x9c\xe0\xb8\x81" "a\xc3"),
            "3*:\x88\x9f.=\x88\x9f 3*:...=. 1:a 1:\xc3 ");
  // 亜 cut after two bytes: the lead shows as a point, ba as the kana it is
  // as a single byte.
  EXPECT_EQ(units(CharMode::utf8, "\xe4\xba"), "1:. 1:\xba ");
  // An overlong 4-byte form of "A": the decoder writes three columns, the
  // fourth shows as a point too.
  EXPECT_EQ(units(CharMode::utf8, "\xf0\x80\x81\x81"), "4*:A...=A ");
}

TEST(CodedChars, JisKeepsItsStateWithinTheElement) {
  // ESC $ B, 亜 (30 21), ESC ( B, A; then ESC ( I and a kana byte.
  EXPECT_EQ(units(CharMode::jis, "\x1b$B\x30\x21\x1b(BA\x1b(I\x31"),
            "3:... 2*:\x88\x9f=\x88\x9f 3:... 1:A 3:... 1:\xb1 ");
  EXPECT_EQ(units(CharMode::jis, "\x1b$B\x30\x21", true), "3:.$B 2*:\x88\x9f=\x88\x9f ");
  // A kanji pair cut by the end; every element starts in ASCII.
  EXPECT_EQ(units(CharMode::jis, "\x1b$B\x30"), "3:... 1:0 ");
  EXPECT_EQ(units(CharMode::jis, "\x30\x21"), "1:0 1:! ");
}

TEST(CodedChars, CellTextNeverHoldsALoneLeadByte) {
  CodedUnit u;
  u.len = 3;
  u.multibyte = true;
  const char* cases[][2] = {{"\x88\x9f.", "\x88\x9f"}, {"...", "."}, {".ab", "ab"}, {"\x88..", "."},
                            {"a\x88.", "a"}};
  for (const auto& c : cases) {
    std::memcpy(u.cols, c[0], 3);
    char cell[2];
    int n = coded_cell_text(u, cell);
    EXPECT_EQ(std::string(cell, static_cast<std::size_t>(n)), c[1]) << c[0];
  }
}

// #CODE SJIS shows char items as the Shift_JIS mode always has: random
// bytes (many lead bytes, kana and control bytes), random item lengths and
// line widths give the same list and map with the statement as without it.
TEST(CodedChars, ShiftJisStatementChangesNothingInTheShiftJisMode) {
  using namespace formatted_test;
  std::mt19937 rng(20260611);
  const unsigned char pool[] = {0x81, 0x82, 0x9F, 0xE0, 0xFC, 0xA0, 0xB1, 0xDF, 0x40, 0x7E, 0x80,
                                0x01, 0x1B, 0x7F, 0x2E, 'A', ' ', 0xFD, 0x5C, 0x8E};
  for (int round = 0; round < 200; ++round) {
    reset();
    int d = open_struct('D');
    int size = 0;
    for (int k = 0; k < 4; ++k) {
      int len = 1 + static_cast<int>(rng() % 12);
      item('c', len, 1 + static_cast<int>(rng() % 3), "t");
      size += len * defs.item_inf[defs.item_cnt - 1].count;
    }
    close_struct(d);
    std::string data;
    for (int i = 0; i < size; ++i) data += static_cast<char>(pool[rng() % sizeof pool]);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    settings.line_width = 20 + static_cast<int>(rng() % 60);
    settings.line_bytes = 1 + static_cast<int>(rng() % 16);
    auto both = [&]() {
      std::string list = capture([&](FormPrinter& p) { print_items(p, d, bytes, size, 0); });
      std::string map = capture([&](FormPrinter& p) {
        MapRow row;
        print_map(p, d, bytes, size, 0, row, 0);
        if (row.pending) put_map_line(p, 0, row.start);
      });
      return list + "|" + map;
    };
    std::string plain = both();
    defs.code_stated = true;
    defs.code = CharMode::sjis;
    EXPECT_EQ(both(), plain) << "round " << round;
  }
}

}  // namespace
}  // namespace vesk
