#include "formatted/item_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formatted/formatted_test_support.h"

namespace vesk {
namespace {

using namespace formatted_test;

std::string at(std::string line, std::size_t col, const std::string& text) {
  if (line.size() < col + text.size()) line.resize(col + text.size(), ' ');
  line.replace(col, text.size(), text);
  return line;
}

class WorkedRow : public testing::Test {
 protected:
  void SetUp() override {
    reset();
    settings.map_disp = true;
    rec_ = open_struct('D');
    item('s', 2, 1, "a");
    item('l', 4, 1, "b");
    item('c', 4, 1, "c");
    item('x', 2, 1, "d");
    close_struct(rec_);
  }
  std::string run() {
    return capture([&](FormPrinter& p) {
      MapRow row;
      EXPECT_EQ(print_map(p, rec_, data_, 12, 3, row, 0), 12);
      EXPECT_TRUE(row.pending);
      put_map_line(p, 3, row.start);
    });
  }
  int rec_ = 0;
  const unsigned char data_[12] = {0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x41, 0x42, 0x01, 0x43, 0xFF, 0x10};
};

// Rows of two bytes over EUC-JP text: a character alone in the cell of its
// first byte, and the bytes of a cell that is no character each in the row
// of its own cell.
TEST(PrintMap, TextAcrossRows) {
  reset();
  settings.map_disp = true;
  settings.line_bytes = 2;
  settings.char_mode = CharMode::euc;
  const int rec = open_struct('D');
  item('c', 6, 1, "t");
  close_struct(rec);
  // A, then 8F A6 (a JIS X 0212 lead and one byte: no character), B, then
  // the pair A4 A2.
  const unsigned char data[] = {0x41, 0x8F, 0xA6, 0x42, 0xA4, 0xA2};
  const std::string text = capture([&](FormPrinter& p) {
    MapRow row;
    EXPECT_EQ(print_map(p, rec, data, 6, 0, row, 0), 6);
    put_map_line(p, 0, row.start);
  });
  EXPECT_EQ(text,
            " 0000 0000:  A 8f\n"
            "      0002: a6  B\n"
            "      0004:  \x82\xa0\n");
}

// Runs of bytes that are each their own character, broken by a point, which
// shows itself, and a control byte, which shows its hex digits, across rows.
TEST(PrintMap, RunsOfSingleBytes) {
  reset();
  settings.map_disp = true;
  const int rec = open_struct('D');
  item('c', 20, 1, "t");
  close_struct(rec);
  const std::string bytes = std::string("ABCDEFGHIJ.KLMN") + '\x01' + "OPQR";
  const std::string text = capture([&](FormPrinter& p) {
    MapRow row;
    EXPECT_EQ(print_map(p, rec, reinterpret_cast<const unsigned char*>(bytes.data()), 20, 0, row, 0), 20);
    put_map_line(p, 0, row.start);
  });
  std::string first = " 0000 0000: ";
  for (int k = 0; k < 15; ++k) first = at(first, 13 + 3 * k, bytes.substr(k, 1));
  first = at(first, 57, "01");
  std::string second = "      0010: ";
  for (int k = 0; k < 4; ++k) second = at(second, 13 + 3 * k, bytes.substr(16 + k, 1));
  EXPECT_EQ(text, first + "\n" + second + "\n");
}

TEST_F(WorkedRow, NarrowCells) {
  std::string want = " 0003 0000: ";
  want = at(want, 12, "256");
  want = at(want, 18, "33554432");
  want = at(want, 31, "A");
  want = at(want, 34, "B");
  want = at(want, 36, "01");
  want = at(want, 40, "C");
  want = at(want, 42, "ff");
  want = at(want, 45, "10");
  ASSERT_EQ(want.size(), 47u);
  EXPECT_EQ(run(), want + "\n");
}

TEST_F(WorkedRow, WideCells) {
  settings.map_cell = 4;
  std::string want = " 0003 0000: ";
  want = at(want, 12, "256");
  want = at(want, 20, "33554432");
  want = at(want, 37, "A");
  want = at(want, 41, "B");
  want = at(want, 44, "01");
  want = at(want, 49, "C");
  want = at(want, 52, "ff");
  want = at(want, 56, "10");
  EXPECT_EQ(run(), want + "\n");
}

TEST_F(WorkedRow, VHasNoEffect) {
  settings.byte_swap = true;
  std::string want = " 0003 0000: 256   33554432";
  EXPECT_EQ(run().substr(0, want.size()), want);
}

// Integers of every size at the ends of their range, read in either byte
// order, each alone at the start of a row.
TEST(PrintMap, IntegersOfEverySize) {
  struct Case {
    char type;
    std::vector<unsigned char> data;  // least significant byte first
    const char* text;
  };
  const Case cases[] = {
      {'b', {0x7F}, "127"},
      {'b', {0x80}, "-128"},
      {'B', {0xFF}, "255"},
      {'s', {0xFF, 0x7F}, "32767"},
      {'s', {0x00, 0x80}, "-32768"},
      {'s', {0xFF, 0xFF}, "-1"},
      {'S', {0xFF, 0xFF}, "65535"},
      {'l', {0x00, 0x00, 0x00, 0x00}, "0"},
      {'l', {0xFF, 0xFF, 0xFF, 0x7F}, "2147483647"},
      {'l', {0x00, 0x00, 0x00, 0x80}, "-2147483648"},
      {'L', {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {'L', {0x40, 0x42, 0x0F, 0x00}, "1000000"},
      {'q', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}, "-9223372036854775808"},
      {'Q', {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "18446744073709551615"},
  };
  for (const bool big_endian : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(1, c.type) + " " + c.text + (big_endian ? " big-endian" : ""));
      reset();
      settings.map_disp = true;
      if (big_endian) formatted_test::defs.endian = Endian::big;
      const int rec = open_struct('D');
      item(c.type, 0, 1, "n");
      close_struct(rec);
      std::vector<unsigned char> data = c.data;
      if (big_endian) data.assign(c.data.rbegin(), c.data.rend());
      const int size = static_cast<int>(data.size());
      const std::string out = capture([&](FormPrinter& p) {
        MapRow row;
        EXPECT_EQ(print_map(p, rec, data.data(), size, 0, row, 0), size);
        put_map_line(p, 0, row.start);
      });
      EXPECT_EQ(out, std::string(" 0000 0000: ") + c.text + "\n");
    }
  }
}

// Numbers wider than their room: the mark "#" over the number's cells in the
// row but their last column, where a later text would leave no blank after
// the number or the row's end would cut it; run-on text kept otherwise.
TEST(MapMarks, NumbersTooWideForTheirRoom) {
  struct Member {
    char type;
    int length;
  };
  struct Case {
    const char* what;
    std::vector<Member> members;
    std::vector<unsigned char> data;  // least significant byte first
    int line_bytes;
    int cell;
    const char* row;
  };
  const Case cases[] = {
      {"sbytes", {{'b', 1}, {'b', 1}, {'b', 1}}, {0x80, 0x05, 0x9C}, 16, 3, " 0000 0000: ## 5  -100"},
      {"sbytes, wide cells", {{'b', 1}, {'b', 1}, {'b', 1}}, {0x80, 0x05, 0x9C}, 16, 4, " 0000 0000: ### 5   -100"},
      {"a short before a short", {{'s', 0}, {'s', 0}}, {0x00, 0x80, 0x01, 0x00}, 16, 3, " 0000 0000: ##### 1"},
      {"before hex digits", {{'s', 0}, {'x', 1}}, {0x00, 0x80, 0xFF}, 16, 3, " 0000 0000: ##### ff"},
      // A character stands in the second column of its cell: the blank
      // before it is kept.
      {"before a character", {{'s', 0}, {'c', 1}}, {0x00, 0x80, 'A'}, 16, 3, " 0000 0000: -32768 A"},
      {"last of the row runs on", {{'b', 1}, {'l', 0}}, {0x01, 0x00, 0x00, 0x00, 0x80}, 16, 3,
       " 0000 0000: 1  -2147483648"},
      // -b2: the row keeps 12 + 6 + 12 = 30 columns.
      {"kept up to the row's end", {{'l', 0}}, {0x00, 0x00, 0x00, 0x80}, 2, 3, " 0000 0000: -2147483648"},
      {"cut by the row's end", {{'Q', 0}}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 1, 3,
       " 0000 0000: ##"},
      // -b2: 30 columns kept, the 20 digits need 31; the mark covers the
      // number's two cells of the row, not its eight bytes.
      {"cells in the row only", {{'Q', 0}}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 2, 3,
       " 0000 0000: #####"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset();
    settings.map_disp = true;
    settings.line_bytes = c.line_bytes;
    settings.map_cell = c.cell;
    int rec = open_struct('D');
    for (const Member& m : c.members) item(m.type, m.length, 1, "m");
    close_struct(rec);
    const int size = static_cast<int>(c.data.size());
    std::string out = capture([&](FormPrinter& p) {
      MapRow row;
      print_map(p, rec, c.data.data(), size, 0, row, 0);
      if (row.pending) put_map_line(p, 0, row.start);
    });
    EXPECT_EQ(out.substr(0, out.find('\n')), c.row);
  }
}

// A row as wide as the line holds: a number that ends in the row's last
// kept column is written whole, and the blank after it stays inside the line.
TEST(MapMarks, NumberAtTheEndOfTheWidestRow) {
  reset();
  settings.map_disp = true;
  settings.line_bytes = 709;  // the cells reach column 2,138; 2,146 kept
  const int rec = open_struct('D');
  item('x', 708, 1, "pad");
  item('l', 0, 1, "n");
  close_struct(rec);
  std::vector<unsigned char> data(712, 0);
  data[711] = 0x80;
  const std::string out = capture([&](FormPrinter& p) {
    MapRow row;
    EXPECT_EQ(print_map(p, rec, data.data(), 712, 0, row, 0), 712);
    EXPECT_EQ(p.line.data[kLineBufSize - 1], '\0');
    put_map_line(p, 0, row.start);
  });
  std::string want = " 0000 0000: ";
  for (int i = 0; i < 708; ++i) want += "00 ";
  want += "-2147483648\n";
  EXPECT_EQ(out, want);
}

TEST(MapLineCheck, MovesStraightToTheRowHoldingThePosition) {
  reset();
  settings.line_bytes = 4;
  MapRow row;
  std::string out = capture([&](FormPrinter& p) {
    map_line_check(p, 7, row, 3);
    EXPECT_EQ(row.start, 0);
    row.pending = true;
    map_line_check(p, 7, row, 9);
    EXPECT_EQ(row.start, 8);
    EXPECT_FALSE(row.pending);
    map_line_check(p, 7, row, 40);
    EXPECT_EQ(row.start, 40);
  });
  EXPECT_EQ(out, " 0007 0000:\n      0008:\n");
}

TEST(PutMapLine, DecimalPrefixIsCutToTwelveColumns) {
  reset();
  settings.dec_mode = true;
  EXPECT_EQ(capture([](FormPrinter& p) { put_map_line(p, 12345, 0); }), " 12345 0000:\n");
  EXPECT_EQ(capture([](FormPrinter& p) { put_map_line(p, 12345, 32); }), "      0032:\n");
}

}  // namespace
}  // namespace vesk
