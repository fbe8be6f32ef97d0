#include "text/color.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

std::string change(Style from, Style to) {
  char out[kMaxStyleChange];
  return std::string(out, static_cast<std::size_t>(put_style_change(from, to, out)));
}

// Each kind of change: nothing between styles that look alike; from the
// terminal's color the parameters alone; from a color alone to a style with
// a color, that color; from any other style, a reset first; back to the
// terminal's color, a reset.
TEST(Color, Changes) {
  const struct {
    Style from, to;
    const char* sequence;
  } cases[] = {
      {Style::none, Style::none, ""},
      {Style::ascii, Style::ascii, ""},
      {Style::zero, Style::position, ""},
      {Style::ascii, Style::number, ""},
      {Style::none, Style::ascii, "\x1b[36m"},
      {Style::none, Style::unread, "\x1b[1;31m"},
      {Style::ascii, Style::none, "\x1b[0m"},
      {Style::zero, Style::none, "\x1b[0m"},
      {Style::ascii, Style::invalid, "\x1b[31m"},
      {Style::space, Style::unread, "\x1b[1;31m"},
      {Style::ascii, Style::zero, "\x1b[0;2m"},
      {Style::zero, Style::ascii, "\x1b[0;36m"},
      {Style::unread, Style::old_value, "\x1b[0;31m"},
      {Style::label, Style::number, "\x1b[0;36m"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(change(c.from, c.to), c.sequence) << static_cast<int>(c.from) << " " << static_cast<int>(c.to);
}

// Every style but none has parameters of the eight basic colors, bold or
// dim only; every change is one SGR sequence that fits its slot.
TEST(Color, EveryChangeIsOneSgrSequence) {
  for (int from = 0; from < kStyles; ++from) {
    for (int to = 0; to < kStyles; ++to) {
      const std::string s = change(static_cast<Style>(from), static_cast<Style>(to));
      EXPECT_LT(s.size(), static_cast<std::size_t>(kMaxStyleChange));
      if (s.empty()) continue;
      ASSERT_EQ(s.substr(0, 2), "\x1b[");
      ASSERT_EQ(s.back(), 'm');
      std::string p = s.substr(2, s.size() - 3) + ";";
      for (std::size_t at = 0; at < p.size();) {
        std::size_t semi = p.find(';', at);
        const std::string one = p.substr(at, semi - at);
        EXPECT_TRUE(one == "0" || one == "1" || one == "2" || (one.size() == 2 && one[0] == '3' && one[1] >= '1' &&
                                                               one[1] <= '6'))
            << s;
        at = semi + 1;
      }
    }
  }
}

// The style of a cell: its class, and for a control its character.
TEST(Color, StyleOfCell) {
  auto cell = [](CellClass cls, char32_t cp) {
    Cell c;
    c.cls = cls;
    c.cp = cp;
    return c;
  };
  EXPECT_EQ(style_of_cell(cell(CellClass::ascii, 'A')), Style::ascii);
  EXPECT_EQ(style_of_cell(cell(CellClass::ascii, ' ')), Style::space);
  EXPECT_EQ(style_of_cell(cell(CellClass::control, 0)), Style::zero);
  EXPECT_EQ(style_of_cell(cell(CellClass::control, 0x09)), Style::space);
  EXPECT_EQ(style_of_cell(cell(CellClass::control, 0x0D)), Style::space);
  EXPECT_EQ(style_of_cell(cell(CellClass::control, 0x0E)), Style::control);
  EXPECT_EQ(style_of_cell(cell(CellClass::control, 0x85)), Style::control);
  EXPECT_EQ(style_of_cell(cell(CellClass::escape, '$')), Style::control);
  EXPECT_EQ(style_of_cell(cell(CellClass::kana, 0xFF71)), Style::multibyte);
  EXPECT_EQ(style_of_cell(cell(CellClass::multibyte, 0x3042)), Style::multibyte);
  EXPECT_EQ(style_of_cell(cell(CellClass::invalid, 0)), Style::invalid);
}

}  // namespace
}  // namespace vesk
