#include "formatted/item_list.h"

#include "common/digits.h"
#include "formatted/item_walk.h"
#include "formatted/value_render.h"

namespace vesk {

namespace {

class ListPrinter : public ItemVisitor {
 public:
  ListPrinter(FormPrinter& p, const unsigned char* data) : p_(p), data_(data) {}

  void data_ended(int, int) override { p_.report.put_line(" [EOD]", Style::unread); }

  void member_begin(int, int pos) override { col_ = put_offset(p_, pos); }

  void element(const ElementRef& e) override {
    const ItemInf& m = p_.view.defs.item_inf[e.item];
    // A value that would pass the line starts a new one, unless it is the
    // first of the line.
    int columns = value_columns(m, e.len);
    if (columns > 0 && col_ > 7 && col_ + columns > p_.view.line_width) col_ = write_line(p_);
    int pos = e.pos;
    col_ = put_value(p_, col_, data_, pos, m, e.len);
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (data_end && rest > 0) col_ = put_cut_rest(p_, col_, data_, pos, rest);
    p_.labels.put(p_.line, col_, item, "", p_.report);
    p_.report.put_line(p_.line);
    if (data_end) p_.report.put_line(" [EOD]", Style::unread);
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
