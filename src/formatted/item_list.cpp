#include "formatted/item_list.h"

#include <cstdio>

#include "common/line_buffer.h"
#include "format/definitions.h"
#include "formatted/element_value.h"
#include "formatted/item_label.h"
#include "formatted/item_walk.h"
#include "formatted/value_render.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

namespace {

class ListPrinter : public ItemVisitor {
 public:
  explicit ListPrinter(const unsigned char* data) : data_(data) {}

  void data_ended(int, int) override { put_line(" [EOD]"); }

  void member_begin(int, int pos) override { col_ = put_offset(line_, pos); }

  void element(const ElementRef& e) override {
    char type = defs.item_inf[e.item].type;
    int w = settings.line_width;
    int pos = e.pos;
    if (type == T_CHAR) {
      if (col_ > 7 && col_ + e.len + 2 > w) col_ = write_line(line_);
      col_ = put_char_value(line_, col_, data_, pos, e.len);
    } else if (type == T_HEX) {
      if (col_ > 7 && col_ + 2 * e.len + 3 > w) col_ = write_line(line_);
      col_ = put_hex_value(line_, col_, data_, pos, e.len);
    } else {
      col_ = put_numeric_value(line_, col_, data_, pos, type);
    }
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (data_end && rest > 0) put_rest(pos, rest);
    put_item_label(line_, col_, item);
    put_line(line_.c_str());
    if (data_end) put_line(" [EOD]");
  }

 private:
  // The bytes left of a numeric element cut by the end of the data, in hex.
  void put_rest(int pos, int rest) {
    int w = settings.line_width;
    if (col_ + 3 * rest + 2 > w) col_ = write_line(line_);
    col_ = line_.put_end(col_, "[");
    for (int i = 0; i < rest; ++i) {
      if (col_ + 3 > w) col_ = write_line(line_);
      char t[4];
      std::snprintf(t, sizeof t, "%02x", data_[pos + i]);
      col_ = line_.put_end(col_, t);
    }
    col_ = line_.put_end(col_, col_ + 3 > w ? "]x" : "]x ");
  }

  const unsigned char* data_;
  LineBuffer& line_ = list_line;
  int col_ = 0;
};

}  // namespace

int print_items(int rec, const unsigned char* data, int size, int pos) {
  ListPrinter printer(data);
  return walk_struct(rec, size, pos, WalkRules{true, true}, printer);
}

}  // namespace vesk
