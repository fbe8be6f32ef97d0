#include "compare/diff_list.h"

#include <cstring>

#include "common/digits.h"
#include "compare/diff_map.h"
#include "compare/hidden_diff.h"
#include "format/item_types.h"
#include "formatted/block_print.h"
#include "formatted/item_walk.h"
#include "formatted/value_render.h"

namespace vesk {

namespace {

class DiffLister : public ItemVisitor {
 public:
  DiffLister(FormPrinter& p, const unsigned char* block1, const unsigned char* block2, bool& found,
             HiddenDifferences* hidden)
      : p_(p), block1_(block1), block2_(block2), found_(found), hidden_(hidden) {}

  void data_ended(int, int) override { p_.report.put_line(" [EOD]", Style::unread); }

  void hidden_member(int item, int pos) override {
    if (hidden_ != nullptr) hidden_->hidden_member(item, pos);
  }

  void element(const ElementRef& e) override {
    if (hidden_ != nullptr) hidden_->element(e.pos, e.len);
    const ItemInf& m = p_.view.defs.item_inf[e.item];
    bool id = is_pairing_id(p_.view.defs, e);
    // The walk has cut or stopped an element at the end of the data already,
    // so only bytes inside the block are compared.
    if (!id && std::memcmp(block1_ + e.pos, block2_ + e.pos, static_cast<std::size_t>(e.len)) == 0) return;
    int col = put_offset(p_, e.pos);
    int pos = e.pos;
    // A value that differs: the first file's red, the second's green.
    const std::optional<Style> before = p_.value_style;
    if (!id) p_.value_style = Style::old_value;
    col = put_value(p_, col, block1_, pos, m, e.len);
    p_.value_style = before;
    int room = value_room(m, e.len);
    if (room > 0) col = line_wrap(p_, col, room);
    if (!id) {
      col = p_.line.put_end(col, ": ");
      pos = e.pos;
      p_.value_style = Style::new_value;
      col = put_value(p_, col, block2_, pos, m, e.len);
      p_.value_style = before;
      found_ = true;
    }
    put_diff_label(p_, col, e.item, e.index);
    p_.report.put_line(p_.line);
  }

  void member_end(int, int, bool data_end, int) override {
    if (data_end) p_.report.put_line(" [EOD]", Style::unread);
  }

 private:
  FormPrinter& p_;
  const unsigned char* block1_;
  const unsigned char* block2_;
  bool& found_;
  HiddenDifferences* hidden_;
};

// Finds the first shown element whose bytes differ, and stops there.
class DifferenceFinder : public ItemVisitor {
 public:
  DifferenceFinder(const FormView& view, const unsigned char* block1, const unsigned char* block2)
      : view_(view), block1_(block1), block2_(block2) {}
  void element(const ElementRef& e) override {
    if (is_pairing_id(view_.defs, e)) return;
    if (std::memcmp(block1_ + e.pos, block2_ + e.pos, static_cast<std::size_t>(e.len)) != 0) {
      found = true;
      stopped = true;
    }
  }
  bool found = false;

 private:
  const FormView& view_;
  const unsigned char* block1_;
  const unsigned char* block2_;
};

// "       block: %d  addr: %04llX / block: %d  addr: %04llX" (%04lld with -D).
void put_heading(FormPrinter& p, long long number1, long long addr1, long long number2, long long addr2) {
  const unsigned base = p.view.dec ? 10 : 16;
  char t[160];
  int n = 0;
  auto add = [&](const char* s) {
    std::size_t k = std::strlen(s);
    std::memcpy(t + n, s, k);
    n += static_cast<int>(k);
  };
  add("       block: ");
  n += decimal_text(number1, t + n);
  add("  addr: ");
  n += put_digits(t + n, static_cast<std::uint64_t>(addr1), base, 4);
  add(" / block: ");
  n += decimal_text(number2, t + n);
  add("  addr: ");
  n += put_digits(t + n, static_cast<std::uint64_t>(addr2), base, 4);
  p.report.put_line(t, static_cast<std::size_t>(n));
}

}  // namespace

bool is_pairing_id(const Definitions& defs, const ElementRef& e) {
  return defs.item_inf[e.item].is_block_id() && e.pos == defs.block_id_pos;
}

void put_diff_label(FormPrinter& p, int col, int item, int k) {
  char index_text[kDecimalTextSize + 2] = "";
  if (p.view.defs.item_inf[item].count != 1) {
    index_text[0] = '[';
    int n = 1 + decimal_text(k, index_text + 1);
    index_text[n] = ']';
    index_text[n + 1] = '\0';
  }
  p.line.end_at(col);
  p.labels.put(p.line, col, item, index_text, p.report);
}

bool pair_differs(const FormView& view, const unsigned char* block1, const unsigned char* block2, int size,
                  long long number1) {
  if (std::memcmp(block1, block2, static_cast<std::size_t>(size)) == 0) return false;
  BlockPlace place = view.defs.place_of(number1);
  if (place.entry < 0) return true;
  DifferenceFinder finder(view, block1, block2);
  walk_struct(view, view.defs.blno_inf[place.entry].item_no, size, 0, WalkRules{true, true}, finder);
  return finder.found;
}

int print_diff_items(FormPrinter& p, int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int pos, bool& found, HiddenDifferences* hidden) {
  DiffLister lister(p, block1, block2, found, hidden);
  return walk_struct(p.view, rec, size, pos, WalkRules{true, true}, lister);
}

int print_diff_block(FormPrinter& p, const unsigned char* block1, const unsigned char* block2, int size,
                     long long number1, long long addr1, long long number2, long long addr2) {
  BlockPlace place = p.view.defs.place_of(number1);
  if (p.view.map) {
    if (place.entry < 0) {
      p.error("no data description");
      return -1;
    }
    const bool hidden_only = std::memcmp(block1, block2, static_cast<std::size_t>(size)) != 0 &&
                             !pair_differs(p.view, block1, block2, size, number1);
    print_diff_maps(p, p.view.defs.blno_inf[place.entry].item_no, block1, block2, size, number1, number2,
                    hidden_only);
    return p.failed ? -1 : 0;
  }
  // In list form the heading comes first, whatever follows.
  put_heading(p, number1, addr1, number2, addr2);
  if (place.entry < 0) {
    p.error("no data description");
    return -1;
  }
  const BlnoInf& e = p.view.defs.blno_inf[place.entry];
  if (e.comment != nullptr) put_range_comment(p, e.comment);
  bool found = false;
  HiddenLines lines(p);
  HiddenDifferences hidden(lines, p.view, block1, block2, size);
  // Blocks alike in every byte have no hidden difference to look for.
  const bool alike = std::memcmp(block1, block2, static_cast<std::size_t>(size)) == 0;
  print_diff_items(p, e.item_no, block1, block2, size, 0, found, alike ? nullptr : &hidden);
  if (!alike) hidden.finish();
  if (!found) p.report.put_line(hidden.found() ? kOnlyHiddenUpdated : "       NO UPDATED");
  return 0;
}

}  // namespace vesk
