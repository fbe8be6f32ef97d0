#include "output/styled_line.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "output/report_sink.h"

namespace vesk {
namespace {

std::string styled(const std::string& text, std::vector<LineStyle> styles, Style whole = Style::none,
                   bool utf8 = false, std::vector<LineCell> cells = {}) {
  StyledLineMaker maker;
  return maker.make(text.data(), text.size(), cells.data(), cells.size(), styles.data(), styles.size(), whole, utf8);
}

// What the sink writes for the line without color, without its newline.
std::string uncolored(const std::string& text, bool utf8, const std::vector<LineCell>& cells) {
  ReportSink sink;
  sink.set_encoding(utf8 ? ReportEncoding::utf8 : ReportEncoding::sjis);
  sink.write_line_with_cells(text.data(), text.size(), cells.data(), cells.size());
  sink.flush();
  std::string out = sink.memory();
  out.pop_back();
  return out;
}

std::string without_sequences(const std::string& s) { return std::regex_replace(s, std::regex("\x1b\\[[0-9;]*m"), ""); }

TEST(StyledLine, SpansAndBlanksBetweenThem) {
  // The later span wins; blanks between two columns of one style take it.
  EXPECT_EQ(styled("ab  cd x", {{0, 2, Style::ascii}, {4, 8, Style::ascii}, {7, 8, Style::invalid}}),
            "\x1b[36mab  cd \x1b[31mx\x1b[0m");
  // Trailing blanks of no style stay outside.
  EXPECT_EQ(styled("ab   ", {{0, 2, Style::label}}), "\x1b[2mab\x1b[0m   ");
  // Nothing styled: the text alone.
  EXPECT_EQ(styled("abc", {}), "abc");
}

TEST(StyledLine, WholeLineLeavesItsMarginsAndNewlines) {
  EXPECT_EQ(styled("  x y  ", {}, Style::old_value), "  \x1b[31mx y\x1b[0m  ");
  EXPECT_EQ(styled("\n DELETED DATA", {}, Style::old_value), "\n \x1b[31mDELETED DATA\x1b[0m");
  // A span over a newline: the newline in the terminal's color.
  EXPECT_EQ(styled("a\nb", {{0, 3, Style::text}}), "\x1b[32ma\x1b[0m\n\x1b[32mb\x1b[0m");
}

TEST(StyledLine, PairsStayWhole) {
  // A pair takes the style of its first column.
  EXPECT_EQ(styled("\x82\xa0" "A", {{1, 3, Style::ascii}}), "\x82\xa0\x1b[36m" "A\x1b[0m");
  EXPECT_EQ(styled("\x82\xa0" "A", {{1, 3, Style::ascii}}, Style::none, true), "\xe3\x81\x82\x1b[36m" "A\x1b[0m");
}

// Without its sequences, the line is what the sink writes uncolored: in
// UTF-8 the text transcoded and the cells in their own form.
TEST(StyledLine, TextAsTheSinkWritesIt) {
  Cell e_acute;
  e_acute.cp = 0xE9;
  e_acute.len = 2;
  e_acute.cls = CellClass::multibyte;
  const std::vector<LineCell> cells = {{2, e_acute}};
  const std::string text = "[ ..\xb1\x82\xa0]";
  const std::vector<LineStyle> spans = {{0, 3, Style::text}, {3, 6, Style::number}, {6, 8, Style::hex}};
  for (bool utf8 : {false, true}) {
    const std::string out = styled(text, spans, Style::none, utf8, cells);
    EXPECT_EQ(without_sequences(out), uncolored(text, utf8, cells)) << utf8;
    EXPECT_NE(out.find("\x1b[32m"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 4), "\x1b[0m");
  }
}

}  // namespace
}  // namespace vesk
