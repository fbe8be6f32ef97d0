#include "records/record_names.h"

#include <gtest/gtest.h>

#include <string>

#include "formatted/formatted_test_support.h"
#include "records/record_items.h"

namespace vesk {
namespace {

using namespace formatted_test;

void set_dims(int item, std::vector<int16_t> dims) {
  ItemInf& m = defs.item_inf[item];
  m.dims = defs.keep_dims(dims);
  m.dim_count = static_cast<int16_t>(dims.size());
}

// A data format with three items named x (one of them in a nested
// structure without a name) and one named x#2; an array of two dimensions;
// a structure repeated twice.
int make_format() {
  reset();
  const int d = open_struct('D');
  item('l', 4, 1, "x");
  item('l', 4, 1, "x");
  item('l', 4, 1, "x#2");
  set_dims(item('s', 2, 6, "a"), {2, 3});
  const int line = open_struct(' ', 2);
  defs.item_inf[line].name = "line";
  set_dims(line, {2});
  item('s', 2, 1, "q");
  close_struct(line);
  const int unnamed = open_struct(' ');
  item('B', 1, 1, "x");
  close_struct(unnamed);
  close_struct(d);
  return d;
}

TEST(RecordNames, KeysStayDistinct) {
  make_format();
  RecordNames names(defs);
  EXPECT_EQ(names.key(1), U"x");
  EXPECT_EQ(names.key(2), U"x#3");  // x#2 is the name of another item
  EXPECT_EQ(names.key(3), U"x#2");
  EXPECT_EQ(names.key(4), U"a");
  EXPECT_EQ(names.key(5), U"line");
  EXPECT_TRUE(names.spliced(7));
  EXPECT_EQ(names.key(8), U"x#4");  // in the object that holds its structure
  EXPECT_EQ(names.json_key(2), "\"x#3\":");
}

TEST(RecordNames, ArraysByDimension) {
  make_format();
  RecordNames names(defs);
  // a[2][3]: both arrays open at element 0, the inner one at 3.
  const int opening[] = {2, 0, 0, 1, 0, 0};
  const int closing[] = {0, 0, 1, 0, 0, 2};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(names.arrays_opening(4, k), opening[k]) << k;
    EXPECT_EQ(names.arrays_closing(4, k), closing[k]) << k;
  }
  std::u32string s;
  names.append_indexes(s, 4, 5);
  EXPECT_EQ(s, U"[1][2]");
  s.clear();
  names.append_indexes(s, 1, 0);
  EXPECT_EQ(s, U"");
}

// The CSV header: the names along the structures, from a walk.
TEST(RecordNames, HeaderNames) {
  const int d = make_format();
  RecordNames names(defs);
  FormView view(settings, defs);
  CsvLine csv(false);
  CsvHeader header(view, names, csv);
  walk_struct(view, d, 64, 0, kRecordWalk, header);
  EXPECT_EQ(csv.text(), "x,x#3,x#2,a[0][0],a[0][1],a[0][2],a[1][0],a[1][1],a[1][2],line[0].q,line[1].q,x#4");
}

// Every element is visited to the structure's end, past the end of the
// data too, in objects and arrays of the same shape in every block.
TEST(RecordItems, ShapeKeptPastTheEnd) {
  const int d = make_format();
  RecordNames names(defs);
  FormView view(settings, defs);
  const unsigned char data[] = {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 4, 0, 5, 0, 6, 0};
  JsonLine json;
  std::vector<FaultyValue> faults;
  JsonItems items(view, names, json, faults);
  EXPECT_TRUE(items.write(d, data, static_cast<int>(sizeof data)));
  EXPECT_EQ(json.text(),
            "{\"x\":1,\"x#3\":2,\"x#2\":3,\"a\":[[4,5,6],[null,null,null]],"
            "\"line\":[{\"q\":null},{\"q\":null}],\"x#4\":null}");
  ASSERT_EQ(faults.size(), 6u);
  EXPECT_EQ(faults[0].item, U"a[1][0]");
  EXPECT_EQ(faults[0].bytes, "00");
  EXPECT_EQ(faults[1].bytes, "");
  EXPECT_EQ(faults[4].item, U"line[1].q");
  EXPECT_EQ(faults[5].item, U"x#4");
  EXPECT_EQ(faults[5].fault, Fault::cut);
}

}  // namespace
}  // namespace vesk
