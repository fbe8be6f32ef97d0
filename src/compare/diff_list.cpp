#include "compare/diff_list.h"

#include <cstdio>
#include <cstring>

#include "compare/diff_map.h"
#include "common/messages.h"
#include "format/definitions.h"
#include "formatted/block_print.h"
#include "formatted/item_label.h"
#include "formatted/item_walk.h"
#include "formatted/value_render.h"
#include "main/settings.h"
#include "output/report.h"

namespace vesk {

namespace {

bool is_block_id(int item) { return defs.item_inf[item].first == 1; }

class DiffLister : public ItemVisitor {
 public:
  DiffLister(const unsigned char* block1, const unsigned char* block2, bool& found)
      : block1_(block1), block2_(block2), found_(found) {}

  void data_ended(int, int) override { put_line(" [EOD]"); }

  void element(const ElementRef& e) override {
    const ItemInf& m = defs.item_inf[e.item];
    bool id = is_block_id(e.item);
    // The walk has cut or stopped an element at the end of the data already,
    // so only bytes inside the block are compared.
    if (!id && std::memcmp(block1_ + e.pos, block2_ + e.pos, static_cast<std::size_t>(e.len)) == 0)
      return;

    LineBuffer& line = list_line;
    int col = put_offset(line, e.pos);
    col = put_value(line, col, block1_, e);
    if (m.type == T_CHAR) col = line_wrap(line, col, e.len + 6);
    if (m.type == T_HEX) col = line_wrap(line, col, 2 * e.len + 5);
    if (!id) {
      col = line.put_end(col, ": ");
      col = put_value(line, col, block2_, e);
      found_ = true;
    }
    put_diff_label(line, col, e.item, e.index);
    put_line(line.c_str());
  }

  void member_end(int, int, bool data_end, int) override {
    if (data_end) put_line(" [EOD]");
  }

 private:
  static int put_value(LineBuffer& line, int col, const unsigned char* data, const ElementRef& e) {
    char type = defs.item_inf[e.item].type;
    int pos = e.pos;
    if (type == T_CHAR) return put_char_value(line, col, data, pos, e.len);
    if (type == T_HEX) return put_hex_value(line, col, data, pos, e.len);
    return put_numeric_value(line, col, data, pos, type);
  }

  const unsigned char* block1_;
  const unsigned char* block2_;
  bool& found_;
};

void put_heading(int number1, long long addr1, int number2, long long addr2) {
  char t[160];
  std::snprintf(t, sizeof t,
                settings.dec_mode ? "       block: %d  addr: %04lld / block: %d  addr: %04lld"
                                  : "       block: %d  addr: %04llX / block: %d  addr: %04llX",
                number1, addr1, number2, addr2);
  put_line(t);
}

int no_description() {
  def_error("no data description", 0);
  return -1;
}

}  // namespace

int put_diff_label(LineBuffer& line, int col, int item, int k) {
  char index_text[16] = "";
  if (defs.item_inf[item].count != 1) std::snprintf(index_text, sizeof index_text, "[%d]", k);
  line.end_at(col);
  return put_label_with_index(line, col, item, index_text);
}

int print_diff_items(int rec, const unsigned char* block1, const unsigned char* block2, int size,
                     int pos, bool& found) {
  DiffLister lister(block1, block2, found);
  return walk_struct(rec, size, pos, WalkRules{true, true}, lister);
}

int print_diff_block(char kind, const unsigned char* block1, const unsigned char* block2, int size,
                     int number1, long long addr1, int number2, long long addr2) {
  (void)kind;  // always a data block
  int entry = find_blno_entry(number1);
  if (settings.map_disp != 0) {
    if (entry < 0) return no_description();
    print_diff_maps(defs.blno_inf[entry].item_no, block1, block2, size, number1, number2);
    return 0;
  }
  // In list form the heading comes first, whatever follows.
  put_heading(number1, addr1, number2, addr2);
  if (entry < 0) return no_description();
  const BlnoInf& e = defs.blno_inf[entry];
  if (e.comment != nullptr) put_range_comment(e.comment);

  if (defs.item_mlen < settings.item_size) settings.item_size = defs.item_mlen;
  if (defs.comment_mlen < settings.comment_size) settings.comment_size = defs.comment_mlen;
  bool found = false;
  print_diff_items(e.item_no, block1, block2, size, 0, found);
  if (!found) put_line("       NO UPDATED");
  return 0;
}

}  // namespace vesk
