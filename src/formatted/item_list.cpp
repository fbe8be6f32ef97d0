#include "formatted/item_list.h"

#include "common/digits.h"
#include "format/item_types.h"
#include "formatted/item_walk.h"
#include "formatted/value_render.h"

namespace vesk {

namespace {

class ListPrinter : public ItemVisitor {
 public:
  ListPrinter(FormPrinter& p, const unsigned char* data) : p_(p), data_(data) {}

  void data_ended(int, int) override { p_.report.put_line(" [EOD]"); }

  void member_begin(int, int pos) override { col_ = put_offset(p_, pos); }

  void element(const ElementRef& e) override {
    char type = p_.view.defs.item_inf[e.item].type;
    int w = p_.view.line_width;
    int pos = e.pos;
    if (type == T_CHAR) {
      if (col_ > 7 && col_ + e.len + 2 > w) col_ = write_line(p_);
      col_ = put_char_value(p_, col_, data_, pos, e.len, text_code_of(p_.view, e.item));
    } else if (type == T_HEX) {
      if (col_ > 7 && col_ + 2 * e.len + 3 > w) col_ = write_line(p_);
      col_ = put_hex_value(p_, col_, data_, pos, e.len);
    } else {
      col_ = put_numeric_value(p_, col_, data_, pos, p_.view.defs.item_inf[e.item]);
    }
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (data_end && rest > 0) col_ = put_cut_rest(p_, col_, data_, pos, rest);
    p_.labels.put(p_.line, col_, item, "", p_.report);
    p_.report.put_line(p_.line.c_str());
    if (data_end) p_.report.put_line(" [EOD]");
  }

 private:
  FormPrinter& p_;
  const unsigned char* data_;
  int col_ = 0;
};

}  // namespace

int print_items(FormPrinter& p, int rec, const unsigned char* data, int size, int pos) {
  ListPrinter printer(p, data);
  return walk_struct(p.view, rec, size, pos, WalkRules{true, true}, printer);
}

}  // namespace vesk
