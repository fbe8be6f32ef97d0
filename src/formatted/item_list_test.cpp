#include "formatted/item_list.h"

#include <gtest/gtest.h>

#include <string>

#include "common/pad_test_support.h"
#include "formatted/formatted_test_support.h"
#include "formatted/item_label.h"
#include "formatted/value_render.h"

namespace vesk {
namespace {

using namespace formatted_test;

using test_support::pad;

// The worked line: width 79, name column 8, comment column 12, so the label
// (23 columns) starts in column 56.
TEST(PrintItems, WorkedListLine) {
  reset();
  settings.item_size = 8;
  settings.comment_size = 12;
  int d = open_struct('D');
  item('l', 4, 1, "id", "record ident");
  item('s', 2, 1, "quantity", "stock count");
  item('S', 2, 1, "word", "");
  close_struct(d);
  const unsigned char data[] = {0, 0, 0, 7, 0x04, 0xB0, 0x04, 0xB0};
  std::string want = pad(" 0000: [7] ", 56) + "id       : record ident\n" +
                     pad(" 0004: [1200] ", 56) + "quantity : stock count \n" +
                     pad(" 0006: [1200] ", 56) + "word     :             \n";
  {
    Printing printing;
    EXPECT_EQ(print_items(printing.p, d, data, 8, 0), 8);
    EXPECT_EQ(printing.text(), want);
    // Each line ends in column 78, the width's last.
    const std::string text = printing.text();
    for (std::size_t at = 0, nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1)
      EXPECT_EQ(nl - at, 79u);
  }

  settings.byte_swap = true;
  want = pad(" 0000: [117440512] ", 56) + "id       : record ident\n" +
         pad(" 0004: [-20476] ", 56) + "quantity : stock count \n" +
         pad(" 0006: [45060] ", 56) + "word     :             \n";
  EXPECT_EQ(capture([&](FormPrinter& p) { print_items(p, d, data, 8, 0); }), want);
}

TEST(Renderers, CharsHexAndPointers) {
  reset();
  const unsigned char data[] = {0x41, 0x42, 0x01, 0x43, 0x44, 0x82, 0x01, 0xFF, 0x10, 0x82, 0xA0, 0xB1};
  Printing printing;
  FormPrinter& p = printing.p;
  ItemInf text, hex, pointer;
  text.type = T_CHAR;
  hex.type = T_HEX;
  pointer.type = T_PTR;
  int pos = 0;
  int col = put_offset(p, 0x1A);
  EXPECT_EQ(col, 7);
  col = put_value(p, col, data, pos, text, 6);
  col = put_value(p, col, data, pos, hex, 3);
  col = put_value(p, col, data, pos, text, 3);
  EXPECT_EQ(pos, 12);
  pos = 0;
  col = put_value(p, col, data, pos, pointer, 4);
  EXPECT_EQ(pos, 4);
  EXPECT_STREQ(p.line.c_str(), " 001A: [AB.CD.] [01ff10] [\x82\xa0\xb1] [41420143] ");
  EXPECT_EQ(col, 42);
  settings.char_mode = CharMode::ascii;  // -A: no pairs, no kana
  Printing ascii;
  pos = 9;
  put_value(ascii.p, 0, data, pos, text, 3);
  EXPECT_STREQ(ascii.p.line.c_str(), "[...] ");
}

TEST(Renderers, DecimalOffset) {
  reset();
  settings.dec_mode = true;
  Printing printing;
  put_offset(printing.p, 4095);
  EXPECT_STREQ(printing.p.line.c_str(), " 4095: ");
}

TEST(PutItemLabel, LabelWiderThanTheLineStartsInColumnZero) {
  reset();
  int i = item('s', 2, 1, "n", "c");
  Printing printing;
  printing.view.item_size = 60;
  printing.view.comment_size = 30;  // 93 columns on a line of 79
  FormPrinter& p = printing.p;
  int col = p.line.put_end(0, " 0000: [1] ");
  EXPECT_EQ(p.labels.put(p.line, col, i, "", p.report), 0);
  EXPECT_EQ(printing.text(), " 0000: [1] \n");
  EXPECT_EQ(std::string(p.line.c_str()), pad("n", 60) + " : " + pad("c", 30));
}

}  // namespace
}  // namespace vesk
